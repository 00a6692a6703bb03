#pragma once
// Reads the fixed fields of a record body. Every read reports whether the bytes were there,
// so that a body cut off by the end of the file fails its record's scan.
#include <cstdint>
#include <cstring>

#include "base/Containers.h"
#include "base/File.h"
#include "resultfile/PZARRecord.h"

namespace pzar_body {

template <class T>
bool Read(CFile& file, T& value) {
  return file.Read(&value, sizeof(T)) == sizeof(T);
}

template <class T, class... TRest>
bool Read(CFile& file, T& first, TRest&... rest) {
  return Read(file, first) && (Read(file, rest) && ...);
}

// Reads `count` values; a count below 1 leaves the array empty. Fails without allocating
// when the file cannot hold them.
template <class T>
bool ReadArray(CFile& file, std::int32_t count, zar::MArray<T>& out) {
  out.clear();
  if (count < 1) return true;
  const auto bytes = static_cast<std::uint64_t>(count) * sizeof(T);
  if (!CPZARRecord::HasBytesLeft(file, bytes)) return false;
  out.resize(static_cast<std::size_t>(count));
  return file.Read(out.data(), static_cast<unsigned>(bytes)) == bytes;
}

// A real of the file's width (4 or 8 bytes), widened to double.
inline bool ReadReal(CFile& file, std::int32_t width, double& value) {
  if (width != 4) return Read(file, value);
  float f = 0.0f;
  if (!Read(file, f)) return false;
  value = f;
  return true;
}

}  // namespace pzar_body
