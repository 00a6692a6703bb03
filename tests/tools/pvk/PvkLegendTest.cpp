// pvk legend: ranks and shares checked against the values that `pvk values` prints, counted
// here by the legend's rule; the text table against the JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "PvkRun.h"

namespace {

using pvk_test::json;
using pvk_test::PvkCli;
using pvk_test::TRun;

class PvkLegend : public PvkCli {
protected:
  void SetUp() override { ASSERT_EQ(Run("sample beam --cells 2 --steps 2").code, 0); }

  // The first column of `values ... --json`, NaN for null.
  std::vector<double> Values(const std::string& args) {
    std::vector<double> out;
    const json values = Json("values " + args + " --json");
    for (const json& row : values["rows"])
      out.push_back(row["values"][0].is_null() ? NAN : row["values"][0].get<double>());
    return out;
  }
};

std::vector<double> Doubles(const json& array) { return array.get<std::vector<double>>(); }

TEST_F(PvkLegend, SharesOfTheValues) {
  // The selection of the values, then the legend's own options.
  const std::pair<std::string, std::string> cases[] = {
      {"--result 7207", ""},
      {"--result 312107", " --ranks 4"},
      {"--result 'T3 translation' --subcase TRANSIENT --step 2", " --ranks 7 --method interval"},
      {"--result 7207", " --method percent --ranks 5"},
      {"--result 312114 --loc element", " --method percent --ranks 30"},
  };
  for (const auto& [select, options] : cases) {
    const std::string args = select + options;
    const std::vector<double> values = Values("beam.tkvp " + select);
    ASSERT_FALSE(values.empty()) << args;
    const json legend = Json("legend beam.tkvp " + args + " --json");
    const std::vector<double> ranks = Doubles(legend["ranks"]);
    const std::vector<double> percents = Doubles(legend["percents"]);
    ASSERT_EQ(percents.size(), ranks.size()) << args;
    EXPECT_EQ(ranks.size(),
              options.empty() ? 10u : std::stoul(options.substr(options.find("ks ") + 3)));
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    EXPECT_EQ(legend["min"], *lo) << args;
    EXPECT_EQ(legend["max"], *hi) << args;
    EXPECT_EQ(ranks.front(), *lo) << args;
    EXPECT_EQ(ranks.back(), *hi) << args;
    EXPECT_EQ(legend["count"], values.size()) << args;

    std::vector<double> counts(ranks.size(), 0.0);
    for (const double v : values) counts[pvk_test::LegendBand(v, ranks)] += 1.0;
    for (std::size_t b = 0; b < ranks.size(); ++b)
      EXPECT_EQ(percents[b], counts[b] / static_cast<double>(values.size()) * 100.0) << args;

    // The table: four head lines, then band, from, to and percent of each band.
    std::istringstream lines(Run("legend beam.tkvp " + args).out);
    std::string line;
    for (int i = 0; i < 4; ++i) std::getline(lines, line);
    std::size_t b = 0;
    for (; std::getline(lines, line); ++b) {
      std::istringstream row(line);
      double band = 0, from = 0, to = 0, percent = 0;
      row >> band >> from >> to >> percent;
      ASSERT_LT(b + 1, ranks.size()) << line;
      EXPECT_EQ((std::vector<double>{band, from, to, percent}),
                (std::vector<double>{b + 1.0, ranks[b], ranks[b + 1], percents[b]}));
    }
    EXPECT_EQ(b + 1, ranks.size()) << args;
  }
}

}  // namespace
