#pragma once
// The rows of a loaded result: one per value that an entity has in the columns, each with
// the entity id and, for element results, where on the element the value lies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "datastore/PostPartialD.h"

class CMemModelDB;
class CVResult;

namespace pvk_values {

enum class ERowAt { ENTITY, CENTRE, NODE, RELATED };

struct TValueRow {
  std::int32_t id = 0;  // node, element, facet or point
  ERowAt at = ERowAt::ENTITY;
  std::int32_t number = 0;  // the node id, or the related vector counted from 1
  std::size_t index = 0;    // into the columns
};

// "centre", "node 12", "related 2"; empty for a row of the entity itself.
std::string AtText(const TValueRow& row);

struct TRowRules {
  std::int32_t loc = 0;
  // Corner values come from this many related vectors; the other node values of an element
  // result are padding that the data set does not hold.
  std::int32_t related = 0;
  bool allValues = false;               // the padding too
  const CMemModelDB* pModel = nullptr;  // not owned; the element's node ids
};

// Whether the location's value groups are an element's centre and its nodes or related
// vectors.
bool IsElementLoc(std::int32_t loc);

// Whether an element's value group gives rows past its centre: related vectors, or node values
// that the related vectors hold (or all of them when asked).
bool HasNodeRows(const TRowRules& rules);

// The related vector count of the result's binding `binding` (from the data information of its
// first component); 0 when the loader does not say.
std::int32_t RelatedCount(const CVResult& vr, std::size_t binding);

// One element's value group: the centre, then a value per node or per related vector.
class CElementRows {
public:
  CElementRows(const TRowRules& rules, std::int32_t elementId);
  // Row k of the group (0: the centre); false when the row is padding to leave out.
  bool Row(std::int32_t k, TValueRow& row) const;

private:
  const TRowRules& m_rules;
  const std::int32_t* m_pNodeIds = nullptr;  // not owned: the model's
  std::int32_t m_nNodes = 0;
  std::int32_t m_nCorners = 0;
};

// Calls `row(const TValueRow&)` for every row of the block, in key order.
template <class FRow>
void ForEachRow(const CPostPartialD& block, const TRowRules& rules, FRow row) {
  const auto& keys = *block.GetKey();
  const auto& dsi = *block.GetDSI();
  const auto& dct = *block.GetDCT();
  // A block without entity information has one value per key.
  const bool indexed = dsi.size() == keys.size() && dct.size() == keys.size();
  const bool element = IsElementLoc(rules.loc);
  const bool nodeRows = element && HasNodeRows(rules);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::int32_t first = indexed ? dsi[i] : static_cast<std::int32_t>(i);
    const std::int32_t count = indexed ? dct[i] : 1;
    if (count <= 0 || first < 0) continue;
    const auto at = static_cast<std::size_t>(first);
    if (element && !nodeRows) {  // the centre alone: no need to look the element up
      row(TValueRow{keys[i], ERowAt::CENTRE, 0, at});
    } else if (element) {
      const CElementRows group(rules, keys[i]);
      TValueRow r;
      for (std::int32_t k = 0; k < count; ++k)
        if (group.Row(k, r)) row(TValueRow{keys[i], r.at, r.number, at + k});
    } else {
      for (std::int32_t k = 0; k < count; ++k)
        row(TValueRow{keys[i], ERowAt::ENTITY, 0, at + static_cast<std::size_t>(k)});
    }
  }
}

}  // namespace pvk_values
