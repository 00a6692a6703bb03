#include <gtest/gtest.h>

#include "base/Containers.h"

namespace {

using V3 = zar::MVector<double, 3>;

TEST(MVector, CrossDotLengthAndArithmetic) {
  const V3 x{{1, 0, 0}}, y{{0, 1, 0}}, z{{0, 0, 1}};
  EXPECT_EQ(x.Cross(y), z);
  EXPECT_EQ(y.Cross(z), x);
  EXPECT_EQ(z.Cross(x), y);
  EXPECT_EQ(y.Cross(x), z * -1.0);
  const V3 a{{1, 2, 3}}, b{{-4, 5, 0.5}};
  const V3 c = a.Cross(b);
  EXPECT_DOUBLE_EQ(c.Dot(a), 0.0);
  EXPECT_DOUBLE_EQ(c.Dot(b), 0.0);
  EXPECT_DOUBLE_EQ(a.Dot(b), -4 + 10 + 1.5);
  EXPECT_EQ(a + b, (V3{{-3, 7, 3.5}}));
  EXPECT_EQ(a - b, (V3{{5, -3, 2.5}}));
  EXPECT_EQ(2.0 * a, (V3{{2, 4, 6}}));
  EXPECT_DOUBLE_EQ((V3{{3, 4, 12}}).Length(), 13.0);
}

TEST(MVector, NormalizeKeepsTheZeroVector) {
  V3 zero;
  zero.Normalize();
  EXPECT_EQ(zero, V3{});
  V3 v{{0, 3, -4}};
  v.Normalize();
  EXPECT_DOUBLE_EQ(v[1], 0.6);
  EXPECT_DOUBLE_EQ(v[2], -0.8);
  // Components whose squares underflow still normalise to unit length.
  zar::MVector<float, 3> tiny{{1e-30f, 0, -1e-30f}};
  tiny.Normalize();
  EXPECT_FLOAT_EQ(tiny.Length(), 1.0f);
  EXPECT_FLOAT_EQ(tiny[0], -tiny[2]);
}

}  // namespace
