// Legend value functions: the equal-interval ranks and their single-precision fraction, the
// equal-percent map, and its table filled from the values so that every band holds an equal
// share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "render/LegendBandCounter.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/LegendValueFuncEqualPercent.h"

namespace {

using TRanks = std::vector<double>;

TRanks Ranks(const ILegendValueFunc& f) {
  zar::MTArray<double> out;
  f.GetRankVal(out);
  return {out.begin(), out.end()};
}

TEST(LegendValueFunc, EdgeCases) {
  struct TCase {
    const char* what;
    double min, max;
    std::int32_t n;
    TRanks ranks;
  };
  const TCase cases[] = {
      {"exact fifths", 0, 1, 5, {0, 0.25, 0.5, 0.75, 1.0}},
      {"thirds in single precision", 0, 1, 4, {0, 0.3333333432674408, 0.6666666865348816, 1.0}},
      {"one rank is the maximum", -3, 7, 1, {7}},
      {"no ranks", 0, 1, 0, {}},
      {"a range below zero", -8, -4, 3, {-8, -6, -4}},
  };
  for (const TCase& c : cases) {
    CLegendValueFuncEqualInterval f;
    f.SetData(nullptr, nullptr, c.min, c.max, c.n);
    EXPECT_EQ(Ranks(f), c.ranks) << c.what;
    EXPECT_EQ(f.Func(c.max + 1.5), c.max + 1.5) << c.what;
  }

  // Ranks 0, 1, 20 mapped onto 0, 10, 20: slope 10 below 1, 10/19 above, the value itself above
  // the last bound, and without a table.
  CLegendValueFuncEqualPercent p;
  EXPECT_EQ(p.Func(5.0), 5.0);
  EXPECT_TRUE(Ranks(p).empty());
  const double values[] = {20, 0, 1};
  ASSERT_EQ(p.SetQuantiles(values, 3), 1);
  EXPECT_EQ(Ranks(p), (TRanks{0, 1, 20}));
  EXPECT_EQ(p.Func(0.5), 5.0);
  EXPECT_EQ(p.Func(-1.0), -10.0);
  EXPECT_DOUBLE_EQ(p.Func(10.0), 10.0 + 9.0 * 10.0 / 19.0);
  EXPECT_EQ(p.Func(25.0), 25.0);
  EXPECT_TRUE(std::isnan(p.Func(NAN)));
  p.SetData(nullptr, nullptr, 100.0, 200.0, 7);  // keeps the table
  EXPECT_EQ(Ranks(p), (TRanks{0, 1, 20}));

  // Ties across the middle of ten values go below the rank or above it, whichever is nearer.
  struct TTies {
    std::vector<double> values;
    TRanks ranks;
  };
  const TTies ties[] = {
      {{0, 1, 2, 2, 2, 2, 4, 5, 6, 7}, {0, 2, 7}},
      {{0, 1, 3, 3, 3, 3, 3, 3, 3, 4}, {0, 1, 4}},
      {{3, 3, 3, 3, 3, 3, 3, 3, 3, 4}, {3, 3, 4}},
  };
  for (const TTies& t : ties) {
    ASSERT_EQ(p.SetQuantiles(t.values, 3), 1);
    EXPECT_EQ(Ranks(p), t.ranks) << t.values[2];
  }
}

// Copies own their arrays; Init forgets everything, the counter too.
TEST(LegendValueFunc, CopiesAreDeepAndInitForgets) {
  CLegendValueFuncEqualInterval a;
  a.SetData(nullptr, nullptr, 0.0, 4.0, 5);
  CLegendValueFuncEqualInterval b(a), c;
  c = a;
  a.Init();
  EXPECT_TRUE(Ranks(a).empty());
  EXPECT_EQ(a.GetRankCnt(), 0);
  EXPECT_EQ(Ranks(b), (TRanks{0, 1, 2, 3, 4}));
  EXPECT_EQ(Ranks(c), Ranks(b));

  CLegendValueFuncEqualPercent p;
  const double values[] = {3, 1, 2, 5, 4};
  ASSERT_EQ(p.SetQuantiles(values, 3), 1);
  CLegendValueFuncEqualPercent q(p), r;
  r = p;
  p.Init();
  EXPECT_TRUE(Ranks(p).empty());
  EXPECT_EQ(p.GetCount(), 0);
  for (const CLegendValueFuncEqualPercent* copy : {&q, &r}) {
    EXPECT_EQ(copy->GetCount(), 5);
    EXPECT_EQ(Ranks(*copy), (TRanks{1, 3, 5}));
    EXPECT_EQ(copy->Func(2.0), 2.0);
  }
}

// Random values, some of them not finite, some runs tied: every band takes an equal share
// within one value, the ranks rise from minimum to maximum, and the map rises through the
// equal intervals.
TEST(LegendValueFunc, QuantilesShareEqually) {
  std::mt19937_64 rng(11);
  struct TCase {
    std::size_t count;
    std::int32_t nRank;
  };
  const TCase cases[] = {{1000, 10}, {997, 11}, {5, 10}, {1, 4}, {20000, 2}, {333, 33}};
  for (const TCase& c : cases) {
    std::lognormal_distribution<double> spread(0.0, 2.0);
    std::vector<double> values(c.count);
    for (double& v : values) v = spread(rng) - 3.0;
    values.push_back(NAN);
    values.push_back(-INFINITY);
    CLegendValueFuncEqualPercent f;
    ASSERT_EQ(f.SetQuantiles(values, c.nRank), 1) << c.count;
    EXPECT_EQ(f.GetCount(), static_cast<std::int32_t>(c.count));

    const TRanks ranks = Ranks(f);
    ASSERT_EQ(ranks.size(), static_cast<std::size_t>(c.nRank));
    const auto [lo, hi] = std::minmax_element(values.begin(), values.begin() + c.count);
    EXPECT_EQ(ranks.front(), *lo);
    EXPECT_EQ(ranks.back(), *hi);
    EXPECT_TRUE(std::is_sorted(ranks.begin(), ranks.end()));

    CLegendBandCounter counter(ranks);
    counter.Add(values);
    EXPECT_EQ(counter.GetLeftOut(), 2u);
    const auto counts = counter.GetCounts();
    const double share = static_cast<double>(c.count) / (c.nRank - 1);
    for (std::size_t b = 0; b + 1 < counts.size(); ++b)
      EXPECT_LT(std::abs(static_cast<double>(counts[b]) - share), 1.0) << c.count << " band " << b;

    CLegendValueFuncEqualInterval scale;
    scale.SetData(nullptr, nullptr, *lo, *hi, c.nRank);
    const TRanks even = Ranks(scale);
    const double tol = 1e-12 * std::max({std::abs(*lo), std::abs(*hi), 1.0});
    for (std::size_t i = 0; i < ranks.size(); ++i) {
      if (i == 0 || ranks[i - 1] < ranks[i]) {
        EXPECT_NEAR(f.Func(ranks[i]), even[i], tol);
      }
    }
    std::sort(values.begin(), values.begin() + c.count);
    for (std::size_t i = 1; i < c.count; ++i)
      ASSERT_LE(f.Func(values[i - 1]), f.Func(values[i])) << c.count << " at " << i;
  }

  // All values equal: every rank is that value, and so is its map.
  CLegendValueFuncEqualPercent same;
  const std::vector<double> sevens(50, 7.0);
  ASSERT_EQ(same.SetQuantiles(sevens, 5), 1);
  EXPECT_EQ(Ranks(same), TRanks(5, 7.0));
  EXPECT_EQ(same.Func(7.0), 7.0);
  // Nothing finite, or fewer than two ranks: no table.
  const double none[] = {NAN, INFINITY};
  EXPECT_EQ(same.SetQuantiles(none, 5), 0);
  EXPECT_TRUE(Ranks(same).empty());
  EXPECT_EQ(same.SetQuantiles(sevens, 1), 0);
}

}  // namespace
