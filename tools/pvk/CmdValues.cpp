#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>

#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "ValueHead.h"
#include "ValueResult.h"
#include "ValueRows.h"
#include "ValueShown.h"
#include "ValueUnits.h"
#include "ValueWriter.h"
#include "base/UnitControl.h"
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
