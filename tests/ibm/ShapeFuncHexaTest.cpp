#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

#include "ibm/ShapeFuncHexa.h"

namespace {

using pvk::ibm::kHexaNodeNatural;

template <class T>
struct Funcs {
  std::vector<std::unique_ptr<ShapeFuncHexaBase<T>>> all;
  Funcs() {
    all.push_back(std::make_unique<ShapeFuncHexa8<T>>());
    all.push_back(std::make_unique<ShapeFuncHexa20<T>>());
  }
};

template <class T>
class ShapeFuncHexaTest : public ::testing::Test {
protected:
  static constexpr T kTol = sizeof(T) == 4 ? T(2e-6) : T(1e-14);
  Funcs<T> funcs;
  std::mt19937 rng{16};

  std::array<T, 3> RandomPoint() {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    return {T(u(rng)), T(u(rng)), T(u(rng))};
  }
  // Sum of N_j f(node j) at p.
  template <class F>
  T Interpolate(const ShapeFuncHexaBase<T>& f, const std::array<T, 3>& p, F field) {
    T n[pvk::ibm::N_HEXA20_NODE];
    f.CalcShape(p[0], p[1], p[2], n);
    T sum = 0;
    for (std::int32_t j = 0; j < f.GetNodeCount(); ++j) {
      const auto& c = kHexaNodeNatural[j];
      sum += n[j] * field(T(c[0]), T(c[1]), T(c[2]));
    }
    return sum;
  }
};
using Precisions = ::testing::Types<float, double>;
TYPED_TEST_SUITE(ShapeFuncHexaTest, Precisions);

// The fused 8-node blend gives each corner's own value bit for bit: shared corners must come
// out the same from every cell.
TYPED_TEST(ShapeFuncHexaTest, KroneckerAtEveryNode) {
  std::uniform_real_distribution<double> u(-1e3, 1e3);
  TypeParam values[pvk::ibm::N_HEXA8_NODE];
  for (TypeParam& v : values) v = TypeParam(u(this->rng));
  for (const auto& f : this->funcs.all)
    for (std::int32_t i = 0; i < f->GetNodeCount(); ++i) {
      const auto& c = kHexaNodeNatural[i];
      TypeParam n[pvk::ibm::N_HEXA20_NODE];
      f->CalcShape(c[0], c[1], c[2], n);
      for (std::int32_t j = 0; j < f->GetNodeCount(); ++j)
        EXPECT_EQ(n[j], i == j ? 1 : 0) << f->GetNodeCount() << " node " << i << " fn " << j;
      if (i < pvk::ibm::N_HEXA8_NODE) {
        EXPECT_EQ(ShapeFuncHexa8<TypeParam>::Interpolate(c[0], c[1], c[2], values), values[i]);
      }
    }
}

// Partition of unity, and exact reproduction of the fields each element spans: trilinear for
// 8 nodes, quadratic serendipity (complete quadratic plus the cubic terms it holds) for 20.
TYPED_TEST(ShapeFuncHexaTest, ReproducesItsFieldsAtRandomPoints) {
  using T = TypeParam;
  std::uniform_real_distribution<double> u(-2.0, 2.0);
  for (int trial = 0; trial < 200; ++trial) {
    std::array<T, 14> k;
    for (T& x : k) x = T(u(this->rng));
    auto trilinear = [&](T x, T y, T z) {
      return k[0] + k[1] * x + k[2] * y + k[3] * z + k[4] * x * y + k[5] * y * z + k[6] * z * x +
             k[7] * x * y * z;
    };
    auto serendipity = [&](T x, T y, T z) {
      return trilinear(x, y, z) + k[8] * x * x + k[9] * y * y + k[10] * z * z + k[11] * x * x * y +
             k[12] * y * z * z + k[13] * x * y * z * z;
    };
    const auto p = this->RandomPoint();
    const T tol = this->kTol * 40;
    for (const auto& f : this->funcs.all) {
      EXPECT_NEAR(this->Interpolate(*f, p, [](T, T, T) { return T(1); }), 1, this->kTol * 4);
      EXPECT_NEAR(this->Interpolate(*f, p, trilinear), trilinear(p[0], p[1], p[2]), tol);
    }
    T corner[pvk::ibm::N_HEXA8_NODE];
    for (std::int32_t j = 0; j < pvk::ibm::N_HEXA8_NODE; ++j) {
      const auto& c = kHexaNodeNatural[j];
      corner[j] = trilinear(T(c[0]), T(c[1]), T(c[2]));
    }
    EXPECT_NEAR(ShapeFuncHexa8<T>::Interpolate(p[0], p[1], p[2], corner),
                trilinear(p[0], p[1], p[2]), tol);
    EXPECT_NEAR(this->Interpolate(*this->funcs.all[1], p, serendipity),
                serendipity(p[0], p[1], p[2]), tol);
  }
}

}  // namespace
