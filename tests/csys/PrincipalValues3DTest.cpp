// Three-dimensional principal values against a Jacobi reference, with the degenerate branches,
// the scale rule and the sign rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "csys/EigenReference.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/PrincipalValues.h"
#include "csys/SymEigen3.h"

using namespace csys_test;

namespace {

struct TPrincipal {
  int nOk = 0;
  double values[3];
  double dirs[3][3];
};

TPrincipal Principal(const double s[6]) {
  TPrincipal p;
  p.nOk = COutputCSysConverter_ZAR::calcPrincipalStress3D(s, p.values, p.dirs);
  return p;
}

// The first component beyond 1e-8 of every direction is positive.
bool SignRuleHolds(const double d[3]) {
  for (int i = 0; i < 3; ++i) {
    if (d[i] > 1e-8) return true;
    if (d[i] < -1e-8) return false;
  }
  return true;
}

void ExpectOrthonormalSigned(const TPrincipal& p) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(SignRuleHolds(p.dirs[i])) << "direction " << i;
    for (int j = 0; j < 3; ++j) {
      const double dot =
          p.dirs[i][0] * p.dirs[j][0] + p.dirs[i][1] * p.dirs[j][1] + p.dirs[i][2] * p.dirs[j][2];
      EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-12) << i << "," << j;
    }
  }
  EXPECT_GE(p.values[0], p.values[1]);
  EXPECT_GE(p.values[1], p.values[2]);
}

// |A d - l d| relative to the size of A, for every pair.
double WorstResidual(const double s[6], const TPrincipal& p) {
  const Mat3 a = TensorMatrix(s);
  const double norm = std::fabs(p.values[0]) + std::fabs(p.values[2]);
  double worst = 0.0;
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 3; ++i)
      worst = std::fmax(worst, std::fabs(Dot(a[i], p.dirs[k]) - p.values[k] * p.dirs[k][i]) / norm);
  return worst;
}

// The solver route in use agrees with the hypot-only textbook one: values, directions, signs.
void ExpectSameAsReference(const double s[6], const TPrincipal& p) {
  const Mat3 m = TensorMatrix(s);
  double a[3][3];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) a[i][j] = m[i][j];
  TPrincipal ref;
  ASSERT_EQ(pvk::csys::PrincipalValues(a, ref.values, ref.dirs, pvk::csys::SolveSymEigen3Reference),
            1);
  const double size = std::fmax(std::fabs(ref.values[0]), std::fabs(ref.values[2]));
  for (int k = 0; k < 3; ++k) {
    ASSERT_NEAR(p.values[k], ref.values[k], 1e-12 * size);
    for (int i = 0; i < 3; ++i) ASSERT_NEAR(p.dirs[k][i], ref.dirs[k][i], 1e-9);
  }
}

std::array<double, 6> RandomTensor(std::mt19937_64& rng, double size) {
  std::uniform_real_distribution<double> u(-size, size);
  return {u(rng), u(rng), u(rng), u(rng), u(rng), u(rng)};
}

}  // namespace

TEST(PrincipalValues3D, RandomTensorsMatchJacobiAtEveryScale) {
  std::mt19937_64 rng(20240611);
  // 1e200 is scaled before solving; the textbook solver would overflow there.
  for (double size : {1.0, 1e-12, 1e12, 1e100, 1e200}) {
    for (int n = 0; n < 4000; ++n) {
      const auto s = RandomTensor(rng, size);
      const TPrincipal p = Principal(s.data());
      const Eigen3 ref = JacobiEigen(TensorMatrix(s.data()));
      ASSERT_EQ(p.nOk, 1);
      const double norm = std::fabs(ref.values[0]) + std::fabs(ref.values[2]);
      for (int k = 0; k < 3; ++k) ASSERT_NEAR(p.values[k], ref.values[k], 1e-12 * norm) << size;
      const double gap =
          std::fmin(ref.values[0] - ref.values[1], ref.values[1] - ref.values[2]) / norm;
      for (int k = 0; k < 3 && gap > 1e-3; ++k)
        ASSERT_NEAR(std::fabs(Dot(ref.vectors[k], p.dirs[k])), 1.0, 1e-10) << size;
      // The iterations stop once off-diagonals fall to 1e-10 of the matrix size.
      ASSERT_LT(WorstResidual(s.data(), p), 1e-10) << size;
      ExpectOrthonormalSigned(p);
      if (size < 1e150) ExpectSameAsReference(s.data(), p);
    }
  }
}

