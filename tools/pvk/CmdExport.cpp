#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <optional>

#include "ExportFields.h"
#include "ExportGrid.h"
#include "ExportRun.h"
#include "PendingFiles.h"
#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "TerminalProgress.h"
#include "ValueResult.h"
#include "ValueUnits.h"
#include "VtuWriter.h"
#include "base/UnitControl.h"
#include "session/POHMcas.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

namespace fs = std::filesystem;
using namespace pvk_export;

// One step to write and the results it gives.
struct TStepPlan {
  std::size_t number = 0;  // 1-based, as --step takes it
  std::uint64_t vcas = 0;
  std::vector<CVResult*> results;
};

std::vector<CVResult*> StepResults(const CPvkSession& session, const TExportOptions& o,
                                   std::uint64_t vcas) {
  const CVResultPackage& package = *session.Vcas(vcas).GetPackage();
  std::vector<CVResult*> results;
  if (o.results.empty()) {
    std::vector<CVResult*> all;
    package.GetAllResults(all);
    for (CVResult* vr : all)
      if (IsExportable(*vr)) results.push_back(vr);
    return results;
  }
  for (const std::string& asked : o.results) {
    CVResult& vr = pvk_values::FindResult(package, asked, -1, o.file);
    if (!IsExportable(vr))
      throw CPvkError(PVK_EXIT_USAGE, fmt::format("cannot export result {}", vr.GetType()),
                      "only results on nodes and elements become VTK arrays");
    results.push_back(&vr);
  }
  return results;
}

// Every refusal comes here, before the first file is written.
std::vector<TStepPlan> Plan(const CPvkSession& session, const TExportOptions& o,
                            std::uint64_t& scas) {
  std::vector<std::uint64_t> chosen;
  if (o.allSteps) {
    scas = session.SelectSubcase(o.select.subcase);
    chosen = session.Steps(scas);
  } else {
    const CPvkSession::TSelected selected = session.SelectCase(o.select);
    scas = selected.scas;
    chosen = {selected.vcas};
  }
  const std::vector<std::uint64_t> steps = session.Steps(scas);
  std::vector<TStepPlan> plan;
  for (const std::uint64_t vcas : chosen) {
    const std::size_t number = std::find(steps.begin(), steps.end(), vcas) - steps.begin() + 1;
    try {
      plan.push_back({number, vcas, StepResults(session, o, vcas)});
    } catch (const CPvkError& e) {
      if (!o.allSteps) throw;
      throw CPvkError(
          e.Code(), fmt::format("step {} \"{}\"", number, session.Name(pvk::POH_LEVEL_VCAS, vcas)),
          e.what());
    }
  }
  return plan;
}

fs::path OutFolder(const std::string& out) {
  std::error_code ec;
  fs::create_directories(out, ec);
  if (!ec && !fs::is_directory(out, ec)) ec = std::make_error_code(std::errc::not_a_directory);
  if (ec) throw CPvkError(PVK_EXIT_FILE, "cannot write to " + out, ec.message());
  return out;
}

}  // namespace

std::vector<std::string> ExportFiles(CPvkSession& session, const TExportOptions& o) {
  if (o.units) pvk_values::AskedUnits(*o.units, {});
  const zar::lib::T_UNIT_INDEX units = pvk_values::UnitsOf(o.units, *session.Mcas().GetUnitIndex());
  std::uint64_t scas = 0;
  const std::vector<TStepPlan> plan = Plan(session, o, scas);
  const fs::path folder = OutFolder(o.out);

  const TExportGrid grid = BuildGrid(session);
  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem(units);
  CArrayPool pool;  // later steps fill the arrays of the first
  const TFieldContext context{grid, session.Model(), o.units ? &ctrl : nullptr, units, pool};
  const std::vector<std::uint64_t> subcases = session.Subcases();
  const std::size_t subcase =
      std::find(subcases.begin(), subcases.end(), scas) - subcases.begin() + 1;
  const std::string stem = fmt::format("{}-sub{}", fs::path(o.file).stem().string(), subcase);

  CPendingFiles files(folder);
  std::vector<TPvdEntry> collection;
  for (const TStepPlan& step : plan) {
    const std::string name = fmt::format("{}-step{}.vtu", stem, step.number);
    SayProgress("writing " + name);
    const std::string why = WriteStep(files.Add(name), step.results, context, o.compress);
    if (!why.empty())
      throw CPvkError(PVK_EXIT_FILE, "cannot write " + (folder / name).string(), why);
    collection.push_back({session.Vcas(step.vcas).GetStepValue(), name});
  }
  const std::string pvd = stem + ".pvd";
  std::string why = WritePvd(files.Add(pvd), collection);
  if (!why.empty()) throw CPvkError(PVK_EXIT_FILE, "cannot write " + (folder / pvd).string(), why);
  why = files.Commit();
  if (!why.empty()) throw CPvkError(PVK_EXIT_FILE, "cannot write to " + folder.string(), why);
  return files.Paths();
}

namespace {

void RunExport(const TExportOptions& o, std::FILE* out) {
  if (o.units) pvk_values::AskedUnits(*o.units, {});
  CPvkSession session(o.file);
  for (const std::string& path : ExportFiles(session, o)) fmt::print(out, "{}\n", path);
}

}  // namespace

TPvkCommand AddExportCommand(CLI::App& app) {
  auto o = std::make_shared<TExportOptions>();
  auto* cmd = app.add_subcommand(
      "export", "write the model and its results as VTK files that ParaView opens (.vtu, .pvd)");
  AddFileOption(cmd, o->file);
  cmd->add_option("--out", o->out,
                  "folder to write to, made when missing; files of the same names are replaced")
      ->required();
  AddStepOptions(cmd, o->select);
  cmd->add_flag("--all-steps", o->allSteps, "every step of the sub-case, one .vtu file each")
      ->excludes(cmd->get_option("--step"))
      ->excludes(cmd->get_option("--step-value"));
  cmd->add_option("--results", o->results,
                  "result ids or names separated by commas (default: every result on the nodes "
                  "or elements)")
      ->delimiter(',');
  cmd->add_option("--units", o->units,
                  "unit names separated by commas, such as m,kN or kip,in,sec; a kind not named "
                  "keeps the file's unit");
  cmd->add_flag("--compress", o->compress, "compress the arrays with zlib");
  return {cmd, [o](std::FILE* out) { RunExport(*o, out); }};
}
