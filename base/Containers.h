#pragma once
// The base library's containers. MArray is the standard vector and MTArray a vector of its
// own type, so that an interface may take either; MList takes a node block size hint that the
// standard list does not need.
#include <array>
#include <cmath>
#include <cstddef>
#include <list>
#include <vector>

namespace zar {

template <class T>
using MArray = std::vector<T>;

template <class T>
class MTArray : public std::vector<T> {
public:
  using std::vector<T>::vector;
};

template <class T>
class MList : public std::list<T> {
public:
  MList() = default;
  explicit MList(std::size_t /*blockSize*/) {}
};

template <class T, std::size_t N>
struct MVector {
  std::array<T, N> v{};

  T& operator[](std::size_t i) { return v[i]; }
  const T& operator[](std::size_t i) const { return v[i]; }
  T* data() { return v.data(); }
  const T* data() const { return v.data(); }
  static constexpr std::size_t size() { return N; }

  bool operator==(const MVector&) const = default;

  MVector operator+(const MVector& o) const {
    MVector r;
    for (std::size_t i = 0; i < N; ++i) r.v[i] = v[i] + o.v[i];
    return r;
  }
  MVector operator-(const MVector& o) const {
    MVector r;
    for (std::size_t i = 0; i < N; ++i) r.v[i] = v[i] - o.v[i];
    return r;
  }
  MVector operator*(T s) const {
    MVector r;
    for (std::size_t i = 0; i < N; ++i) r.v[i] = v[i] * s;
    return r;
  }
  friend MVector operator*(T s, const MVector& a) { return a * s; }

  T Dot(const MVector& o) const {
    T r{};
    for (std::size_t i = 0; i < N; ++i) r += v[i] * o.v[i];
    return r;
  }
  MVector Cross(const MVector& o) const requires(N == 3) {
    return {{v[1] * o.v[2] - v[2] * o.v[1], v[2] * o.v[0] - v[0] * o.v[2],
             v[0] * o.v[1] - v[1] * o.v[0]}};
  }
  // hypot scales internally, so tiny and huge vectors keep their precision.
  T Length() const {
    if constexpr (N == 2)
      return static_cast<T>(std::hypot(v[0], v[1]));
    else if constexpr (N == 3)
      return static_cast<T>(std::hypot(v[0], v[1], v[2]));
    else
      return static_cast<T>(std::sqrt(Dot(*this)));
  }
  // Leaves a zero vector as it is rather than filling it with NaN.
  MVector& Normalize() {
    const T len = Length();
    if (len != T{})
      for (auto& x : v) x /= len;
    return *this;
  }
};

}  // namespace zar
