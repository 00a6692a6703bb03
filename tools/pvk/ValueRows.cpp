#include "ValueRows.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/DataTypes.h"
#include "datastore/PostDSetModelResult.h"
#include "session/MemModelDB.h"
#include "vresult/VResult.h"

namespace pvk_values {

std::string AtText(const TValueRow& row) {
  switch (row.at) {
    case ERowAt::CENTRE:
      return "centre";
    case ERowAt::NODE:
      return fmt::format("node {}", row.number);
    case ERowAt::RELATED:
      return fmt::format("related {}", row.number);
    case ERowAt::ENTITY:
      break;
  }
  return {};
}

bool IsElementLoc(std::int32_t loc) { return loc == pvk::LOC_ELEM || loc == pvk::LOC_ELEM_CORNER; }

bool HasNodeRows(const TRowRules& rules) {
  if (rules.loc == pvk::LOC_ELEM_CORNER) return true;
  return rules.loc == pvk::LOC_ELEM && (rules.related > 0 || rules.allValues);
}

std::int32_t RelatedCount(const CVResult& vr, std::size_t binding) {
  std::size_t b = 0;
  for (const TVRDSet& vrdSet : vr.GetVRDSet()) {
    if (b++ != binding) continue;
    const auto* pComp = dynamic_cast<const CPostUnitModelResultDComp*>(vrdSet.pDComp[0]);
    auto* pLoader = pComp ? pComp->GetLoader() : nullptr;
    pvk::TVResDInfo info{};
    // The third field counts the centre and one value per related vector.
    return pLoader && pLoader->GetDataInfo(&info) ? std::max(info.nInfo[2] - 1, 0) : 0;
  }
  return 0;
}

CElementRows::CElementRows(const TRowRules& rules, std::int32_t elementId) : m_rules(rules) {
  if (rules.loc != pvk::LOC_ELEM || !rules.pModel) return;
  const std::uint64_t itr = rules.pModel->GetElementTable()->FindByID(elementId);
  const TMemDBElem* pElem = rules.pModel->GetElement(itr);
  const TPreElemTypeInfo* pType = rules.pModel->GetElemTypeInfo(itr);
  if (!pElem || !pType) return;
  m_pNodeIds = pElem->m_aNodeID.data();
  m_nNodes = std::min<std::int32_t>(pType->m_nNodeCnt, TMemDBElem::N_MAX_NODE);
  m_nCorners = pType->m_nCornerNodeCnt > 0 ? pType->m_nCornerNodeCnt : m_nNodes;
}

bool CElementRows::Row(std::int32_t k, TValueRow& row) const {
  if (k == 0) {
    row.at = ERowAt::CENTRE;
    return true;
  }
  if (m_rules.loc == pvk::LOC_ELEM_CORNER) {
    row.at = ERowAt::RELATED;
    row.number = k;
    return true;
  }
  const std::int32_t node = k - 1;
  row.at = ERowAt::NODE;
  row.number = node < m_nNodes ? m_pNodeIds[node] : 0;
  // Corners come from the related vectors; a mid-side value is the mean of two corners, held
  // when every corner is.
  const std::int32_t related = m_rules.related;
  const bool held = node < std::min(m_nCorners, related) ||
                    (node >= m_nCorners && node < m_nNodes && related >= m_nCorners);
  return held || m_rules.allValues;
}

}  // namespace pvk_values
