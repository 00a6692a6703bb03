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
#include "ValueResult.h"
#include "ValueRows.h"
#include "ValueUnits.h"
#include "ValueWriter.h"
#include "base/UnitControl.h"
#include "datastore/AmtType.h"
#include "datastore/PostPartialDList.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
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

std::int32_t AskedLoc(const std::string& text) {
  if (text.empty()) return -1;
  const std::int32_t loc = pvk_text::LocationCode(text);
  if (loc < 0) {
    std::string names;
    for (const std::string& name : pvk_text::LocationNames()) names += " " + name;
    throw CPvkError(PVK_EXIT_USAGE, fmt::format("bad --loc \"{}\"", text),
                    "expected a location name or its number 1 to 7:" + names);
  }
  return loc;
}

// The 1-based position of an iterator among its siblings.
std::int32_t Number(const std::vector<std::uint64_t>& itrs, std::uint64_t itr) {
  return static_cast<std::int32_t>(std::find(itrs.begin(), itrs.end(), itr) - itrs.begin()) + 1;
}

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

// Calls `f(row, values)` for every row of every block.
template <class F>
void EachRow(const CVResult& vr, const CPostPartialDList& list, const TShown& shown,
             TRowRules rules, F f) {
  std::vector<double> values(static_cast<std::size_t>(shown.count));
  TTensor tensor{};
  std::size_t binding = 0;
  for (const auto& pBlock : list.GetList()) {
    const CPostPartialD& block = *pBlock;
    rules.related = RelatedCount(vr, binding++);
    auto at = [&](std::int32_t c, std::size_t i) {
      const zar::MArray<double>& column = *block.GetComp(c);
      return c < block.GetCompCnt() && i < column.size() ? column[i] : std::nan("");
    };
    ForEachRow(block, rules, [&](const TValueRow& row) {
      if (shown.pCombination) {
        for (std::size_t c = 0; c < tensor.size(); ++c)
          tensor[c] = at(static_cast<std::int32_t>(c), row.index);
        values[0] = Combine(*shown.pCombination, tensor);
      } else {
        for (std::size_t c = 0; c < values.size(); ++c)
          values[c] = at(static_cast<std::int32_t>(c), row.index);
      }
      f(row, std::span<const double>(values));
    });
  }
}

const CPostPartialD* FirstBlock(const CPostPartialDList& list) {
  for (const auto& pBlock : list.GetList())
    if (pBlock->GetCompCnt() > 0) return pBlock.get();
  return nullptr;
}

void RunValues(const TValuesOptions& o, std::FILE* out) {
  // Every refusal comes before the first byte of output.
  const std::int32_t loc = AskedLoc(o.loc);
  if (o.units) AskedUnits(*o.units, {});
  CPvkSession session(o.file);
  const zar::lib::T_UNIT_INDEX fileUnits = *session.Mcas().GetUnitIndex();
  const zar::lib::T_UNIT_INDEX units = o.units ? AskedUnits(*o.units, fileUnits) : fileUnits;
  const std::uint64_t scas = session.SelectSubcase(o.select.subcase);
  const std::uint64_t step = session.SelectStep(scas, o.select);
  CVResult& vr = FindResult(*session.Vcas(step).GetPackage(), o.result, loc, o.file);
  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem(units);
  TVResParam param{&ctrl, &session.Model()};
  CPostPartialDList list;
  const int loaded = o.units ? vr.LoadData(&list, &param) : vr.LoadDataNU(&list, &param);
  const CPostPartialD* pFirst = loaded ? FirstBlock(list) : nullptr;
  if (!pFirst)
    throw CPvkError(PVK_EXIT_FILE, fmt::format("cannot load result {}", vr.GetType()),
                    "its values could not be read");

  const TShown shown = Shown(vr, *pFirst, o.columns);
  TValuesHead head;
  head.file = o.file;
  head.subcaseNumber = Number(session.Subcases(), scas);
  head.subcase = pvk_text::Utf8(session.Scas(scas).GetName());
  head.stepNumber = Number(session.Steps(scas), step);
  head.step = pvk_text::Utf8(session.Vcas(step).GetName());
  head.resultId = vr.GetType();
  head.resultName = pvk_text::Utf8(vr.GetName());
  head.loc = vr.GetLocType();
  head.amt = pFirst->GetAMTType();
  head.unit = UnitText(vr, units);
  head.combined = shown.pCombination != nullptr;
  head.columns = ShownNames(shown, *pFirst);
  head.labelled = IsElementLoc(head.loc);

  const EValueFormat format = o.json  ? EValueFormat::JSON
                              : o.csv ? EValueFormat::CSV
                                      : EValueFormat::TABLE;
  const std::unique_ptr<CValueWriter> writer = MakeValueWriter(format, out, head);
  const TRowRules rules{head.loc, 0, o.allValues, &session.Model()};
  if (writer->Measures())
    EachRow(vr, list, shown, rules, [&](const TValueRow& row, std::span<const double> values) {
      writer->Measure(row, values);
    });
  writer->Begin();
  EachRow(vr, list, shown, rules,
          [&](const TValueRow& row, std::span<const double> values) { writer->Row(row, values); });
  writer->End();
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
  auto* jsonFlag = cmd->add_flag("--json", o->json, "a JSON object");
  cmd->add_flag("--csv", o->csv, "comma-separated rows")->excludes(jsonFlag);
  cmd->add_flag("--columns", o->columns,
                "the stored columns instead of the combined value (von Mises, principal)");
  cmd->add_flag("--all-values", o->allValues,
                "element node values the file does not hold too (as zeros)");
  cmd->add_option("--units", o->units,
                  "unit names separated by commas, such as m,kN or kip,in,sec; a kind not "
                  "named keeps the file's unit");
  return {cmd, [o](std::FILE* out) { RunValues(*o, out); }};
}
