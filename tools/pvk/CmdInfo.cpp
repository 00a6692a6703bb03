#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <vector>

#include "InfoJson.h"
#include "PvkCommands.h"
#include "PvkModelSummary.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "base/UnitDimension.h"
#include "datastore/PostDSetContainer.h"
#include "resultfile/PZARFile.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "vresult/VResultPackage.h"

using pvk_text::JsonNumber;
using pvk_text::JsonString;
using pvk_text::Utf8;

namespace {

// A step list longer than this is folded to its first and last few steps unless --all.
constexpr std::size_t kFoldAbove = 10;
constexpr std::size_t kFoldEnds = 3;

std::size_t ResultCount(const CPOHVcas& step) {
  std::vector<CVResult*> results;
  return static_cast<std::size_t>(step.GetPackage()->GetAllResults(results));
}

std::size_t DataSetCount(const CPOHVcas& step) {
  return step.GetDSetContainer()->GetDSetList().size();
}

std::string UnitName(zar::lib::E_UNIT_KIND kind, const zar::lib::T_UNIT_INDEX& units) {
  return pvk_text::UnitName(kind, UnitCodeOf(units, kind));
}

// Calls `f(kind, name)` for the kinds of the unit system, in the order of T_UNIT_INDEX.
template <class F>
void ForEachUnitKind(F f) {
  for (std::int32_t k = 0; k < zar::lib::UNIT_KIND_COUNT; ++k) {
    const auto kind = static_cast<zar::lib::E_UNIT_KIND>(k);
    f(kind, pvk_text::UnitKindName(kind));
  }
}

std::string UnitsJson(const zar::lib::T_UNIT_INDEX& units) {
  std::string out = "{";
  ForEachUnitKind([&](zar::lib::E_UNIT_KIND kind, const char* name) {
    out += fmt::format("{}\"{}\": {}", out.size() > 1 ? ", " : "", name,
                       JsonString(UnitName(kind, units)));
  });
  return out + "}";
}

std::string UnitsText(const zar::lib::T_UNIT_INDEX& units) {
  std::string out;
  ForEachUnitKind([&](zar::lib::E_UNIT_KIND kind, const char* name) {
    out += fmt::format("{}{} {}", out.empty() ? "" : ", ", name, UnitName(kind, units));
  });
  return out;
}

std::string BboxJson(const TModelSummary& model) {
  if (!model.bbox) return "null";
  std::string out = "[";
  for (const double v : *model.bbox) out += (out.size() > 1 ? ", " : "") + JsonNumber(v);
  return out + "]";
}

std::string StepJson(const CPvkSession& s, std::size_t number, const CPOHVcas& step) {
  return fmt::format(R"({{"number": {}, "name": {}, "value": {}, "datasets": {}, "results": {}}})",
                     number, JsonString(Utf8(step.GetName())), s.RealJson(step.GetStepValue()),
                     DataSetCount(step), ResultCount(step));
}

std::string SubcaseJson(const CPvkSession& s, std::size_t number, std::uint64_t scas) {
  const CPOHScas& sub = s.Scas(scas);
  std::string out = fmt::format(
      R"({{"number": {}, "name": {}, "analysis_type": {}, "has_steps": {}, "steps": [)", number,
      JsonString(Utf8(sub.GetName())), sub.GetMecAnalType(), sub.HasStep() ? "true" : "false");
  const std::vector<std::uint64_t> steps = s.Steps(scas);
  for (std::size_t i = 0; i < steps.size(); ++i)
    out += (i ? ", " : "") + StepJson(s, i + 1, s.Vcas(steps[i]));
  return out + "]}";
}

}  // namespace

std::string InfoJson(CPvkSession& s) {
  const CPOHMcas& mcas = s.Mcas();
  const TModelSummary model = SummariseModel(s);
  std::string out = fmt::format(
      R"({{"schema_version": 1, "file": {}, "name": {}, "version": {}, "real_width": {}, )"
      R"("records": {}, "nodes": {}, "elements": {}, "bbox": {}, "units": {}, "subcases": [)",
      JsonString(s.Path()), JsonString(Utf8(mcas.GetName())), s.File().GetVersion(),
      s.File().GetFloatSize(), s.File().GetRecordList().size(), model.nodes, model.elements,
      BboxJson(model), UnitsJson(*mcas.GetUnitIndex()));
  const std::vector<std::uint64_t> subcases = s.Subcases();
  for (std::size_t i = 0; i < subcases.size(); ++i)
    out += (i ? ", " : "") + SubcaseJson(s, i + 1, subcases[i]);
  return out + "]}\n";
}

