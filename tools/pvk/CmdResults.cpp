#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <vector>

#include "PvkCommands.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "base/UnitControl.h"
#include "session/POHMcas.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

using pvk_text::JsonString;
using pvk_text::Utf8;

std::string UnitText(const CVResult& vr, const zar::lib::T_UNIT_INDEX& units) {
  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem(units);
  return Utf8(ctrl.GetUnitSystem4Legend(vr.GetUnit()));
}

namespace {

// The step a listing is of, with the 1-based numbers that --subcase and --step take.
struct TListedStep {
  std::size_t subcase = 0, step = 0;
  std::uint64_t scas = 0, vcas = 0;
  std::vector<CVResult*> all;       // every result of the step
  std::vector<CVResult*> matching;  // those whose name contains the --grep text
};

std::size_t NumberOf(const std::vector<std::uint64_t>& itrs, std::uint64_t itr) {
  return static_cast<std::size_t>(std::find(itrs.begin(), itrs.end(), itr) - itrs.begin()) + 1;
}

std::string Location(const CVResult& vr) {
  return pvk_text::LocationName(static_cast<std::int32_t>(vr.GetLocType()));
}

std::string ResultJson(const CVResult& vr, const zar::lib::T_UNIT_INDEX& units) {
  CString quantity, component;
  vr.GetNameForLegend(quantity, component);
  return fmt::format(
      R"({{"id": {}, "loc": {}, "location": {}, "amt": {}, "name": {}, "legend": {}, )"
      R"("quantity": {}, "component": {}, "unit": {}, "category": {}}})",
      vr.GetType(), static_cast<int>(vr.GetLocType()), JsonString(Location(vr)),
      static_cast<int>(vr.GetDLoadOpt().nAMTType), JsonString(Utf8(vr.GetName())),
      JsonString(Utf8(vr.GetLegendName())), JsonString(Utf8(quantity)), JsonString(Utf8(component)),
      JsonString(UnitText(vr, units)), vr.GetResCatType());
}

std::string Json(const CPvkSession& s, const TListedStep& listed) {
  const zar::lib::T_UNIT_INDEX& units = *s.Mcas().GetUnitIndex();
  std::string out = fmt::format(
      R"({{"schema_version": 1, "file": {}, "subcase": {{"number": {}, "name": {}}}, )"
      R"("step": {{"number": {}, "name": {}, "value": {}}}, "results": [)",
      JsonString(s.Path()), listed.subcase, JsonString(s.Name(pvk::POH_LEVEL_SCAS, listed.scas)),
      listed.step, JsonString(s.Name(pvk::POH_LEVEL_VCAS, listed.vcas)),
      s.RealJson(s.Vcas(listed.vcas).GetStepValue()));
  const char* sep = "\n  ";
  for (const CVResult* vr : listed.matching) {
    out += sep + ResultJson(*vr, units);
    sep = ",\n  ";
  }
  return out + "]}\n";
}

std::string Text(const CPvkSession& s, const std::string& file, const TListedStep& listed) {
  const zar::lib::T_UNIT_INDEX& units = *s.Mcas().GetUnitIndex();
  std::string out = fmt::format("{}  sub-case {} \"{}\"  step {} \"{}\" (value {})  ", file,
                                listed.subcase, s.Name(pvk::POH_LEVEL_SCAS, listed.scas),
                                listed.step, s.Name(pvk::POH_LEVEL_VCAS, listed.vcas),
                                s.RealText(s.Vcas(listed.vcas).GetStepValue()));
  out += listed.matching.size() == listed.all.size()
             ? fmt::format("{} results\n", listed.all.size())
             : fmt::format("{} of {} results\n", listed.matching.size(), listed.all.size());
  std::size_t idWidth = 2, locWidth = 8, nameWidth = 4;  // the headings
  for (const CVResult* vr : listed.matching) {
    idWidth = std::max(idWidth, std::to_string(vr->GetType()).size());
    locWidth = std::max(locWidth, Location(*vr).size());
    nameWidth = std::max(nameWidth, Utf8(vr->GetName()).size());
  }
  auto row = [&](const auto& id, const std::string& loc, const std::string& name,
                 const std::string& unit) {
    out += fmt::format("{:>{}}  {:<{}}  {:<{}}  {}\n", id, idWidth, loc, locWidth, name, nameWidth,
                       unit);
  };
  row("id", "location", "name", "unit");
  for (const CVResult* vr : listed.matching)
    row(vr->GetType(), Location(*vr), Utf8(vr->GetName()), UnitText(*vr, units));
  return out;
}

struct TResultsArgs {
  std::string file;
  TStepSelect select;
  std::string grep;
  bool json = false;
};

void RunResults(const TResultsArgs& a, std::FILE* out) {
  const CPvkSession session(a.file);
  TListedStep listed;
  const auto [scas, vcas] = session.SelectCase(a.select);
  listed.scas = scas;
  listed.vcas = vcas;
  listed.subcase = NumberOf(session.Subcases(), listed.scas);
  listed.step = NumberOf(session.Steps(listed.scas), listed.vcas);
  session.Vcas(listed.vcas).GetPackage()->GetAllResults(listed.all);
  const std::string key = pvk_text::NameKey(a.grep);
  std::copy_if(listed.all.begin(), listed.all.end(), std::back_inserter(listed.matching),
               [&key](const CVResult* vr) {
                 return pvk_text::NameKey(Utf8(vr->GetName())).find(key) != std::string::npos;
               });
  std::fputs((a.json ? Json(session, listed) : Text(session, a.file, listed)).c_str(), out);
}

}  // namespace

TPvkCommand AddResultsCommand(CLI::App& app) {
  auto a = std::make_shared<TResultsArgs>();
  auto* cmd = app.add_subcommand("results", "list the results of a step");
  AddFileOption(cmd, a->file);
  AddStepOptions(cmd, a->select);
  cmd->add_option("--grep", a->grep, "only results whose name contains TEXT (case forgiven)");
  cmd->add_flag("--json", a->json, "one JSON object");
  return {cmd, [a](std::FILE* out) { RunResults(*a, out); }};
}
