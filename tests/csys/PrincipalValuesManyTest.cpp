// The tensors computed side by side give bit for bit what the one-tensor route gives, over
// random tensors of every scale and the degenerate ones that take the special branches.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "csys/EigenReference.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/PrincipalValuesMany.h"

using pvk::csys::TPrincipal3D;
using pvk::csys::TTensor6;

namespace {

// One of the kinds that take their own branches in the solver; every kind at random scales.
TTensor6 MakeTensor(std::mt19937_64& rng, int kind) {
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  std::uniform_int_distribution<int> small(-3, 3), exponent(-320, 300);
  const double scale = std::ldexp(1.0, exponent(rng));
  TTensor6 s;
  for (double& x : s) x = u(rng) * scale;
  switch (kind) {
    case 0:  // plain
      break;
    case 1:  // small integers: exact ties, zero rows and columns, repeated values
      for (double& x : s) x = small(rng) * scale;
      break;
    case 2:  // diagonal
      s[3] = s[4] = s[5] = 0.0;
      break;
    case 3:  // two or three equal values in a random frame
    {
      const double a = u(rng), b = (rng() & 1) ? a : u(rng);
      s = csys_test::TensorWithEigen(csys_test::RandomRotation(rng), {a, a, b});
      for (double& x : s) x *= scale;
      break;
    }
    case 4:  // one entry off, or tiny against the others
      s[rng() % 6] = (rng() & 1) ? std::numeric_limits<double>::quiet_NaN() : 0.0;
      s[rng() % 6] *= (rng() & 1) ? std::numeric_limits<double>::infinity() : 1e-300;
      break;
  }
  return s;
}

}  // namespace

TEST(PrincipalValuesMany, EqualsTheOneTensorRouteBitForBit) {
  constexpr int kKinds = 5;
  constexpr int kPerKind = 400'000;
  std::mt19937_64 rng(21);
  std::vector<TTensor6> s;
  for (int n = 0; n < kPerKind; ++n)
    for (int kind = 0; kind < kKinds; ++kind) s.push_back(MakeTensor(rng, kind));
  // A count that leaves the last lanes empty.
  s.pop_back();
  std::vector<TPrincipal3D> many(s.size());
  const std::size_t nFailed = pvk::csys::CalcPrincipalStress3DMany(s, many);
  std::size_t nExpectFailed = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    TPrincipal3D one;
    one.nOk = COutputCSysConverter_ZAR::calcPrincipalStress3D(s[i].data(), one.values, one.dirs);
    nExpectFailed += one.nOk ? 0 : 1;
    ASSERT_EQ(many[i].nOk, one.nOk) << i;
    ASSERT_EQ(std::memcmp(many[i].values, one.values, sizeof one.values), 0) << i;
    ASSERT_EQ(std::memcmp(many[i].dirs, one.dirs, sizeof one.dirs), 0) << i;
  }
  EXPECT_EQ(nFailed, nExpectFailed);
  EXPECT_GT(nFailed, 0u);
}
