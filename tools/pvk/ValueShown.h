#pragma once
// What `pvk values` shows of a loaded result: the value combined from the stored tensor, or
// stored columns from the first; and every row of it.
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ValueCombine.h"
#include "ValueRows.h"
#include "datastore/PostPartialDList.h"

class CVResult;

namespace pvk_values {

// What a row shows: the combined value, or `count` stored columns from the first.
struct TShown {
  const TCombination* pCombination = nullptr;
  std::int32_t count = 0;
};

// The combined value where the result has one (unless `columns`), else the stored columns:
// of a principal result its own group (value and direction) unless `columns`.
TShown Shown(const CVResult& vr, const CPostPartialD& block, bool columns);
std::vector<std::string> ShownNames(const TShown& shown, const CPostPartialD& block);
// The six tensor columns of a block (those it lacks empty) and the rows they span.
struct TBlockTensor {
  TTensorColumns columns;
  std::size_t nRows = 0;
};
TBlockTensor BlockTensor(const CPostPartialD& block);
// The combined value of every row of the block, all at once.
std::vector<double> CombinedRows(const TCombination& combination, const CPostPartialD& block);

// Calls `f(row, values)` for every row of every block, `values` the shown columns of the row.
template <class F>
void EachRow(const CVResult& vr, const CPostPartialDList& list, const TShown& shown,
             TRowRules rules, F f) {
  std::vector<double> values(static_cast<std::size_t>(shown.count));
  std::vector<std::span<const double>> columns(values.size());
  std::vector<double> combined;
  std::size_t binding = 0;
  for (const auto& pBlock : list.GetList()) {
    const CPostPartialD& block = *pBlock;
    rules.related = RelatedCount(vr, binding++);
    // The shown columns of the block, taken once; a row past a column's end reads NaN.
    if (shown.pCombination) {
      combined = CombinedRows(*shown.pCombination, block);
      columns[0] = combined;
    } else {
      for (std::size_t c = 0; c < columns.size(); ++c) {
        const auto comp = static_cast<std::int32_t>(c);
        columns[c] = comp < block.GetCompCnt() ? std::span<const double>(*block.GetComp(comp))
                                               : std::span<const double>();
      }
    }
    ForEachRow(block, rules, [&](const TValueRow& row) {
      for (std::size_t c = 0; c < values.size(); ++c)
        values[c] = row.index < columns[c].size() ? columns[c][row.index] : std::nan("");
      f(row, std::span<const double>(values));
    });
  }
}

}  // namespace pvk_values
