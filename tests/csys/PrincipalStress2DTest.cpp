// Plane-state principal values and angle, and the principal directions that the rotation of
// the base library derives from the angle.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "base/MathFunc.h"
#include "csys/OutputCSysConverter_ZAR.h"

namespace {

struct Plane {
  double out[3] = {-1, -1, -1};
  int nOk = 0;
};

Plane Principal2D(double xx, double yy, double xy) {
  const double s[3] = {xx, yy, xy};
  Plane p;
  p.nOk = COutputCSysConverter_ZAR::calcPrincipalStress2D(s, p.out);
  return p;
}

}  // namespace

TEST(PrincipalStress2D, TableOfCasesAndAngleEdges) {
  const double tiny = static_cast<double>(1e-12f);
  struct Case {
    double xx, yy, xy;
    double major, minor, angle;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0, 0},
      {10, 2, 0, 10, 2, 0},
      {0, 0, 5, 5, -5, 45},
      {0, 0, -5, 5, -5, -45},
      {2, 10, 0, 10, 2, 90},  // xy = 0, h < 0
      {3, 1, 0, 3, 1, 0},     // xy = 0, h > 0
      {1 + tiny, 1, tiny, 1 + tiny * (0.5 + std::sqrt(1.25)), 1 + tiny * (0.5 - std::sqrt(1.25)),
       0},                                               // h and xy within the limit
      {1, 1, 4 * tiny, 1 + 4 * tiny, 1 - 4 * tiny, 45},  // xy beyond it
      {-tiny, 0, 0, 0, -tiny, 0},                        // h < 0 within the limit: no angle
      {-4 * tiny, 0, 0, 0, -4 * tiny, 90},               // h < 0 beyond it
      {-3, -3, 0, -3, -3, 0},
  };
  for (const Case& c : cases) {
    const Plane p = Principal2D(c.xx, c.yy, c.xy);
    EXPECT_EQ(p.nOk, 1);
    EXPECT_NEAR(p.out[0], c.major, 1e-15 * (1 + std::fabs(c.major))) << c.xx << " " << c.xy;
    EXPECT_NEAR(p.out[1], c.minor, 1e-15 * (1 + std::fabs(c.minor))) << c.xx << " " << c.xy;
    EXPECT_NEAR(p.out[2], c.angle, 1e-12) << c.xx << " " << c.yy << " " << c.xy;
  }
}

TEST(PrincipalStress2D, NonFiniteInputGivesZeros) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (const Plane& p : {Principal2D(nan, 0, 0), Principal2D(0, inf, 1), Principal2D(1, 2, -inf)}) {
    EXPECT_EQ(p.nOk, 0);
    for (double v : p.out) EXPECT_EQ(v, 0.0);
  }
}

// Turning the x axis by the angle about the normal gives the major direction, a further -90
// degrees the minor one: each must be an eigenvector of the plane tensor with its value.
TEST(PrincipalStress2D, RotatedAxesAreEigenvectorsOfThePlaneTensor) {
  std::mt19937_64 rng(99);
  std::uniform_real_distribution<double> u(-100.0, 100.0);
  const zar::MVector<double, 3> x{{1, 0, 0}}, normal{{0, 0, 1}};
  for (int n = 0; n < 2000; ++n) {
    const double xx = u(rng), yy = u(rng), xy = u(rng);
    const Plane p = Principal2D(xx, yy, xy);
    const auto major = zar::lib::MMathFunc::RotateVector(x, normal, p.out[2]);
    const auto minor = zar::lib::MMathFunc::RotateVector(major, normal, -90.0);
    const double tol = 1e-12 * (std::fabs(xx) + std::fabs(yy) + std::fabs(xy));
    for (const auto& [d, value] : {std::pair{major, p.out[0]}, std::pair{minor, p.out[1]}}) {
      EXPECT_NEAR(xx * d[0] + xy * d[1], value * d[0], tol);
      EXPECT_NEAR(xy * d[0] + yy * d[1], value * d[1], tol);
    }
    EXPECT_GE(p.out[0], p.out[1]);
  }
}

TEST(MathFuncRotateVector, RightHandedAboutAnyAxis) {
  using V = zar::MVector<double, 3>;
  struct Case {
    V v, axis;
    double deg;
    V expect;
  };
  const double r = std::sqrt(0.5);
  const Case cases[] = {
      {{{1, 0, 0}}, {{0, 0, 1}}, 90, {{0, 1, 0}}},
      {{{1, 0, 0}}, {{0, 0, -2}}, 90, {{0, -1, 0}}},  // axis length does not matter
      {{{0, 1, 0}}, {{1, 0, 0}}, 90, {{0, 0, 1}}},
      {{{1, 0, 0}}, {{0, 0, 1}}, 45, {{r, r, 0}}},
      {{{2, 3, 4}}, {{0, 1, 0}}, 180, {{-2, 3, -4}}},
      {{{1, 2, 3}}, {{1, 1, 1}}, 120, {{3, 1, 2}}},  // cyclic permutation about the diagonal
      {{{1, 2, 3}}, {{0, 0, 0}}, 30, {{1, 2, 3}}},   // no axis: unchanged
  };
  for (const Case& c : cases) {
    const V got = zar::lib::MMathFunc::RotateVector(c.v, c.axis, c.deg);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], c.expect[i], 1e-14) << c.deg;
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const V kept = zar::lib::MMathFunc::RotateVector(V{{1, 2, 3}}, V{{nan, 0, 1}}, 30);
  EXPECT_EQ(kept, (V{{1, 2, 3}}));
}
