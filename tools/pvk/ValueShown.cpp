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

TBlockTensor BlockTensor(const CPostPartialD& block) {
  TBlockTensor tensor;
  for (std::size_t c = 0; c < tensor.columns.size(); ++c) {
    const auto comp = static_cast<std::int32_t>(c);
    if (comp < block.GetCompCnt()) tensor.columns[c] = *block.GetComp(comp);
    tensor.nRows = std::max(tensor.nRows, tensor.columns[c].size());
  }
  return tensor;
}

std::vector<double> CombinedRows(const TCombination& combination, const CPostPartialD& block) {
  const TBlockTensor tensor = BlockTensor(block);
  return CombineRows(combination, tensor.columns, tensor.nRows);
}

}  // namespace pvk_values
