#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "ValueColumns.h"
#include "ValueCombine.h"
#include "ValueHead.h"
#include "ValueResult.h"
#include "ValueRows.h"
#include "ValueUnits.h"
#include "ValueWriter.h"
#include "base/UnitControl.h"
#include "datastore/AmtType.h"
#include "datastore/PostPartialDList.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"

namespace {

using namespace pvk_values;

struct TValuesOptions {
  std::string file;
  std::string result;
  std::string loc;  // empty: the first location that holds the result
  TStepSelect select;
  bool json = false;
  bool csv = false;
  bool columns = false;    // the stored columns, not the combined value
  bool allValues = false;  // element node values the data set does not hold too
  std::optional<std::string> units;
};

// What a row shows: the combined value, or `count` stored columns from the first.
struct TShown {
  const TCombination* pCombination = nullptr;
  std::int32_t count = 0;
};

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

// The combined value of every row of the block, all at once.
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

// Calls `f(row, values)` for every row of every block.
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

void RunValues(const TValuesOptions& o, std::FILE* out) {
  // Every refusal comes before the first byte of output.
  const std::int32_t loc = AskedLoc(o.loc, fmt::format("bad --loc \"{}\"", o.loc));
  if (o.units) AskedUnits(*o.units, {});
  CPvkSession session(o.file);
  const zar::lib::T_UNIT_INDEX units = UnitsOf(o.units, *session.Mcas().GetUnitIndex());
  const auto [scas, step] = session.SelectCase(o.select);
  CVResult& vr = FindResult(*session.Vcas(step).GetPackage(), o.result, loc, o.file);
  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem(units);
  TVResParam param{o.units ? &ctrl : nullptr, &session.Model()};
  CPostPartialDList list;
  const CPostPartialD* pFirst = &LoadValues(vr, list, param);

  const TShown shown = Shown(vr, *pFirst, o.columns);
  TValuesHead head = StepHead(session, o.file, scas, step);
  head.results = {ResultHead(vr, units)};
  head.loc = vr.GetLocType();
  head.amt = pFirst->GetAMTType();
  head.combined = shown.pCombination != nullptr;
  head.columns = ShownNames(shown, *pFirst);
  head.labelled = IsElementLoc(head.loc);

  const std::unique_ptr<CValueWriter> writer = MakeValueWriter(FormatOf(o.json, o.csv), out, head);
  const TRowRules rules{head.loc, 0, o.allValues, &session.Model()};
  WriteValues(*writer, [&](auto f) { EachRow(vr, list, shown, rules, f); });
}

std::string LocHelp() {
  std::string names;
  for (const std::string& name : pvk_text::LocationNames()) names += " " + name;
  return "location, a name or its number 1 to 7:" + names +
         " (default: the first that holds the result)";
}

}  // namespace

TPvkCommand AddValuesCommand(CLI::App& app) {
  auto o = std::make_shared<TValuesOptions>();
  auto* cmd = app.add_subcommand("values", "print the values of a result");
  AddFileOption(cmd, o->file);
  cmd->add_option("--result", o->result, "result id or name, as 'pvk results FILE' lists them")
      ->required();
  cmd->add_option("--loc", o->loc, LocHelp());
  AddStepOptions(cmd, o->select);
  AddValueFormatOptions(cmd, o->json, o->csv, o->units);
  cmd->add_flag("--columns", o->columns,
                "the stored columns instead of the combined value (von Mises, principal)");
  cmd->add_flag("--all-values", o->allValues,
                "element node values the file does not hold too (as zeros)");
  return {cmd, [o](std::FILE* out) { RunValues(*o, out); }};
}