namespace {

std::string ModelText(const TModelSummary& model) {
  std::string out = fmt::format("  model     {} nodes, {} elements\n", model.nodes, model.elements);
  if (const auto& b = model.bbox) out += "  bbox      " + BoxText(*b) + "\n";
  return out;
}

// The steps of a sub-case as aligned lines, the middle of a long list folded unless `all`.
std::string StepsText(const CPvkSession& s, const std::vector<std::uint64_t>& steps, bool all) {
  const bool fold = !all && steps.size() > kFoldAbove;
  auto shown = [&](std::size_t i) {
    return !fold || i < kFoldEnds || i >= steps.size() - kFoldEnds;
  };
  std::size_t nameWidth = 0, valueWidth = 0;
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (shown(i)) {
      const CPOHVcas& step = s.Vcas(steps[i]);
      nameWidth = std::max(nameWidth, Utf8(step.GetName()).size());
      valueWidth = std::max(valueWidth, s.RealText(step.GetStepValue()).size());
    }
  const std::size_t numberWidth = std::to_string(steps.size()).size();
  std::string out;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (fold && i == kFoldEnds)
      out += fmt::format("  ... {} of {} steps not shown (--all lists them)\n",
                         steps.size() - 2 * kFoldEnds, steps.size());
    if (!shown(i)) continue;
    const CPOHVcas& step = s.Vcas(steps[i]);
    out +=
        fmt::format("  step {:>{}}  {:<{}}  value {:<{}}  {} data sets  {} results\n", i + 1,
                    numberWidth, Utf8(step.GetName()), nameWidth, s.RealText(step.GetStepValue()),
                    valueWidth, DataSetCount(step), ResultCount(step));
  }
  return out;
}

std::string Text(CPvkSession& s, bool all) {
  const CPOHMcas& mcas = s.Mcas();
  std::string out =
      fmt::format("{}  {}\n  format {}, {}-byte reals, {} records\n  units     {}\n",
                  Utf8(mcas.GetName()), s.Path(), s.File().GetVersion(), s.File().GetFloatSize(),
                  s.File().GetRecordList().size(), UnitsText(*mcas.GetUnitIndex()));
  out += ModelText(SummariseModel(s));
  const std::vector<std::uint64_t> subcases = s.Subcases();
  for (std::size_t i = 0; i < subcases.size(); ++i) {
    const CPOHScas& sub = s.Scas(subcases[i]);
    const std::vector<std::uint64_t> steps = s.Steps(subcases[i]);
    out +=
        fmt::format("sub-case {}  {}  (analysis type {}, {} step{})\n", i + 1, Utf8(sub.GetName()),
                    sub.GetMecAnalType(), steps.size(), steps.size() == 1 ? "" : "s");
    out += StepsText(s, steps, all);
  }
  return out;
}

struct TInfoArgs {
  std::string file;
  bool json = false;
  bool all = false;
};

void RunInfo(const TInfoArgs& a, std::FILE* out) {
  const std::string& path = a.file;
  CPvkSession session(path);
  // What the scan passed over, so that a damaged file that opens does not pass for whole.
  for (const TPZARScanReason& reason : session.File().GetScanReasons())
    std::fprintf(stderr, "pvk: warning: %s: %s\n", path.c_str(),
                 Utf8(FormatScanReason(reason)).c_str());
  std::fputs((a.json ? InfoJson(session) : Text(session, a.all)).c_str(), out);
}

}  // namespace

TPvkCommand AddInfoCommand(CLI::App& app) {
  auto a = std::make_shared<TInfoArgs>();
  auto* cmd = app.add_subcommand("info", "print the case tree, the model and the units");
  AddFileOption(cmd, a->file);
  cmd->add_flag("--json", a->json, "one JSON object");
  cmd->add_flag("--all", a->all, "list every step, also of long step lists");
  return {cmd, [a](std::FILE* out) { RunInfo(*a, out); }};
}
