#include "ValueShown.h"

#include <algorithm>

#include "ValueColumns.h"
#include "datastore/AmtType.h"
#include "vresult/VResult.h"

namespace pvk_values {

TShown Shown(const CVResult& vr, const CPostPartialD& block, bool columns) {
  const std::int32_t stored = block.GetCompCnt();
  const std::int32_t amt = block.GetAMTType();
  const TCombination* pCombination = FindCombination(vr.GetType());
  if (!columns && pCombination && amt == pvk::AMT_TENSOR && stored >= 6) return {pCombination, 1};
  // A principal value: its own group (value and direction) comes first.
  const bool principal = amt == pvk::AMT_PRINCIPAL_2D || amt == pvk::AMT_PRINCIPAL_3D;
  constexpr std::int32_t kGroup = 4;
  return {nullptr, !columns && principal ? std::min(stored, kGroup) : stored};
}

std::vector<std::string> ShownNames(const TShown& shown, const CPostPartialD& block) {
  if (shown.pCombination) return {"value"};
  std::vector<std::string> names = ColumnNames(block.GetAMTType(), block.GetCompCnt());
  names.resize(static_cast<std::size_t>(shown.count));
  return names;
}

std::vector<double> CombinedRows(const TCombination& combination, const CPostPartialD& block) {
  TTensorColumns columns;
  std::size_t nRows = 0;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const auto comp = static_cast<std::int32_t>(c);
    if (comp < block.GetCompCnt()) columns[c] = *block.GetComp(comp);
    nRows = std::max(nRows, columns[c].size());
  }
  return CombineRows(combination, columns, nRows);
}

}  // namespace pvk_values
