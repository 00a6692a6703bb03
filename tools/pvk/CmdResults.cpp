#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

#include "PvkCommands.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "base/UnitControl.h"
#include "session/POHMcas.h"
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

std::string Json(const std::vector<CVResult*>& results, const zar::lib::T_UNIT_INDEX& units) {
  std::string out = "[";
  const char* sep = "";
  for (const CVResult* vr : results) {
    CString quantity, component;
    vr->GetNameForLegend(quantity, component);
    out += fmt::format(
        R"({}{{"id": {}, "loc": {}, "amt": {}, "name": {}, "legend": {}, "quantity": {}, )"
        R"("component": {}, "unit": {}, "category": {}}})",
        sep, vr->GetType(), static_cast<int>(vr->GetLocType()),
        static_cast<int>(vr->GetDLoadOpt().nAMTType), JsonString(Utf8(vr->GetName())),
        JsonString(Utf8(vr->GetLegendName())), JsonString(Utf8(quantity)),
        JsonString(Utf8(component)), JsonString(UnitText(*vr, units)), vr->GetResCatType());
    sep = ",\n ";
  }
  return out + "]\n";
}

std::string Text(const std::vector<CVResult*>& results, const zar::lib::T_UNIT_INDEX& units) {
  std::string out = fmt::format("{:>10}  {:>3}  {:<40}  {}\n", "id", "loc", "name", "unit");
  for (const CVResult* vr : results)
    out +=
        fmt::format("{:>10}  {:>3}  {:<40}  {}\n", vr->GetType(),
                    static_cast<int>(vr->GetLocType()), Utf8(vr->GetName()), UnitText(*vr, units));
  return out;
}

struct TResultsArgs {
  std::string file;
  TStepSelect select;
  bool json = false;
};

void RunResults(const TResultsArgs& a, std::FILE* out) {
  const TStepSelect& select = a.select;
  const CPvkSession session(a.file);
  const std::uint64_t step = session.SelectStep(session.SelectSubcase(select.subcase), select.step);
  std::vector<CVResult*> results;
  session.Vcas(step).GetPackage()->GetAllResults(results);
  const zar::lib::T_UNIT_INDEX& units = *session.Mcas().GetUnitIndex();
  std::fputs((a.json ? Json(results, units) : Text(results, units)).c_str(), out);
}

}  // namespace

TPvkCommand AddResultsCommand(CLI::App& app) {
  auto a = std::make_shared<TResultsArgs>();
  auto* cmd = app.add_subcommand("results", "list the results of a step");
  AddFileOption(cmd, a->file);
  AddStepOptions(cmd, a->select);
  cmd->add_flag("--json", a->json, "a JSON array");
  return {cmd, [a](std::FILE* out) { RunResults(*a, out); }};
}
