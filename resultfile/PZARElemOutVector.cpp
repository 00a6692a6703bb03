#include "resultfile/PZARElemOutVector.h"

#include <algorithm>
#include <vector>

#include "base/HugePages.h"
#include "core/ModelDBLink.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/ElemTypeTable.h"

namespace {

// More related components than a line element has corners.
constexpr int kMultiCompAbove = 3;

// An element that the link finds: its place among the ids, its type and its value count.
struct TElemAt {
  std::size_t index;
  std::int32_t typeCode;
  std::size_t count;
};

}  // namespace

void CPZARElemOutVector::SetVector(CPZARRecordVector* pMain,
                                   const CPZARRecordElemIDList* pElemList) {
  m_pMain = pMain;
  m_aRelated.clear();
  m_bMultiComp = pMain && pMain->GetComponentRelationNo() > kMultiCompAbove;
  if (!pMain || !pElemList) return;
  for (std::int32_t comp : pMain->GetInfo().m_ints.m_nComponent) {
    if (comp == 0) continue;
    m_aRelated.push_back(PZARRecordCast<CPZARRecordVector>(pElemList->GetVector(pMain, comp)));
  }
}

int CPZARElemOutVector::GetDataInfo(pvk::TVResDInfo* pInfo) {
  if (!pInfo) return 0;
  const bool anyLine =
      std::any_of(m_aRelated.begin(), m_aRelated.end(),
                  [](const CPZARRecordVector* p) { return p && p->IsLineElemComp(); });
  const bool anyFound = std::any_of(m_aRelated.begin(), m_aRelated.end(),
                                    [](const CPZARRecordVector* p) { return p != nullptr; });
  pInfo->nInfo[0] = anyLine ? 1 : 0;
  pInfo->nInfo[1] = anyFound ? 3 : 1;
  pInfo->nInfo[2] = 1 + static_cast<std::int32_t>(m_aRelated.size());
  return 1;
}

std::int32_t CPZARElemOutVector::GetDataCount() const {
  return m_pMain ? m_pMain->GetDataCount() : 0;
}

int CPZARElemOutVector::LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs,
                                 IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) {
  out.clear();
  dbItrs.clear();
  const IPreDBTable* pElems = linker ? linker->GetElementTable() : nullptr;
  if (!m_pMain || !ids || ids->empty() || !pElems ||
      ids->size() != static_cast<std::size_t>(m_pMain->GetDataCount())) {
    return 0;
  }
  zar::MArray<double> main;
  zar::MArray<zar::MArray<double>> related(m_aRelated.size());
  if (!m_pMain->LoadData(main, linker, nullptr)) return 0;
  for (std::size_t r = 0; r < m_aRelated.size(); ++r) {
    if (!m_aRelated[r]) {
      related[r].assign(main.size(), 0.0);
    } else if (!m_aRelated[r]->LoadData(related[r], linker, nullptr) ||
               related[r].size() < main.size()) {
      return 0;
    }
  }
  // The elements first, so that their values take one allocation.
  std::vector<TElemAt> elems;
  elems.reserve(ids->size());
  dbItrs.reserve(ids->size());
  std::size_t total = 0;
  for (std::size_t i = 0; i < ids->size(); ++i) {
    const std::uint64_t elem = pElems->FindByID((*ids)[i]);
    if (elem == 0) continue;
    const TPreElemTypeInfo* pType = linker->GetElemTypeInfo(elem);
    const std::int32_t typeCode = linker->GetElemType(elem);
    const pvk::TElemTypeEntry* pEntry = pvk::GetElemTypeEntry(typeCode);
    const std::int32_t nodeCnt = pType ? pType->m_nNodeCnt : pEntry ? pEntry->m_nNodeCnt : 0;
    dbItrs.push_back(elem);
    const std::size_t count =
        1 + (m_bMultiComp ? related.size() : static_cast<std::size_t>(std::max(nodeCnt, 0)));
    elems.push_back({i, typeCode, count});
    total += count;
  }
  // One fill for the whole array: a node that no related vector holds reads 0.
  out.reserve(total);
  zar::lib::AdviseHugePages(out.data(), total * sizeof(double));
  out.resize(total, 0.0);
  std::size_t at = 0;
  for (const TElemAt& e : elems) {
    FillElement(e.index, e.typeCode, related, main[e.index], std::span(out).subspan(at, e.count));
    at += e.count;
  }
  return 1;
}

void CPZARElemOutVector::FillElement(std::size_t index, std::int32_t typeCode,
                                     const zar::MArray<zar::MArray<double>>& related, double main,
                                     std::span<double> out) const {
  out[0] = main;
  if (m_bMultiComp) {
    for (std::size_t r = 0; r < related.size(); ++r) out[1 + r] = related[r][index];
    return;
  }
  const std::span<double> nodes = out.subspan(1);
  const pvk::TElemTypeEntry* pEntry = pvk::GetElemTypeEntry(typeCode);
  const std::int32_t tableCorners = pEntry ? pEntry->m_nCornerNodeCnt : 0;
  const std::size_t corners = std::min<std::size_t>(
      {tableCorners > 0 ? static_cast<std::size_t>(tableCorners) : nodes.size(), N_MAX_RELATED,
       nodes.size(), related.size()});
  for (std::size_t k = 0; k < corners; ++k) nodes[k] = related[k][index];
  if (!pEntry) return;
  for (std::int32_t m = 0; m < pEntry->m_nMidSideCnt; ++m) {
    const pvk::TElemMidSide& mid = pEntry->m_aMidSide[static_cast<std::size_t>(m)];
    if (static_cast<std::size_t>(mid.m_nNode) >= nodes.size()) break;
    nodes[mid.m_nNode] = 0.5 * (nodes[mid.m_nA] + nodes[mid.m_nB]);
  }
}

int CPZARElemOutVector::LoadData(zar::MArray<double>& out, IPreDBLinker* linker,
                                 zar::MArray<std::int32_t>* ids) {
  zar::MArray<std::uint64_t> dbItrs;
  return LoadData(out, dbItrs, linker, ids);
}

int CPZARElemOutVector::LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>&,
                                 IPreDBLinker*) {
  out.clear();
  return 0;
}
