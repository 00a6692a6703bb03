#include "session/POHPoolBase.h"

CPOHPoolBase::CPOHPoolBase(IPOHSession* pSession, CRuntimeClass* pObjClass)
    : m_pSession(pSession), m_pObjClass(pObjClass) {}

CPOHPoolBase::~CPOHPoolBase() = default;

int CPOHPoolBase::Remove(const iterator& itr) {
  if (IsLiveItr(itr)) EraseDBItrOf(itr);
  return CPostObjectPool::Remove(itr);
}

int CPOHPoolBase::RemoveNext(iterator& itr) {
  if (IsLiveItr(itr)) EraseDBItrOf(itr);
  return CPostObjectPool::RemoveNext(itr);
}

void CPOHPoolBase::RemoveAll() {
  m_mapDBItr.clear();
  CPostObjectPool::RemoveAll();
}

CPOHPoolBase::iterator CPOHPoolBase::Add() {
  std::unique_ptr<CObject> pObject(m_pObjClass ? m_pObjClass->CreateObject() : nullptr);
  if (!dynamic_cast<CPOHBase*>(pObject.get())) return 0;
  return Insert(std::unique_ptr<CPOHBase>(static_cast<CPOHBase*>(pObject.release())));
}

CPOHPoolBase::iterator CPOHPoolBase::Insert(std::unique_ptr<CPOHBase> pNode) {
  if (pNode) pNode->m_pPOHPool = this;
  return CPostObjectPool::Insert(std::move(pNode));
}

int CPOHPoolBase::SetAt(std::int32_t nKey, CPOHBase* pNode) {
  const int nResult = CPostObjectPool::SetAt(nKey, pNode);
  if (nResult) pNode->m_pPOHPool = this;
  return nResult;
}

CPOHPoolBase::iterator CPOHPoolBase::GetByDBItr(std::uint64_t nDBItr) const {
  // After Reorder the map may name a freed entry, or one that the allocator gave to another
  // node: only a live entry whose own node carries the key answers.
  const auto it = m_mapDBItr.find(nDBItr);
  if (it == m_mapDBItr.end() || !IsLiveItr(it->second)) return 0;
  return GetAt(it->second)->GetDBIterator() == nDBItr ? it->second : 0;
}

std::int32_t CPOHPoolBase::GetByDBItr(const zar::MArray<std::uint64_t>& dbItrs,
                                      zar::MArray<std::uint64_t>& out) const {
  for (const std::uint64_t nDBItr : dbItrs)
    if (const iterator itr = GetByDBItr(nDBItr)) out.push_back(itr);
  return static_cast<std::int32_t>(out.size());
}

const CPOHBase* CPOHPoolBase::GetPtrByDBItr(std::uint64_t nDBItr) const {
  return GetAt(GetByDBItr(nDBItr));
}

void CPOHPoolBase::BuildDBItrMap() {
  if (IsEmpty()) return;
  m_mapDBItr.clear();
  m_mapDBItr.reserve(static_cast<std::size_t>(GetSize()));
  for (iterator itr = GetHeadPosition(); itr;) {
    const iterator cur = itr;
    if (const std::uint64_t nDBItr = GetNext(itr)->GetDBIterator()) m_mapDBItr[nDBItr] = cur;
  }
}

std::int32_t CPOHPoolBase::GetListByParent(iterator parentItr,
                                           zar::MArray<std::uint64_t>& out) const {
  if (IsEmpty()) return 0;
  out.clear();
  for (iterator itr = GetHeadPosition(); itr;) {
    const iterator cur = itr;
    if (GetNext(itr)->GetParent() == parentItr) out.push_back(cur);
  }
  return static_cast<std::int32_t>(out.size());
}

CPOHPoolBase::iterator CPOHPoolBase::GetByName(const wchar_t* szName, iterator parentItr) const {
  if (!szName) return 0;
  for (iterator itr = GetHeadPosition(); itr;) {
    const iterator cur = itr;
    const CPOHBase* pNode = GetNext(itr);
    if ((!parentItr || pNode->GetParent() == parentItr) && pNode->GetName() == szName) return cur;
  }
  return 0;
}

void CPOHPoolBase::EraseDBItrOf(iterator itr) {
  // Only when the map names this entry: a later node with the same model-database iterator
  // keeps its mapping.
  const auto it = m_mapDBItr.find(GetAt(itr)->GetDBIterator());
  if (it != m_mapDBItr.end() && it->second == itr) m_mapDBItr.erase(it);
}
