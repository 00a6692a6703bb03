// pvk calc: a result computed from others with an expression, printed as `pvk values` prints.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "CalcRun.h"
#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "ValueColumns.h"
#include "ValueHead.h"
#include "ValueResult.h"
#include "ValueRows.h"
#include "ValueUnits.h"
#include "ValueWriter.h"
#include "base/ConvertString.h"
#include "base/DBSession.h"
#include "base/UnitControl.h"
#include "datastore/PostPartialDList.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultCalculator.h"

namespace {

using namespace pvk_values;

constexpr char kLocMark = '@';

struct TCalcOptions {
  std::string file;
  std::string expr;
  std::vector<std::string> operands;  // "ID[@LOC]" in token order
  TStepSelect select;
  bool json = false;
  bool csv = false;
  std::optional<std::string> units;
};

struct TOperand {
  std::string result;
  std::int32_t loc = -1;  // -1: not given
};

TOperand AskedOperand(const std::string& text) {
  const std::size_t at = text.rfind(kLocMark);
  if (at == std::string::npos) return {text, -1};
  const std::string what = fmt::format("bad --operand \"{}\"", text);
  const std::string loc = text.substr(at + 1);
  if (loc.empty()) AskedLoc("?", what);  // a "@" names a location
  return {text.substr(0, at), AskedLoc(loc, what)};
}

// Before the file opens: an expression that does not parse, or whose tokens do not match the
// operands, is a usage error with the parser's reason.
void CheckExpression(const CVResultCalcExpr& expr, int compiled, const TCalcOptions& o) {
  CheckExpression(expr, compiled, o.expr, o.operands.size());
}

// An operand without a location is where the first one that names one is, or else where the
// first operand is.
std::vector<CVResult*> FindOperands(const CPvkSession& session, std::uint64_t step,
                                    const std::vector<TOperand>& asked, const std::string& file) {
  std::int32_t loc = -1;
  for (const TOperand& a : asked)
    if (loc < 0) loc = a.loc;
  std::vector<CVResult*> found;
  for (const TOperand& a : asked) {
    CVResult& vr =
        FindResult(*session.Vcas(step).GetPackage(), a.result, a.loc >= 0 ? a.loc : loc, file);
    if (loc < 0) loc = vr.GetLocType();
    found.push_back(&vr);
  }
  return found;
}

// The host side of the calculator's loads: the unit system asked for, or none (the file's).
class CPvkDBSession : public zar_interface::IDBSession {
public:
  explicit CPvkDBSession(const std::optional<zar::lib::T_UNIT_INDEX>& units)
      : m_bConvert(units.has_value()) {
    if (units) m_ctrl.SetCurUnitSystem(*units);
  }
  const zar::lib::MUnitCtrl* GetUnitCtrl() const override { return m_bConvert ? &m_ctrl : nullptr; }

private:
  zar::lib::MUnitCtrl m_ctrl;
  bool m_bConvert;
};

}  // namespace

void CheckExpression(const CVResultCalcExpr& expr, int compiled, const std::string& text,
                     std::size_t operands) {
  const std::string what = fmt::format("bad --expr \"{}\"", text);
  if (!compiled) throw CPvkError(PVK_EXIT_USAGE, what, pvk_text::Utf8(expr.GetError().strMsg));
  if (expr.GetTokens().size() != operands)
    throw CPvkError(
        PVK_EXIT_USAGE, what,
        fmt::format("{} operand tokens for {} --operand", expr.GetTokens().size(), operands));
}

void ComputeRows(CPvkSession& session, const CString& expr, const std::vector<CVResult*>& operands,
                 const std::optional<zar::lib::T_UNIT_INDEX>& units, TCalcRows& out) {
  CPvkDBSession db(units);
  TVResParam param{db.GetUnitCtrl(), &session.Model()};
  const CPostPartialD& first = LoadValues(*operands[0], out.labels, param);
  out.amt = first.GetAMTType();
  out.compCnt = first.GetCompCnt();
  CVResultCalculator calc(&db, &session.Model(), nullptr);
  if (!calc.Compute(expr, zar::MArray<CVResult*>(operands.begin(), operands.end()), out.values))
    throw CPvkError(PVK_EXIT_USAGE, fmt::format("cannot compute \"{}\"", pvk_text::Utf8(expr)),
                    pvk_text::Utf8(calc.GetErrorMsg()));
}