TEST(PrincipalValues3D, TwoEqualValuesGiveTheSpecifiedCompletion) {
  std::mt19937_64 rng(7);
  for (int n = 0; n < 500; ++n) {
    const Mat3 r = RandomRotation(rng);
    const bool bLowPair = n % 2 == 0;
    const Vec3 l = bLowPair ? Vec3{5.0, -2.0, -2.0} : Vec3{4.0, 4.0, -1.0};
    const auto s = TensorWithEigen(r, l);
    const TPrincipal p = Principal(s.data());
    ASSERT_EQ(p.nOk, 1);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(p.values[k], l[k], 1e-12);
    // The distinct direction u, then w = u x h and v = w x u with h = x (y when u is along x).
    const Vec3 u = bLowPair ? r[0] : r[2];
    const Vec3 h = std::fabs(u[0]) > 0.95 ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    Vec3 w = {u[1] * h[2] - u[2] * h[1], u[2] * h[0] - u[0] * h[2], u[0] * h[1] - u[1] * h[0]};
    const double wl = std::sqrt(w[0] * w[0] + w[1] * w[1] + w[2] * w[2]);
    for (double& x : w) x /= wl;
    const Vec3 v = {w[1] * u[2] - w[2] * u[1], w[2] * u[0] - w[0] * u[2],
                    w[0] * u[1] - w[1] * u[0]};
    // Low pair: dirs (u, w, v); high pair: dirs (w, v, u). Signs are fixed by the sign rule.
    const Vec3 expect[3] = {bLowPair ? u : w, bLowPair ? w : v, bLowPair ? v : u};
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(std::fabs(Dot(expect[k], p.dirs[k])), 1.0, 1e-9) << k;
    EXPECT_LT(WorstResidual(s.data(), p), 1e-12);
    ExpectOrthonormalSigned(p);
    ExpectSameAsReference(s.data(), p);
  }
}

TEST(PrincipalValues3D, EqualValuesAndTinyTensorsReadAlongTheAxes) {
  const Vec3 x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
  struct Case {
    const char* name;
    std::array<double, 6> s;
    Vec3 values;
    std::array<Vec3, 3> dirs;
  };
  std::mt19937_64 rng(3);
  const auto rotated = TensorWithEigen(RandomRotation(rng), {2.5, 2.5, 2.5});
  const Case cases[] = {
      {"hydrostatic", {7, 7, 7, 0, 0, 0}, {7, 7, 7}, {x, y, z}},
      {"rotated hydrostatic", rotated, {2.5, 2.5, 2.5}, {x, y, z}},
      {"zero", {0, 0, 0, 0, 0, 0}, {0, 0, 0}, {x, y, z}},
      {"below solver zero", {1e-17, -2e-16, 0, 1e-16, 0, 0}, {0, 0, 0}, {x, y, z}},
      {"small scale, solved", {1e-15, 0, 0, 0, 0, 0}, {1e-15, 0, 0}, {x, y, z}},
      {"small scale shear", {0, 0, 0, 9e-16, 0, 0}, {9e-16, 0, -9e-16}, {x, y, z}},
      {"ordered diagonal", {1, 2, 3, 0, 0, 0}, {3, 2, 1}, {z, y, x}},
  };
  for (const Case& c : cases) {
    const TPrincipal p = Principal(c.s.data());
    ASSERT_EQ(p.nOk, 1) << c.name;
    const double size = std::fmax(std::fabs(c.values[0]), std::fabs(c.values[2]));
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(p.values[k], c.values[k], 1e-14 * size) << c.name;
      for (int i = 0; i < 3; ++i) EXPECT_NEAR(p.dirs[k][i], c.dirs[k][i], 1e-12) << c.name;
    }
  }
}

TEST(PrincipalValues3D, NonFiniteInputFailsWithZeroedOutputs) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::array<double, 6> bad[] = {
      {nan, 0, 0, 0, 0, 0}, {1, 2, 3, inf, 0, 0}, {-inf, inf, 0, 0, 0, nan}};
  for (const auto& s : bad) {
    TPrincipal p;
    std::fill(&p.dirs[0][0], &p.dirs[0][0] + 9, 9.0);
    std::fill(p.values, p.values + 3, 9.0);
    p.nOk = COutputCSysConverter_ZAR::calcPrincipalStress3D(s.data(), p.values, p.dirs);
    EXPECT_EQ(p.nOk, 0);
    EXPECT_TRUE(std::all_of(p.values, p.values + 3, [](double x) { return x == 0.0; }));
    EXPECT_TRUE(std::all_of(&p.dirs[0][0], &p.dirs[0][0] + 9, [](double x) { return x == 0.0; }));
  }
}
