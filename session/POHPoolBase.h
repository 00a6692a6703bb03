#pragma once
// Pool of one case hierarchy level: creates its node class dynamically and maps
// model-database iterators to its entries.
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "base/Object.h"
#include "qve_pvk_export.h"
#include "session/POHBase.h"
#include "session/PostObjectPool.h"

class IPOHSession;

class PVK_API CPOHPoolBase : public CPostObjectPool {
public:
  CPOHPoolBase(IPOHSession* pSession, CRuntimeClass* pObjClass);
  ~CPOHPoolBase() override;

  // Removal also drops the node's model-database map entry.
  int Remove(const iterator& itr) override;
  int RemoveNext(iterator& itr) override;
  void RemoveAll() override;

  IPOHSession* GetPOHSession() const { return m_pSession; }

  // A new node of the pool's class with its defaults; 0 when the class cannot create a node.
  iterator Add();
  // Typed forms of the base insertions: only case hierarchy nodes enter this pool.
  iterator Insert(std::unique_ptr<CPOHBase> pNode);
  int SetAt(std::int32_t nKey, CPOHBase* pNode);

  CPOHBase* GetAt(const iterator& itr) { return Node(CPostObjectPool::GetAt(itr)); }
  const CPOHBase* GetAt(const iterator& itr) const { return Node(CPostObjectPool::GetAt(itr)); }
  CPOHBase* GetNext(iterator& itr) { return Node(CPostObjectPool::GetNext(itr)); }
  const CPOHBase* GetNext(iterator& itr) const { return Node(CPostObjectPool::GetNext(itr)); }
  CPOHBase* GetPrev(iterator& itr) { return Node(CPostObjectPool::GetPrev(itr)); }
  const CPOHBase* GetPrev(iterator& itr) const { return Node(CPostObjectPool::GetPrev(itr)); }

  // Pool iterator of a model-database iterator; 0 when unknown or when the map is stale
  // (after Reorder without BuildDBItrMap) and its entry is gone or holds another node.
  iterator GetByDBItr(std::uint64_t nDBItr) const;
  // Appends the found pool iterators to out; returns out's size.
  std::int32_t GetByDBItr(const zar::MArray<std::uint64_t>& dbItrs,
                          zar::MArray<std::uint64_t>& out) const;
  const CPOHBase* GetPtrByDBItr(std::uint64_t nDBItr) const;
  void BuildDBItrMap();

  // out becomes the children of parentItr in pool order; untouched when the pool is empty.
  std::int32_t GetListByParent(iterator parentItr, zar::MArray<std::uint64_t>& out) const;
  // First node in pool order with exactly this name and, unless parentItr is 0, this parent.
  iterator GetByName(const wchar_t* szName, iterator parentItr) const;

private:
  static CPOHBase* Node(CPostObject* pObject) { return static_cast<CPOHBase*>(pObject); }
  static const CPOHBase* Node(const CPostObject* pObject) {
    return static_cast<const CPOHBase*>(pObject);
  }
  void EraseDBItrOf(iterator itr);

  std::unordered_map<std::uint64_t, std::uint64_t> m_mapDBItr;
  IPOHSession* m_pSession;  // not owned
  CRuntimeClass* m_pObjClass;
};
