// Static conversions between coordinate systems, checked against explicit matrix algebra.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "csys/EigenReference.h"
#include "csys/OutputCSysConvertAPI.h"
#include "csys/OutputCSysConverter_ZAR.h"

using namespace csys_test;
using API = COutputCSysConvertAPI;

namespace {

using C6 = std::array<double, 6>;
using C8 = std::array<double, 8>;

struct Sys {
  double m[3][3];
};

Sys ToSys(const Mat3& r) {
  Sys s;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) s.m[i][j] = r[i][j];
  return s;
}

// Rotation about z: rows (cos, sin, 0), (-sin, cos, 0), (0, 0, 1).
Sys AboutZ(double deg) {
  const double t = deg * std::numbers::pi / 180.0, c = std::cos(t), s = std::sin(t);
  return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

// T'ij = ri . T rj: the tensor in the axes given by the rows.
C6 InAxes(const C6& c, const Sys& s) {
  const Mat3 t = TensorMatrix(c.data());
  const auto entry = [&](int i, int j) {
    double sum = 0;
    for (int k = 0; k < 3; ++k)
      for (int l = 0; l < 3; ++l) sum += s.m[i][k] * t[k][l] * s.m[j][l];
    return sum;
  };
  return {entry(0, 0), entry(1, 1), entry(2, 2), entry(0, 1), entry(1, 2), entry(0, 2)};
}

void ExpectNear(const double* got, const double* want, int n, double tol) {
  for (int i = 0; i < n; ++i) EXPECT_NEAR(got[i], want[i], tol) << "component " << i;
}

}  // namespace

TEST(ConvertComp3And6, IntoTheAxesAndBack) {
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> u(-50, 50);
  for (int n = 0; n < 200; ++n) {
    const Sys s = ToSys(RandomRotation(rng));
    const double v0[3] = {u(rng), u(rng), u(rng)};
    double v[3] = {v0[0], v0[1], v0[2]};
    API::Gcs2UcsComp3(v, s.m);
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(v[i], Dot({s.m[i][0], s.m[i][1], s.m[i][2]}, v0), 1e-12);
    API::Ucs2GcsComp3(v, s.m);
    ExpectNear(v, v0, 3, 1e-12);

    const C6 c0 = {u(rng), u(rng), u(rng), u(rng), u(rng), u(rng)};
    const C6 t = InAxes(c0, s);
    C6 c = c0;
    API::Gcs2UcsComp6(0, c.data(), s.m, 0);
    ExpectNear(c.data(), t.data(), 6, 1e-12);
    API::Ucs2GcsComp6(0, c.data(), s.m, 0);
    ExpectNear(c.data(), c0.data(), 6, 1e-12);
    // Engineering shears: the same tensor with its shears doubled in and out.
    C6 eng = {c0[0], c0[1], c0[2], 2 * c0[3], 2 * c0[4], 2 * c0[5]};
    API::Gcs2UcsComp6(0, eng.data(), s.m, 1);
    const C6 want = {t[0], t[1], t[2], 2 * t[3], 2 * t[4], 2 * t[5]};
    ExpectNear(eng.data(), want.data(), 6, 1e-12);
  }
}

TEST(ConvertComp8, IdenticalSystemsKeepValuesAndInPlaneTurnMatchesTensors) {
  const C8 c0 = {3, -1, 2, 0.5, 4, -2, 7, -3};
  std::mt19937_64 rng(13);
  const Sys same = ToSys(RandomRotation(rng));
  C8 c = c0;
  EXPECT_EQ(API::Ucs2UcsComp8(0, c.data(), same.m, same.m), 1);
  ExpectNear(c.data(), c0.data(), 8, 1e-14);

  const Sys from = AboutZ(20), to = AboutZ(-35);
  c = c0;
  API::Ucs2UcsComp8(0, c.data(), from.m, to.m);
  // Each triple as a plane tensor: to global with `from`, then into `to`.
  for (int t = 0; t < 2; ++t) {
    C6 tensor = {c0[3 * t], c0[3 * t + 1], 0, c0[3 * t + 2], 0, 0};
    API::Ucs2GcsComp6(0, tensor.data(), from.m, 0);
    API::Gcs2UcsComp6(0, tensor.data(), to.m, 0);
    const double want[3] = {tensor[0], tensor[1], tensor[3]};
    ExpectNear(c.data() + 3 * t, want, 3, 1e-13);
  }
  double v[3] = {c0[6], c0[7], 0};
  API::Ucs2GcsComp3(v, from.m);
  API::Gcs2UcsComp3(v, to.m);
  ExpectNear(c.data() + 6, v, 2, 1e-13);
}

