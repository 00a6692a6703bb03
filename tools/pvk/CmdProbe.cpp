// pvk probe: the value of a grid result at a point, interpolated inside the grid cell that
// holds it as the display interpolates it.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkModelSummary.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "ValueResult.h"
#include "datastore/PostPartialDList.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"

namespace {

using pvk_text::JsonNumber;
using pvk_text::JsonString;
using pvk_text::Number;
using TPoint = std::array<double, 3>;

struct TProbeOptions {
  std::string file;
  std::string result;
  std::string at;
  TStepSelect select;
  bool json = false;
};

// Three finite numbers separated by commas; none when the text is not that.
std::optional<TPoint> ParsePoint(const std::string& text) {
  TPoint p{};
  const char* s = text.c_str();
  for (std::size_t a = 0; a < p.size(); ++a) {
    char* end = nullptr;
    p[a] = std::strtod(s, &end);
    const char expected = a + 1 < p.size() ? ',' : '\0';
    if (end == s || *end != expected || !std::isfinite(p[a])) return std::nullopt;
    s = end + 1;
  }
  return p;
}

std::string CheckPoint(const std::string& text) {
  return ParsePoint(text) ? "" : "expected X,Y,Z: three numbers separated by commas";
}

std::string PointText(const TPoint& p) {
  return fmt::format("({}, {}, {})", Number(p[0]), Number(p[1]), Number(p[2]));
}

// Grid results are the nodal values of the grid points.
bool IsGridLoc(std::int32_t loc) { return loc == pvk::LOC_NODE || loc == pvk::LOC_IBM_VOLUME_NODE; }

// The value of the result at the point through the element interpolation of the file's mesh
// post unit; none when no grid cell with a value holds the point.
std::optional<double> Interpolate(CPvkSession& session, std::uint64_t scas, CVResult& vr,
                                  const TPoint& at) {
  CMemModelDB& db = session.Model();
  TVResParam load{nullptr, &db};
  auto list = std::make_shared<CPostPartialDList>();
  if (!vr.LoadDataNU(list.get(), &load) || list->GetSize() < 1)
    throw CPvkError(PVK_EXIT_FILE, fmt::format("cannot load result {}", vr.GetType()),
                    "its values could not be read");
  CMPUPost& mpu = *session.File().GetMPUPost();
  pvk::TDLoadOpt opt = vr.GetDLoadOpt();
  opt.nAMTType = list->GetList().front()->GetAMTType();
  opt.nAnalType = session.Scas(scas).GetMecAnalType();
  opt.nResType = vr.GetType();
  const CMPUGlobalMesh mesh(mpu, &db, &db.GetEntityPool());
  CMPUData display = mpu.MakeData();
  TIBMLoadParam param;
  param.m_pLinker = &db;
  param.m_pMPUData = &display;
  param.m_pEntityPool = &db.GetEntityPool();
  param.m_pMesh = &mesh;
  CIBMGlobalElem elem;
  CIBMGlobalElemBase& grid = elem;
  double value = 0.0;
  if (grid.InitData(&mpu, opt, list->GetList().front()->GetCompCnt()) &&
      grid.SetGlobal(param, list) && grid.GetPosValue({{at[0], at[1], at[2]}}, value))
    return value;
  return std::nullopt;
}

void RunProbe(const TProbeOptions& o, std::FILE* out) {
  const TPoint at = *ParsePoint(o.at);
  CPvkSession session(o.file);
  const std::optional<TBox> grids = GridsBox(*session.File().GetMPUPost());
  if (!grids) throw CPvkError(PVK_EXIT_MISSING, "cannot probe " + o.file, "it has no grids");
  const auto [scas, step] = session.SelectCase(o.select);
  CVResult& vr = pvk_values::FindResult(*session.Vcas(step).GetPackage(), o.result, -1, o.file);
  if (!IsGridLoc(vr.GetLocType()))
    throw CPvkError(PVK_EXIT_MISSING, fmt::format("cannot probe result {}", vr.GetType()),
                    fmt::format("it is at {}; only node results are interpolated in the grids",
                                pvk_text::LocationName(vr.GetLocType())));
  const std::optional<double> value = Interpolate(session, scas, vr, at);
  if (!value)
    throw CPvkError(PVK_EXIT_MISSING,
                    fmt::format("no value of result {} at {}", vr.GetType(), PointText(at)),
                    "the point is outside every grid cell with a value (the grids span " +
                        BoxText(*grids) + ")");

  const std::string subcase = pvk_text::Utf8(session.Scas(scas).GetName());
  const std::string stepName = pvk_text::Utf8(session.Vcas(step).GetName());
  const std::string name = pvk_text::Utf8(vr.GetName());
  const std::string unit = UnitText(vr, *session.Mcas().GetUnitIndex());
  const auto number = [](const std::vector<std::uint64_t>& itrs, std::uint64_t itr) {
    return std::find(itrs.begin(), itrs.end(), itr) - itrs.begin() + 1;
  };
  const auto nSubcase = number(session.Subcases(), scas);
  const auto nStep = number(session.Steps(scas), step);
  if (o.json) {
    fmt::print(out,
               R"({{"schema_version": 1, "file": {}, "subcase": {{"number": {}, "name": {}}}, )"
               R"("step": {{"number": {}, "name": {}}}, "result": {{"id": {}, "name": {}}}, )"
               R"("unit": {}, "at": [{}, {}, {}], "value": {}}})"
               "\n",
               JsonString(o.file), nSubcase, JsonString(subcase), nStep, JsonString(stepName),
               vr.GetType(), JsonString(name), JsonString(unit), JsonNumber(at[0]),
               JsonNumber(at[1]), JsonNumber(at[2]), JsonNumber(*value));
    return;
  }
  fmt::print(out, "file {}, sub-case {} \"{}\", step {} \"{}\"\n", o.file, nSubcase, subcase, nStep,
             stepName);
  fmt::print(out, "result {} \"{}\", unit {}\n", vr.GetType(), name, unit.empty() ? "none" : unit);
  fmt::print(out, "at {}: {}\n", PointText(at), Number(*value));
}

}  // namespace

TPvkCommand AddProbeCommand(CLI::App& app) {
  auto o = std::make_shared<TProbeOptions>();
  auto* cmd = app.add_subcommand("probe", "print the value of a grid result at a point");
  AddFileOption(cmd, o->file);
  cmd->add_option("--result", o->result, "result id or name, as 'pvk results FILE' lists them")
      ->required();
  cmd->add_option("--at", o->at, "the point, in the file's length unit")
      ->required()
      ->check(CLI::Validator(CheckPoint, "X,Y,Z"));
  AddStepOptions(cmd, o->select);
  cmd->add_flag("--json", o->json, "a JSON object");
  return {cmd, [o](std::FILE* out) { RunProbe(*o, out); }};
}
