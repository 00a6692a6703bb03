// Legend value functions: the equal-interval ranks and their single-precision fraction, the
// equal-percent map, and its table filled so that every band holds an equal share.
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
  struct TInterval {
    double min, max;
    std::int32_t n;
    TRanks ranks;
  };
  const TInterval intervals[] = {
      {0, 1, 5, {0, 0.25, 0.5, 0.75, 1.0}},
      {0, 1, 4, {0, 0.3333333432674408, 0.6666666865348816, 1.0}},  // single precision
      {-3, 7, 1, {7}},
      {0, 1, 0, {}},
  };
  for (const TInterval& c : intervals) {
    CLegendValueFuncEqualInterval f;
    f.SetData(nullptr, nullptr, c.min, c.max, c.n);
    EXPECT_EQ(Ranks(f), c.ranks) << c.n;
    EXPECT_EQ(f.Func(c.max + 1.5), c.max + 1.5) << c.n;
  }

  // Equal values stay in one band, on the side nearer to an equal share; no table from fewer
  // than two ranks or without a finite value.
  struct TFill {
    std::vector<double> values;
    std::int32_t n;
    TRanks ranks;
  };
  const TFill fills[] = {
      {{0, 1, 2, 2, 2, 2, 4, 5, 6, 7}, 3, {0, 2, 7}},
      {{0, 1, 3, 3, 3, 3, 3, 3, 3, 4}, 3, {0, 1, 4}},
      {{3, 3, 3, 3, 3, 3, 3, 3, 3, 4}, 3, {3, 3, 4}},
      {{7, 7, 7}, 4, {7, 7, 7, 7}},
      {{7, 7}, 1, {}},
      {{NAN, INFINITY}, 3, {}},
      {{20, 0, 1}, 3, {0, 1, 20}},
  };
  CLegendValueFuncEqualPercent p;
  EXPECT_EQ(p.Func(5.0), 5.0);
  for (const TFill& c : fills) {
    EXPECT_EQ(p.SetQuantiles(c.values, c.n), c.ranks.empty() ? 0 : 1) << c.values[1];
    EXPECT_EQ(Ranks(p), c.ranks) << c.values[1];
  }
  // Ranks 0, 1, 20 mapped onto 0, 10, 20: slope 10 below 1, 10/19 above, the value itself above
  // the last bound; SetData keeps the table.
  p.SetData(nullptr, nullptr, 100.0, 200.0, 7);
  EXPECT_EQ(p.Func(0.5), 5.0);
  EXPECT_EQ(p.Func(-1.0), -10.0);
  EXPECT_DOUBLE_EQ(p.Func(10.0), 10.0 + 9.0 * 10.0 / 19.0);
  EXPECT_EQ(p.Func(25.0), 25.0);
  EXPECT_TRUE(std::isnan(p.Func(NAN)));
}

// Copies own their arrays; Init forgets everything, the counter too.
TEST(LegendValueFunc, CopiesAreDeepAndInitForgets) {
  CLegendValueFuncEqualInterval a, b;
  a.SetData(nullptr, nullptr, 0.0, 4.0, 5);
  b = a;
  const CLegendValueFuncEqualInterval c(a);
  a.Init();
  EXPECT_EQ(Ranks(a).size() + a.GetRankCnt(), 0u);
  EXPECT_EQ(Ranks(b), (TRanks{0, 1, 2, 3, 4}));
  EXPECT_EQ(Ranks(c), Ranks(b));

  CLegendValueFuncEqualPercent p, q;
  const double values[] = {3, 1, 2, 5, 4};
  ASSERT_EQ(p.SetQuantiles(values, 3), 1);
  q = p;
  const CLegendValueFuncEqualPercent r(p);
  p.Init();
  EXPECT_EQ(Ranks(p).size() + p.GetCount(), 0u);
  EXPECT_EQ(Ranks(q), (TRanks{1, 3, 5}));
  EXPECT_EQ(Ranks(r), Ranks(q));
  EXPECT_EQ(q.GetCount() + r.GetCount(), 10);
}

// Random values and two that are not finite: every band takes an equal share within one
// value, the ranks rise from minimum to maximum, and the map rises and takes each rank to the
// equal interval's.
TEST(LegendValueFunc, QuantilesShareEqually) {
  std::mt19937_64 rng(11);
  std::lognormal_distribution<double> spread(0.0, 2.0);
  const std::pair<std::size_t, std::int32_t> cases[] = {{1000, 10}, {997, 11},  {5, 10},
                                                        {1, 4},     {20000, 2}, {333, 33}};
  for (const auto& [count, nRank] : cases) {
    std::vector<double> values(count);
    for (double& v : values) v = spread(rng) - 3.0;
    values.insert(values.end(), {NAN, -INFINITY});
    CLegendValueFuncEqualPercent f;
    ASSERT_EQ(f.SetQuantiles(values, nRank), 1) << count;
    EXPECT_EQ(f.GetCount(), static_cast<std::int32_t>(count));
    const TRanks ranks = Ranks(f);
    ASSERT_EQ(ranks.size(), static_cast<std::size_t>(nRank));
    const auto [lo, hi] = std::minmax_element(values.begin(), values.begin() + count);
    EXPECT_EQ(ranks.front(), *lo);
    EXPECT_EQ(ranks.back(), *hi);
    EXPECT_TRUE(std::is_sorted(ranks.begin(), ranks.end()));

    CLegendBandCounter counter(ranks);
    counter.Add(values);
    const auto counts = counter.GetCounts();
    const double share = static_cast<double>(count) / (nRank - 1);
    for (std::size_t b = 0; b + 1 < counts.size(); ++b)
      EXPECT_LT(std::abs(static_cast<double>(counts[b]) - share), 1.0) << count << " band " << b;

    CLegendValueFuncEqualInterval scale;
    scale.SetData(nullptr, nullptr, *lo, *hi, nRank);
    const TRanks even = Ranks(scale);
    const double tol = 1e-12 * std::max({std::abs(*lo), std::abs(*hi), 1.0});
    for (std::size_t i = 0; i < ranks.size(); ++i) {
      if (i == 0 || ranks[i - 1] < ranks[i]) {
        EXPECT_NEAR(f.Func(ranks[i]), even[i], tol) << count << " rank " << i;
      }
    }
    std::sort(values.begin(), values.begin() + count);
    for (std::size_t i = 1; i < count; ++i)
      ASSERT_LE(f.Func(values[i - 1]), f.Func(values[i])) << count << " at " << i;
  }
}

}  // namespace
