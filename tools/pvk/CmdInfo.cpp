#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <vector>

#include "PvkCommands.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
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

std::size_t ResultCount(const CPOHVcas& step) {
  std::vector<CVResult*> results;
  return static_cast<std::size_t>(step.GetPackage()->GetAllResults(results));
}

std::string StepJson(const CPOHVcas& step) {
  return fmt::format(R"({{"name": {}, "value": {}, "datasets": {}, "results": {}}})",
                     JsonString(Utf8(step.GetName())), JsonNumber(step.GetStepValue()),
                     step.GetDSetContainer()->GetDSetList().size(), ResultCount(step));
}

std::string Json(const CPvkSession& s) {
  const CPOHMcas& mcas = s.Mcas();
  const zar::lib::T_UNIT_INDEX& u = *mcas.GetUnitIndex();
  std::string out = fmt::format(
      R"({{"file": {}, "name": {}, "version": {}, "real_width": {}, "records": {}, )"
      R"("units": {{"force": {}, "length": {}, "temperature": {}, "time": {}, "energy": {}}}, )"
      R"("subcases": [)",
      JsonString(s.Path()), JsonString(Utf8(mcas.GetName())), s.File().GetVersion(),
      s.File().GetFloatSize(), s.File().GetRecordList().size(), u.nForce, u.nLength, u.nTemperature,
      u.nTime, u.nEnergy);
  const char* sep = "";
  for (const std::uint64_t scas : s.Subcases()) {
    const CPOHScas& sub = s.Scas(scas);
    out += fmt::format(R"({}{{"name": {}, "analysis_type": {}, "has_steps": {}, "steps": [)", sep,
                       JsonString(Utf8(sub.GetName())), sub.GetMecAnalType(),
                       sub.HasStep() ? "true" : "false");
    const char* stepSep = "";
    for (const std::uint64_t vcas : s.Steps(scas)) {
      out += stepSep + StepJson(s.Vcas(vcas));
      stepSep = ", ";
    }
    out += "]}";
    sep = ", ";
  }
  return out + "]}\n";
}

std::string Text(const CPvkSession& s) {
  const CPOHMcas& mcas = s.Mcas();
  const zar::lib::T_UNIT_INDEX& u = *mcas.GetUnitIndex();
  std::string out = fmt::format("{}  {}\n  format {}, {}-byte reals, {} records, units {} and {}\n",
                                Utf8(mcas.GetName()), s.Path(), s.File().GetVersion(),
                                s.File().GetFloatSize(), s.File().GetRecordList().size(),
                                pvk_text::UnitName(zar::lib::UNIT_FORCE, u.nForce),
                                pvk_text::UnitName(zar::lib::UNIT_LENGTH, u.nLength));
  for (const std::uint64_t scas : s.Subcases()) {
    const CPOHScas& sub = s.Scas(scas);
    out += fmt::format("  {}  (analysis type {})\n", Utf8(sub.GetName()), sub.GetMecAnalType());
    for (const std::uint64_t vcas : s.Steps(scas)) {
      const CPOHVcas& step = s.Vcas(vcas);
      out += fmt::format("    {}  value {}  {} data sets  {} results\n", Utf8(step.GetName()),
                         pvk_text::Number(step.GetStepValue()),
                         step.GetDSetContainer()->GetDSetList().size(), ResultCount(step));
    }
  }
  return out;
}

struct TInfoArgs {
  std::string file;
  bool json = false;
};

void RunInfo(const TInfoArgs& a, std::FILE* out) {
  const std::string& path = a.file;
  const CPvkSession session(path);
  // What the scan passed over, so that a damaged file that opens does not pass for whole.
  for (const TPZARScanReason& reason : session.File().GetScanReasons())
    std::fprintf(stderr, "pvk: warning: %s: %s\n", path.c_str(),
                 Utf8(FormatScanReason(reason)).c_str());
  std::fputs((a.json ? Json(session) : Text(session)).c_str(), out);
}

}  // namespace

TPvkCommand AddInfoCommand(CLI::App& app) {
  auto a = std::make_shared<TInfoArgs>();
  auto* cmd = app.add_subcommand("info", "print the case tree");
  AddFileOption(cmd, a->file);
  cmd->add_flag("--json", a->json, "one JSON object");
  return {cmd, [a](std::FILE* out) { RunInfo(*a, out); }};
}
