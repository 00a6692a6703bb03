// Counting values into legend bands: the vector kernel against the rule written out, on
// random values and ranks with ties, values on the ranks and values that are not finite.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "render/LegendBandCounter.h"

namespace {

// The rule as the legend states it; SIZE_MAX when no band takes the value.
std::size_t Band(double v, const std::vector<double>& r) {
  const std::size_t n = r.size();
  for (std::size_t k = 0; k + 1 < n; ++k)
    if (r[k] < v && v <= r[k + 1]) return k;
  if (n == 1 || v <= r[0]) return 0;
  if (v > r[n - 1]) return n - 2;
  return SIZE_MAX;
}

TEST(LegendBandCounter, EdgeCases) {
  struct TCase {
    const char* what;
    std::vector<double> ranks, values, percents;
  };
  const TCase cases[] = {
      {"two bands", {0, 2, 4}, {1, 2, 3, 4}, {50, 50, 0}},
      {"on the lowest rank, above the highest", {0, 2, 4}, {0, 9, NAN}, {50, 50, 0}},
      {"no values", {0, 1}, {}, {0, 0}},
      {"one rank", {5}, {1, 9}, {100}},
  };
  for (const TCase& c : cases) {
    CLegendBandCounter counter(c.ranks);
    counter.Add(c.values);
    zar::MTArray<double> percents;
    counter.GetPercents(percents);
    EXPECT_EQ(std::vector<double>(percents.begin(), percents.end()), c.percents) << c.what;
  }
}

TEST(LegendBandCounter, CountsAsTheRule) {
  std::mt19937_64 rng(3);
  std::uniform_int_distribution<int> grid(-6, 6), pick(0, 19), size(0, 13);
  const double specials[] = {NAN, INFINITY, -INFINITY};
  for (int round = 0; round < 400; ++round) {
    // Ranks and values on a coarse grid, so that ties and values on ranks are common; up to 13
    // ranks take two passes of the kernel, up to 1500 values three blocks.
    std::vector<double> ranks(static_cast<std::size_t>(size(rng)));
    for (double& r : ranks) r = grid(rng) * 0.5;
    if (round % 2 == 0) std::sort(ranks.begin(), ranks.end());
    if (round % 50 == 1 && !ranks.empty()) ranks[0] = -INFINITY;
    std::vector<double> values(static_cast<std::size_t>(round * 7 % 1500));
    for (double& v : values) {
      const int p = pick(rng);
      v = p < 3 ? specials[p] : grid(rng) * 0.5 + (p % 2) * 0.25;
    }
    std::vector<std::uint64_t> expected(ranks.size(), 0);
    std::uint64_t leftOut = 0;
    for (const double v : values) {
      const std::size_t b = ranks.empty() || !std::isfinite(v) ? SIZE_MAX : Band(v, ranks);
      b == SIZE_MAX ? ++leftOut : ++expected[b];
    }
    CLegendBandCounter counter(ranks);
    // In two blocks, the second starting off the vector width.
    const std::size_t half = values.size() / 2 + 1;
    counter.Add(std::span<const double>(values).first(std::min(half, values.size())));
    if (half < values.size()) counter.Add(std::span<const double>(values).subspan(half));
    EXPECT_EQ(counter.GetCounts(), expected) << "round " << round;
    EXPECT_EQ(counter.GetLeftOut(), leftOut) << "round " << round;
    EXPECT_EQ(counter.GetCounted() + leftOut, values.size()) << "round " << round;

    // The baseline instructions count as the widest.
    std::vector<std::uint64_t> above(ranks.size(), 0), baseline(ranks.size(), 0);
    const pvk::legend::TAboveCounts ends = pvk::legend::CountAbove(values, ranks, above);
    const pvk::legend::TAboveCounts ends2 = pvk::legend::CountAbove(values, ranks, baseline, true);
    EXPECT_EQ(baseline, above) << "round " << round;
    EXPECT_EQ(ends2.nNonFinite, ends.nNonFinite) << "round " << round;
    EXPECT_EQ(ends2.nPosInf, ends.nPosInf) << "round " << round;
  }
}

}  // namespace