namespace {

// Calls `f(row, values)` for every row of operand 0's blocks, with the computed columns.
template <class F>
void EachRow(const CVResult& first, const CPostPartialDList& labels, const T_VRES_CALC_OUT& calc,
             std::size_t nColumns, TRowRules rules, F f) {
  std::vector<double> values(nColumns);
  std::size_t p = 0;
  for (const auto& pBlock : labels.GetList()) {
    if (p >= calc.size()) break;
    const T_VRES_CALC_PART& part = calc[p];
    rules.related = RelatedCount(first, p++);
    ForEachRow(*pBlock, rules, [&](const TValueRow& row) {
      for (std::size_t c = 0; c < values.size(); ++c) {
        const bool held = c < part.aComp.size() && row.index < part.aComp[c].size();
        values[c] = held ? part.aComp[c][row.index] : std::nan("");
      }
      f(row, std::span<const double>(values));
    });
  }
}

void RunCalc(const TCalcOptions& o, std::FILE* out) {
  // Every refusal comes before the first byte of output.
  const CString wideExpr = zar::lib::MConvertString::ToWide(o.expr, CP_UTF8);
  CVResultCalcExpr expr;
  CheckExpression(expr, expr.Set(wideExpr), o);
  std::vector<TOperand> asked;
  for (const std::string& text : o.operands) asked.push_back(AskedOperand(text));
  if (o.units) AskedUnits(*o.units, {});
  CPvkSession session(o.file);
  const zar::lib::T_UNIT_INDEX units = UnitsOf(o.units, *session.Mcas().GetUnitIndex());
  const auto [scas, step] = session.SelectCase(o.select);
  const std::vector<CVResult*> operands = FindOperands(session, step, asked, o.file);

  TCalcRows calc;
  ComputeRows(session, wideExpr, operands, o.units ? std::optional(units) : std::nullopt, calc);

  TValuesHead head = StepHead(session, o.file, scas, step);
  head.expression = pvk_text::Utf8(expr.GetText());
  for (std::size_t k = 0; k < operands.size(); ++k) {
    head.results.push_back(ResultHead(*operands[k], units));
    head.results.back().token = pvk_text::Utf8(expr.GetTokens()[k]);
  }
  head.loc = operands[0]->GetLocType();
  head.amt = calc.amt;
  head.columns = ColumnNames(head.amt, calc.compCnt);
  head.labelled = IsElementLoc(head.loc);

  const std::unique_ptr<CValueWriter> writer = MakeValueWriter(FormatOf(o.json, o.csv), out, head);
  const TRowRules rules{head.loc, 0, false, &session.Model()};
  WriteValues(*writer, [&](auto f) {
    EachRow(*operands[0], calc.labels, calc.values, head.columns.size(), rules, f);
  });
}

}  // namespace

TPvkCommand AddCalcCommand(CLI::App& app) {
  auto o = std::make_shared<TCalcOptions>();
  auto* cmd = app.add_subcommand("calc", "print a result computed from others by an expression");
  AddFileOption(cmd, o->file);
  cmd->add_option("--expr", o->expr,
                  "the expression: [NAME] stands for the next --operand, in order; numbers, + - "
                  "* / ^, comparisons, ?:, functions such as sqrt, abs, min, max")
      ->required();
  cmd->add_option("--operand", o->operands,
                  "a result id or name, as 'pvk results FILE' lists them, with @LOC for its "
                  "location; once per token. Without @LOC: the location of the first operand "
                  "that names one, or of the first operand")
      ->required()
      ->allow_extra_args(false);
  AddStepOptions(cmd, o->select);
  AddValueFormatOptions(cmd, o->json, o->csv, o->units);
  return {cmd, [o](std::FILE* out) { RunCalc(*o, out); }};
}
