// pvk legend: the ranks of a result's contour legend and the share of the values in each band,
// counted as the legend counts them.
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "LegendGrid.h"
#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "ValueHead.h"
#include "ValueResult.h"
#include "ValueShown.h"
#include "core/DataTypes.h"
#include "render/LegendBandCounter.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/LegendValueFuncEqualPercent.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"

namespace {

using namespace pvk_values;
using pvk_text::JsonNumber;
using pvk_text::JsonString;
using pvk_text::Number;

// Ten rank values: nine bands, as many lines as a legend beside a model shows readably.
constexpr std::int32_t N_DEFAULT_RANKS = 10;
// A band needs a lower and an upper rank.
constexpr std::int32_t N_MIN_RANKS = 2;
// Beyond this a legend is no longer read band by band.
constexpr std::int32_t N_MAX_RANKS = 1000;
constexpr const char* kInterval = "interval";
constexpr const char* kPercent = "percent";

struct TLegendOptions {
  std::string file;
  std::string result;
  std::string loc;  // empty: the first location that holds the result
  TStepSelect select;
  std::int32_t nRank = N_DEFAULT_RANKS;
  std::string method = kInterval;
  bool json = false;
};

struct TLegend {
  zar::MTArray<double> ranks, percents;
  double min = 0.0, max = 0.0;
  std::uint64_t counted = 0, leftOut = 0;
  std::vector<std::string> title, info;  // grid results only
};

// The values that `pvk values` prints of the result: the combined value or the first column.
std::vector<double> ShownValues(CVResult& vr, CPvkSession& session) {
  TVResParam param{nullptr, &session.Model()};
  CPostPartialDList list;
  const TShown shown = Shown(vr, LoadValues(vr, list, param), false);
  std::vector<double> values;
  const TRowRules rules{vr.GetLocType(), 0, false, &session.Model()};
  EachRow(vr, list, shown, rules,
          [&](const TValueRow&, std::span<const double> row) { values.push_back(row[0]); });
  return values;
}

// The ranks by the method, or none when no value is finite.
zar::MTArray<double> Ranks(const std::vector<double>& values, std::int32_t nRank,
                           const std::string& method) {
  zar::MTArray<double> ranks;
  if (method == kPercent) {
    CLegendValueFuncEqualPercent f;
    f.SetQuantiles(values, nRank);
    f.GetRankVal(ranks);
    return ranks;
  }
  double min = std::numeric_limits<double>::infinity(), max = -min;
  for (const double v : values) {
    if (!std::isfinite(v)) continue;
    min = std::min(min, v);
    max = std::max(max, v);
  }
  if (min > max) return ranks;
  CLegendValueFuncEqualInterval f;
  f.SetData(nullptr, nullptr, min, max, nRank);
  f.GetRankVal(ranks);
  return ranks;
}

TLegend MakeLegend(const std::vector<double>& values, std::int32_t nRank,
                   const std::string& method) {
  TLegend legend;
  legend.ranks = Ranks(values, nRank, method);
  if (legend.ranks.empty()) return legend;
  legend.min = legend.ranks.front();
  legend.max = legend.ranks.back();
  CLegendBandCounter counter(legend.ranks);
  counter.Add(values);
  counter.GetPercents(legend.percents);
  legend.counted = counter.GetCounted();
  legend.leftOut = counter.GetLeftOut();
  return legend;
}

void PrintJson(std::FILE* out, const TValuesHead& h, const std::string& method,
               const TLegend& legend) {
  const TResultHead& r = h.results.at(0);
  const auto list = [](const zar::MTArray<double>& xs) {
    std::string text;
    for (std::size_t i = 0; i < xs.size(); ++i) text += (i ? ", " : "") + JsonNumber(xs[i]);
    return "[" + text + "]";
  };
  const auto lines = [](const char* key, const std::vector<std::string>& xs) {
    std::string text;
    for (std::size_t i = 0; i < xs.size(); ++i) text += (i ? ", " : "") + JsonString(xs[i]);
    return xs.empty() ? std::string() : fmt::format(", \"{}\": [{}]", key, text);
  };
  fmt::print(out,
             R"({{"schema_version": 1, "file": {}, "subcase": {{"number": {}, "name": {}}}, )"
             R"("step": {{"number": {}, "name": {}}}, "result": {{"id": {}, "name": {}}}, )"
             R"("location": {{"type": {}, "name": {}}}, "unit": {}, "method": {}, "count": {}, )"
             R"("left_out": {}, "min": {}, "max": {}, "ranks": {}, "percents": {}{}{}}})"
             "\n",
             JsonString(h.file), h.subcaseNumber, JsonString(h.subcase), h.stepNumber,
             JsonString(h.step), r.id, JsonString(r.name), h.loc,
             JsonString(pvk_text::LocationName(h.loc)), JsonString(r.unit), JsonString(method),
             legend.counted, legend.leftOut, JsonNumber(legend.min), JsonNumber(legend.max),
             list(legend.ranks), list(legend.percents), lines("title", legend.title),
             lines("info", legend.info));
}

// One line per band: its number from 1, the ranks that bound it and its share.
void PrintTable(std::FILE* out, const TValuesHead& h, const std::string& method,
                const TLegend& legend) {
  const TResultHead& r = h.results.at(0);
  fmt::print(out, "file {}, sub-case {} \"{}\", step {} \"{}\"\n", h.file, h.subcaseNumber,
             h.subcase, h.stepNumber, h.step);
  fmt::print(out, "result {} \"{}\" at {}, unit {}\n", r.id, r.name, pvk_text::LocationName(h.loc),
             r.unit.empty() ? "none" : r.unit);
  fmt::print(out, "{} ranks by equal {}, {} values from {} to {}", legend.ranks.size(), method,
             legend.counted, Number(legend.min), Number(legend.max));
  if (legend.leftOut) fmt::print(out, ", {} not finite left out", legend.leftOut);
  std::fputc('\n', out);

  const std::size_t nBand = legend.ranks.size() - 1;
  std::vector<std::array<std::string, 4>> rows = {{"band", "from", "to", "percent"}};
  for (std::size_t b = 0; b < nBand; ++b)
    rows.push_back({std::to_string(b + 1), Number(legend.ranks[b]), Number(legend.ranks[b + 1]),
                    Number(legend.percents[b])});
  std::array<std::size_t, 4> widths{};
  for (const auto& row : rows)
    for (std::size_t c = 0; c < widths.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
  for (const auto& row : rows)
    fmt::print(out, "{:>{}}  {:>{}}  {:>{}}  {:>{}}\n", row[0], widths[0], row[1], widths[1],
               row[2], widths[2], row[3], widths[3]);
}

// The grid result's node values shown on the cells of the grids, as a display item loads them.
TLegend MakeCellLegend(CPvkSession& session, CVResult& vr, const TLegendOptions& o) {
  TGridLegend grid = MakeGridLegend(session, vr, o.nRank, o.method == kPercent);
  TLegend legend;
  if (grid.counted == 0) return legend;
  legend.ranks = std::move(grid.ranks);
  legend.percents = std::move(grid.percents);
  legend.min = legend.ranks.front();
  legend.max = legend.ranks.back();
  legend.counted = grid.counted;
  legend.leftOut = grid.leftOut;
  legend.title = std::move(grid.title);
  legend.info = std::move(grid.info);
  return legend;
}

void RunLegend(const TLegendOptions& o, std::FILE* out) {
  const std::int32_t loc = AskedLoc(o.loc, fmt::format("bad --loc \"{}\"", o.loc));
  const bool bCells = loc == pvk::LOC_IBM_VOLUME_NODE;
  CPvkSession session(o.file);
  const auto [scas, step] = session.SelectCase(o.select);
  // The cells show the grid's node results.
  CVResult& vr =
      FindResult(*session.Vcas(step).GetPackage(), o.result, bCells ? pvk::LOC_NODE : loc, o.file);
  const TLegend legend = bCells ? MakeCellLegend(session, vr, o)
                                : MakeLegend(ShownValues(vr, session), o.nRank, o.method);
  if (legend.ranks.empty())
    throw CPvkError(PVK_EXIT_MISSING, fmt::format("no values of result {}", vr.GetType()),
                    fmt::format("the step has none that are finite; choose another step (see "
                                "'pvk values {} --result {}')",
                                o.file, vr.GetType()));

  TValuesHead head = StepHead(session, o.file, scas, step);
  head.results = {ResultHead(vr, *session.Mcas().GetUnitIndex())};
  head.loc = bCells ? pvk::LOC_IBM_VOLUME_NODE : vr.GetLocType();
  if (o.json)
    PrintJson(out, head, o.method, legend);
  else
    PrintTable(out, head, o.method, legend);
}

}  // namespace

TPvkCommand AddLegendCommand(CLI::App& app) {
  auto o = std::make_shared<TLegendOptions>();
  auto* cmd = app.add_subcommand(
      "legend", "print the ranks of a result's legend and the share of its values in each band");
  AddFileOption(cmd, o->file);
  cmd->add_option("--result", o->result, "result id or name, as 'pvk results FILE' lists them")
      ->required();
  cmd->add_option("--loc", o->loc,
                  LocHelp() +
                      "; ibm-volume-node (7) takes a grid's node result onto the cells "
                      "of its grids, as a view shows it");
  AddStepOptions(cmd, o->select);
  cmd->add_option("--ranks", o->nRank, "the number of rank values, one more than the bands")
      ->check(CLI::Range(N_MIN_RANKS, N_MAX_RANKS));
  cmd->add_option("--method", o->method,
                  "interval: ranks evenly spaced from minimum to maximum; percent: ranks that "
                  "give each band an equal share of the values")
      ->check(CLI::IsMember({kInterval, kPercent}));
  cmd->add_flag("--json", o->json, "a JSON object");
  return {cmd, [o](std::FILE* out) { RunLegend(*o, out); }};
}