TEST(ConvertShellProjection, TurnsToTheProjectedDirection) {
  const Sys id = AboutZ(0);
  const Sys flipped = {{{1, 0, 0}, {0, -1, 0}, {0, 0, -1}}};  // normal against the shell's
  const C8 c0 = {3, -1, 2, 0.5, 4, -2, 7, -3};
  for (double deg : {0.0, 30.0, 135.0, -60.0}) {
    const double t = deg * std::numbers::pi / 180.0;
    const double d[3] = {2 * std::cos(t), 2 * std::sin(t), 5.0};  // out-of-plane part drops
    const Sys axes = AboutZ(deg);
    for (const Sys* b : {&id, &flipped}) {
      C8 c = c0;
      ASSERT_EQ(API::Ucs2UcsCompShellProjectional(8, c.data(), id.m, b->m, d), 1);
      for (int k = 0; k < 2; ++k) {
        const C6 t6 = InAxes({c0[3 * k], c0[3 * k + 1], 0, c0[3 * k + 2], 0, 0}, axes);
        const double want[3] = {t6[0], t6[1], t6[3]};
        ExpectNear(c.data() + 3 * k, want, 3, 1e-13);
      }
      double v[3] = {c0[6], c0[7], 0};
      API::Gcs2UcsComp3(v, axes.m);
      ExpectNear(c.data() + 6, v, 2, 1e-13);
    }
    C6 six = {c0[0], c0[1], c0[2], c0[3], c0[4], c0[5]};
    API::Ucs2UcsCompShellProjectional(6, six.data(), id.m, id.m, d);
    ExpectNear(six.data() + 3, c0.data() + 3, 3, 0.0);  // only the first triple turns
  }
}

TEST(ConvertShellProjection, RefusedCountsAndDirectionsLeaveValues) {
  const Sys id = AboutZ(0);
  const Sys yzPlane = {{{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}};
  const double inPlane[3] = {1, 1, 0};
  const double alongNormal[3] = {0, 0, 3};
  const double alongZ[3] = {0, 0, 1};
  const double nan[3] = {NAN, 0, 0};
  struct Case {
    const char* name;
    int n;
    const Sys* a;
    const double* d;
  };
  const Case cases[] = {
      {"seven values", 7, &id, inPlane},
      {"three values", 3, &id, inPlane},
      {"direction along the normal", 8, &id, alongNormal},
      {"projection across the output plane", 8, &yzPlane, alongZ},
      {"no direction", 6, &id, nan},
  };
  for (const Case& k : cases) {
    C8 c = {1, 2, 3, 4, 5, 6, 7, 8};
    const C8 c0 = c;
    EXPECT_EQ(API::Ucs2UcsCompShellProjectional(k.n, c.data(), k.a->m, id.m, k.d), 0) << k.name;
    EXPECT_EQ(c, c0) << k.name;
  }
}

TEST(OutputCSys, OutputAndElementSystems) {
  for (int kind = -1; kind <= 6; ++kind) {
    TGetOutputCSysParam param{kind, 0};
    double m[3][3] = {{9, 9, 9}, {9, 9, 9}, {9, 9, 9}};
    EXPECT_EQ(API::GetOutputCSys(&param, m), 1);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) EXPECT_EQ(m[i][j], i == j ? 1.0 : 0.0);
  }
  const pvk::TElemOutCsys_d entries[] = {{{9, 9, 9, 9, 9, 9}},
                                         {{0, 2, 0, 0, 0, 3}},   // rows kept, cross unit
                                         {{1, 1, 0, 2, 2, 0}}};  // parallel: zero normal kept
  struct Case {
    const pvk::TElemOutCsys_d* p;
    std::int32_t index;
    double want[3][3];
  };
  const Case cases[] = {
      {nullptr, 1, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {entries, -1, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
      {entries, 1, {{0, 2, 0}, {0, 0, 3}, {1, 0, 0}}},
      {entries, 2, {{1, 1, 0}, {2, 2, 0}, {0, 0, 0}}},
  };
  for (const Case& c : cases) {
    double m[3][3];
    EXPECT_EQ(COutputCSysConverter_ZAR::GetElemOutputCSys(c.p, c.index, m), 1);
    for (int i = 0; i < 3; ++i) ExpectNear(m[i], c.want[i], 3, 0.0);
  }
}
