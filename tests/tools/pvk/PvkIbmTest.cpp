#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "PvkRun.h"
#include "SampleIbm.h"

namespace {

using nlohmann::json;

class PvkIbm : public pvk_test::PvkCli {
protected:
  void SetUp() override {
    const pvk_test::TRun run = Run("sample --ibm grid");
    ASSERT_EQ(run.code, 0) << run.err;
    ASSERT_EQ(run.out, "grid.tkvp\n");
  }
};

TEST_F(PvkIbm, InfoGivesTheGridsBoundingBox) {
  const json info = Json("info grid.tkvp --json");
  // The grid of part 1 reaches y = 30 where no cell of the part lies; part 2's grid, in local
  // axes, spans x 60 to 80.
  EXPECT_EQ(info["bbox"], json::parse("[0, 0, 0, 80, 30, 20]"));
  EXPECT_EQ(info["elements"], 120);
}

TEST_F(PvkIbm, ResultsHoldDensityAndFatigueAndDensityReadsBack) {
  const json results = Json("results grid.tkvp --json");
  std::vector<int> ids;
  for (const json& r : results["results"]) ids.push_back(r["id"]);
  for (int id = 9001; id <= 9012; ++id)
    EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
  EXPECT_NE(std::find(ids.begin(), ids.end(), 7401), ids.end());

  const CSampleIbm sample;
  std::map<std::int32_t, double> density;
  for (std::size_t n = 0; n < sample.NodeIDs().size(); ++n)
    density[sample.NodeIDs()[n]] = CSampleIbm::Density(sample.NodePos()[n]);
  const json values = Json("values grid.tkvp --result 7401 --json");
  ASSERT_EQ(values["rows"].size(), density.size());
  for (const json& row : values["rows"])
    EXPECT_EQ(row["values"][0].get<double>(), density.at(row["id"])) << row["id"];
}

// probe: the value inside a cell of either grid (the second one turned, with quadratic cells),
// by id or name; exit 3 with the grids' box in the empty row of part 1's grid and beyond.
TEST_F(PvkIbm, ProbeInterpolatesInsideThePartsAndRefusesElsewhere) {
  const double outside = std::nan("");
  auto vonMises = [](const TSamplePoint& p) {
    const auto s = CSampleIbm::Stress(p);
    const double a = s[0] - s[1], b = s[1] - s[2], c = s[2] - s[0];
    return std::sqrt((a * a + b * b + c * c + 6 * (s[3] * s[3] + s[4] * s[4] + s[5] * s[5])) / 2);
  };
  const struct {
    std::string result, at;
    double want;
  } rows[] = {
      {"7401", "10,5,5", CSampleIbm::Density({10, 5, 5})},
      {"'nodal material density'", "79,1,1", CSampleIbm::Density({79, 1, 1})},
      {"7207", "75,5,5", vonMises({75, 5, 5})},
      {"9001", "35,15,5", CSampleIbm::Damage({35, 15, 5}, 0)},
      {"7401", "30,25,5", outside},
      {"7401", "100,0,0", outside},
  };
  for (const auto& row : rows) {
    const pvk_test::TRun run =
        Run("probe grid.tkvp --result " + row.result + " --at " + row.at + " --json");
    if (std::isnan(row.want)) {
      EXPECT_EQ(run.code, 3) << row.at;
      EXPECT_EQ(run.out, "");
      EXPECT_NE(run.err.find("outside every grid cell with a value (the grids span x 0 to 80, y 0 "
                             "to 30, z 0 to 20)"),
                std::string::npos)
          << run.err;
      continue;
    }
    ASSERT_EQ(run.code, 0) << row.at << run.err;
    const json probe = json::parse(run.out);
    EXPECT_NEAR(probe["value"].get<double>(), row.want, 1e-5 * std::fabs(row.want)) << row.at;
  }
}

// pvk legend --loc 7 shows a node result on the cells of the grids: it counts one value per
// grid point of the cells, each point's own value (single precision, as the cells interpolate).
// The shares are counted here from `pvk values` by the legend's rule; a value within rounding
// of an inner rank may fall on either side of it.
TEST_F(PvkIbm, LegendOnTheCellsCountsTheGridPointValues) {
  const struct {
    std::string args;
    std::size_t nRank;
    std::vector<std::string> title, info;
  } rows[] = {
      {"--result 7401", 10, {"DENSITY", "", "Nodal Material Density"}, {"Unit : "}},
      {"--result 7201 --ranks 5", 5, {"STRESS", "", "Strs Normal Xx"}, {"Unit : N/mm^2"}},
      {"--result 7207 --method percent --ranks 4",
       4,
       {"STRESS", "", "Strs Von Mises"},
       {"Unit : N/mm^2"}},
  };
  for (const auto& row : rows) {
    const std::string result = row.args.substr(0, row.args.find(' ', 9));
    std::vector<double> values;
    const json nodes = Json("values grid.tkvp " + result + " --json");
    for (const json& r : nodes["rows"])
      values.push_back(static_cast<float>(r["values"][0].get<double>()));
    const json legend = Json("legend grid.tkvp " + row.args + " --loc 7 --json");
    const auto ranks = legend["ranks"].get<std::vector<double>>();
    const auto percents = legend["percents"].get<std::vector<double>>();
    ASSERT_EQ(ranks.size(), row.nRank) << row.args;
    ASSERT_EQ(percents.size(), row.nRank) << row.args;
    EXPECT_EQ(legend["count"], values.size()) << row.args;
    EXPECT_EQ(legend["location"]["type"], 7);

    std::vector<double> counts(ranks.size(), 0.0);
    double nearRank = 0;
    for (const double v : values) {
      counts[pvk_test::LegendBand(v, ranks)] += 1;
      for (std::size_t k = 1; k + 1 < ranks.size(); ++k)  // the end ranks take both sides
        nearRank += std::fabs(v - ranks[k]) <= 1e-5 * std::max(1.0, std::fabs(ranks[k]));
    }
    const double total = static_cast<double>(values.size());
    for (std::size_t b = 0; b < ranks.size(); ++b)
      EXPECT_NEAR(percents[b], counts[b] / total * 100.0, nearRank / total * 100.0 + 1e-9)
          << row.args << " band " << b;

    std::vector<std::string> info = {"grid", "", "STATIC", "", "Step 1", ""};
    info.insert(info.end(), row.info.begin(), row.info.end());
    EXPECT_EQ(legend["title"], row.title) << row.args;
    EXPECT_EQ(legend["info"], info) << row.args;
  }
}

}  // namespace
