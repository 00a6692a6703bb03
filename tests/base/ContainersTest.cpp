#include <gtest/gtest.h>

#include "base/Containers.h"

namespace {

using V3 = zar::MVector<double, 3>;

TEST(MVector, ArithmeticAndNormalizeKeepingTheZeroVector) {
  const V3 x{{1, 0, 0}}, y{{0, 1, 0}}, z{{0, 0, 1}}, a{{1, 2, 3}}, b{{-4, 5, 0.5}};
  EXPECT_EQ((std::vector<V3>{x.Cross(y), y.Cross(z), z.Cross(x), y.Cross(x)}),
            (std::vector<V3>{z, x, y, z * -1.0}));
  EXPECT_EQ((std::vector<double>{a.Cross(b).Dot(a), a.Cross(b).Dot(b), a.Dot(b)}),
            (std::vector<double>{0, 0, -4 + 10 + 1.5}));
  EXPECT_EQ((std::vector<V3>{a + b, a - b, 2.0 * a}),
            (std::vector<V3>{{{-3, 7, 3.5}}, {{5, -3, 2.5}}, {{2, 4, 6}}}));
  EXPECT_DOUBLE_EQ((V3{{3, 4, 12}}).Length(), 13.0);
  V3 zero, v{{0, 3, -4}};
  zero.Normalize();
  v.Normalize();
  EXPECT_EQ(zero, V3{});
  EXPECT_DOUBLE_EQ(v[1], 0.6);
  EXPECT_DOUBLE_EQ(v[2], -0.8);
  // Components whose squares underflow still normalise to unit length.
  zar::MVector<float, 3> tiny{{1e-30f, 0, -1e-30f}};
  tiny.Normalize();
  EXPECT_FLOAT_EQ(tiny.Length(), 1.0f);
  EXPECT_FLOAT_EQ(tiny[0], -tiny[2]);
}

}  // namespace
