#include "PyValues.h"

#include <fmt/format.h>

#include <algorithm>
#include <numeric>

#include "CalcRun.h"
#include "PvkCommands.h"
#include "PvkText.h"
#include "PyArrays.h"
#include "ValueColumns.h"
#include "ValueResult.h"
#include "ValueShown.h"
#include "ValueUnits.h"
#include "base/ConvertString.h"
#include "base/UnitControl.h"
#include "datastore/AmtType.h"
#include "session/POHMcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultCalcExpr.h"

namespace pvk_py {

namespace {

using namespace pvk_values;

// A principal value and its direction cosines l, m, n.
constexpr std::size_t kPrincipalGroup = 4;

zar::lib::T_UNIT_INDEX UnitsFor(const CPvkSession& session,
                                const std::optional<std::string>& units) {
  return UnitsOf(units, *session.Mcas().GetUnitIndex());
}

// Loads the result's blocks in `units` (converted only when asked); the first with columns.
const CPostPartialD& Load(CPvkSession& session, CVResult& vr,
                          const std::optional<std::string>& units, CPostPartialDList& list) {
  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem(UnitsFor(session, units));
  TVResParam param{units ? &ctrl : nullptr, &session.Model()};
  return LoadValues(vr, list, param);
}

std::size_t BlockRows(const CPostPartialD& block) {
  std::size_t rows = 0;
  for (std::int32_t c = 0; c < block.GetCompCnt(); ++c)
    rows = std::max(rows, block.GetComp(c)->size());
  return rows;
}

struct TKeyArrays {
  py::array keys, dsi, dct;
};

// The blocks' entity indexing, moved out of a single block; the blocks after the first are
// appended with their rows counted on. A block without indexing has a row per key.
TKeyArrays KeyArrays(const CPostPartialDList& list, std::span<const std::size_t> rows) {
  std::vector<std::int32_t> keys, dsi, dct;
  std::int32_t first = 0;
  std::size_t b = 0;
  for (const auto& pBlock : list.GetList()) {
    auto& k = *pBlock->GetKey();
    auto& i = *pBlock->GetDSI();
    auto& c = *pBlock->GetDCT();
    if (i.size() != k.size() || c.size() != k.size()) {
      i.resize(k.size());
      std::iota(i.begin(), i.end(), 0);
      c.assign(k.size(), 1);
    }
    if (list.GetSize() == 1) return {Adopt(std::move(k)), Adopt(std::move(i)), Adopt(std::move(c))};
    keys.insert(keys.end(), k.begin(), k.end());
    dct.insert(dct.end(), c.begin(), c.end());
    for (const std::int32_t at : i) dsi.push_back(at < 0 ? at : at + first);
    first += static_cast<std::int32_t>(b < rows.size() ? rows[b++] : 0);
  }
  return {Adopt(std::move(keys)), Adopt(std::move(dsi)), Adopt(std::move(dct))};
}

// The shown columns of each block; combined values are computed into `owned`.
std::vector<TColumnBlock> ShownBlocks(const CPostPartialDList& list, const TShown& shown,
                                      std::vector<std::vector<double>>& owned) {
  std::vector<TColumnBlock> blocks;
  owned.reserve(list.GetList().size());
  for (const auto& pBlock : list.GetList()) {
    TColumnBlock block;
    if (shown.pCombination) {
      owned.push_back(CombinedRows(*shown.pCombination, *pBlock));
      block.columns.emplace_back(owned.back());
    } else {
      for (std::int32_t c = 0; c < shown.count; ++c)
        block.columns.emplace_back(c < pBlock->GetCompCnt()
                                       ? std::span<const double>(*pBlock->GetComp(c))
                                       : std::span<const double>());
    }
    for (const auto& column : block.columns) block.nRows = std::max(block.nRows, column.size());
    blocks.push_back(std::move(block));
  }
  return blocks;
}

std::vector<std::size_t> RowCounts(std::span<const TColumnBlock> blocks) {
  std::vector<std::size_t> rows;
  for (const TColumnBlock& block : blocks) rows.push_back(block.nRows);
  return rows;
}

// One column of one whole block moves into the array; anything else is copied once.
py::array ShownColumns(const CPostPartialDList& list, const TShown& shown,
                       std::span<const TColumnBlock> blocks,
                       std::vector<std::vector<double>>& owned) {
  const bool whole =
      blocks.size() == 1 && shown.count == 1 && blocks[0].columns[0].size() == blocks[0].nRows;
  if (!whole) return ColumnArray(blocks, static_cast<std::size_t>(shown.count));
  std::vector<double>& column =
      shown.pCombination ? owned.front() : *list.GetList().front()->GetComp(0);
  const auto n = static_cast<py::ssize_t>(column.size());
  return Adopt(std::move(column), {n, 1});
}

void SetKeys(const CPostPartialDList& list, std::span<const TColumnBlock> blocks, auto& out) {
  TKeyArrays keys = KeyArrays(list, RowCounts(blocks));
  out.keys = std::move(keys.keys);
  out.dsi = std::move(keys.dsi);
  out.dct = std::move(keys.dct);
}

// The four columns of a principal result, or none when the result has no principal values.
std::vector<TColumnBlock> PrincipalBlocks(const CVResult& vr, const CPostPartialDList& list,
                                          std::vector<std::vector<double>>& owned) {
  std::vector<TColumnBlock> blocks;
  const TCombination* pCombination = FindCombination(vr.GetType());
  if (pCombination && pCombination->kind == ECombination::VON_MISES) return blocks;
  owned.reserve(kPrincipalGroup * list.GetList().size());
  for (const auto& pBlock : list.GetList()) {
    const std::int32_t amt = pBlock->GetAMTType();
    TColumnBlock block;
    if (pCombination && amt == pvk::AMT_TENSOR) {
      const TBlockTensor tensor = BlockTensor(*pBlock);
      TPrincipalRows rows = PrincipalRows(*pCombination, tensor.columns, tensor.nRows);
      owned.push_back(std::move(rows.values));
      for (std::vector<double>& column : rows.directions) owned.push_back(std::move(column));
      for (std::size_t c = owned.size() - kPrincipalGroup; c < owned.size(); ++c)
        block.columns.emplace_back(owned[c]);
    } else if (amt == pvk::AMT_PRINCIPAL_2D || amt == pvk::AMT_PRINCIPAL_3D) {
      for (std::size_t c = 0; c < kPrincipalGroup; ++c)
        block.columns.emplace_back(*pBlock->GetComp(static_cast<std::int32_t>(c)));
    } else if (pBlock->GetCompCnt() > 0) {
      return {};
    }
    block.nRows = BlockRows(*pBlock);
    blocks.push_back(std::move(block));
  }
  return blocks;
}

}  // namespace

TPyValues ResultValues(const TPyResult& result, const std::optional<std::string>& units,
                       bool stored) {
  CPvkSession& session = result.step.file->Session();
  CVResult& vr = result.Get();
  CPostPartialDList list;
  const CPostPartialD& first = Load(session, vr, units, list);
  const TShown shown = Shown(vr, first, stored);
  TPyValues out;
  out.names = ShownNames(shown, first);
  out.unit = UnitText(vr, UnitsFor(session, units));
  out.combined = shown.pCombination != nullptr;
  std::vector<std::vector<double>> owned;
  const std::vector<TColumnBlock> blocks = ShownBlocks(list, shown, owned);
  out.columns = ShownColumns(list, shown, blocks, owned);
  SetKeys(list, blocks, out);
  return out;
}

TPyPrincipal PrincipalValues(const TPyResult& result, const std::optional<std::string>& units) {
  CPvkSession& session = result.step.file->Session();
  CVResult& vr = result.Get();
  CPostPartialDList list;
  Load(session, vr, units, list);
  std::vector<std::vector<double>> owned;
  const std::vector<TColumnBlock> blocks = PrincipalBlocks(vr, list, owned);
  if (blocks.empty())
    throw py::value_error(fmt::format("result {} \"{}\" has no principal values", vr.GetType(),
                                      pvk_text::Utf8(vr.GetName())));
  const py::array group = ColumnArray(blocks, kPrincipalGroup);
  TPyPrincipal out;
  out.values = group[py::make_tuple(py::slice(0, {}, 1), 0)];
  out.directions = group[py::make_tuple(py::slice(0, {}, 1), py::slice(1, {}, 1))];
  out.unit = UnitText(vr, UnitsFor(session, units));
  SetKeys(list, blocks, out);
  return out;
}

TPyValues CalcValues(const std::string& expr, const std::vector<TPyResult>& operands,
                     const std::optional<std::string>& units) {
  if (operands.empty()) throw py::value_error("calc needs at least one operand");
  CPvkSession& session = operands.front().step.file->Session();
  std::vector<CVResult*> results;
  for (const TPyResult& operand : operands) results.push_back(&operand.Get());
  const CString wide = zar::lib::MConvertString::ToWide(expr, CP_UTF8);
  CVResultCalcExpr parsed;
  CheckExpression(parsed, parsed.Set(wide), expr, operands.size());
  if (units) AskedUnits(*units, {});
  TCalcRows calc;
  ComputeRows(session, wide, results,
              units ? std::optional(UnitsFor(session, units)) : std::nullopt, calc);

  TPyValues out;
  out.names = ColumnNames(calc.amt, calc.compCnt);
  std::vector<TColumnBlock> blocks;
  std::size_t p = 0;
  for (const auto& pBlock : calc.labels.GetList()) {
    TColumnBlock block;
    block.nRows = BlockRows(*pBlock);
    if (p < calc.values.size())
      for (const auto& column : calc.values[p++].aComp) block.columns.emplace_back(column);
    blocks.push_back(std::move(block));
  }
  out.columns = ColumnArray(blocks, out.names.size());
  SetKeys(calc.labels, blocks, out);
  return out;
}

}  // namespace pvk_py
