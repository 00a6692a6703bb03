#pragma once
// Independent references for the principal value tests: a cyclic Jacobi eigen solver, random
// rotations and tensors built from chosen eigenvalues.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>

namespace csys_test {

using Mat3 = std::array<std::array<double, 3>, 3>;
using Vec3 = std::array<double, 3>;

// Eigenvalues descending and their unit vectors as rows.
struct Eigen3 {
  Vec3 values;
  Mat3 vectors;
};

inline Mat3 TensorMatrix(const double s[6]) {
  return {{{s[0], s[3], s[5]}, {s[3], s[1], s[4]}, {s[5], s[4], s[2]}}};
}

// Cyclic Jacobi rotations until the off-diagonal part vanishes against the diagonal.
inline Eigen3 JacobiEigen(Mat3 a) {
  Mat3 v{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  for (int sweep = 0; sweep < 100; ++sweep) {
    const double off = std::fabs(a[0][1]) + std::fabs(a[0][2]) + std::fabs(a[1][2]);
    const double diag = std::fabs(a[0][0]) + std::fabs(a[1][1]) + std::fabs(a[2][2]);
    if (off <= 1e-300 || off <= 1e-18 * diag) break;
    for (int p = 0; p < 2; ++p) {
      for (int q = p + 1; q < 3; ++q) {
        if (a[p][q] == 0.0) continue;
        const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
        const double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::hypot(theta, 1.0));
        const double c = 1.0 / std::hypot(t, 1.0), s = t * c;
        for (int k = 0; k < 3; ++k) {  // A <- A J
          const double akp = a[k][p], akq = a[k][q];
          a[k][p] = c * akp - s * akq;
          a[k][q] = s * akp + c * akq;
        }
        for (int k = 0; k < 3; ++k) {  // A <- J^T A
          const double apk = a[p][k], aqk = a[q][k];
          a[p][k] = c * apk - s * aqk;
          a[q][k] = s * apk + c * aqk;
        }
        for (int k = 0; k < 3; ++k) {
          const double vkp = v[k][p], vkq = v[k][q];
          v[k][p] = c * vkp - s * vkq;
          v[k][q] = s * vkp + c * vkq;
        }
      }
    }
  }
  std::array<int, 3> order{0, 1, 2};
  std::sort(order.begin(), order.end(), [&](int x, int y) { return a[x][x] > a[y][y]; });
  Eigen3 out;
  for (int k = 0; k < 3; ++k) {
    out.values[k] = a[order[k]][order[k]];
    for (int i = 0; i < 3; ++i) out.vectors[k][i] = v[i][order[k]];
  }
  return out;
}

// A uniformly random rotation from a random unit quaternion; rows are the axes.
inline Mat3 RandomRotation(std::mt19937_64& rng) {
  std::normal_distribution<double> n01;
  double q[4];
  double len = 0;
  for (double& x : q) {
    x = n01(rng);
    len += x * x;
  }
  len = std::sqrt(len);
  for (double& x : q) x /= len;
  const double w = q[0], x = q[1], y = q[2], z = q[3];
  return {{{1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y)},
           {2 * (x * y + w * z), 1 - 2 * (x * x + z * z), 2 * (y * z - w * x)},
           {2 * (x * z - w * y), 2 * (y * z + w * x), 1 - 2 * (x * x + y * y)}}};
}

// The six components of R^T diag(l) R: the rows of R are its eigenvectors.
inline std::array<double, 6> TensorWithEigen(const Mat3& r, const Vec3& l) {
  Mat3 t{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) t[i][j] += r[k][i] * l[k] * r[k][j];
  return {t[0][0], t[1][1], t[2][2], t[0][1], t[1][2], t[0][2]};
}

inline double Dot(const Vec3& a, const double* b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace csys_test
