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
  std::size_t binding = 0;
  for (const auto& pBlock : list.GetList()) {
    const CPostPartialD& block = *pBlock;
    rules.related = RelatedCount(vr, binding++);
    auto at = [&](std::int32_t c, std::size_t i) {
      const zar::MArray<double>& column = *block.GetComp(c);
      return c < block.GetCompCnt() && i < column.size() ? column[i] : std::nan("");
    };
    const std::vector<double> combined =
        shown.pCombination ? CombinedRows(*shown.pCombination, block) : std::vector<double>{};
    ForEachRow(block, rules, [&](const TValueRow& row) {
      if (shown.pCombination) {
        values[0] = row.index < combined.size() ? combined[row.index] : std::nan("");
      } else {
        for (std::size_t c = 0; c < values.size(); ++c)
          values[c] = at(static_cast<std::int32_t>(c), row.index);
      }
      f(row, std::span<const double>(values));
    });
  }
}

}  // namespace pvk_values
