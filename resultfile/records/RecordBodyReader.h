#pragma once
// Reads the fixed fields of a record body. Every read first checks through its record that the
// bytes are there, so that a body cut off by the end of the file fails its record's scan and
// the record knows how many bytes it needed.
#include <cstdint>
#include <cstring>

#include "base/Containers.h"
#include "base/File.h"
#include "resultfile/PZARRecord.h"

namespace pzar_body {

template <class... T>
bool Read(const CPZARRecord& record, CFile& file, T&... values) {
  constexpr std::uint64_t bytes = (sizeof(T) + ...);
  if (!record.HasBytesLeft(file, bytes)) return false;
  return ((file.Read(&values, sizeof(T)) == sizeof(T)) && ...);
}

// Reads `count` values; a count below 1 leaves the array empty. Fails without allocating
// when the file cannot hold them.
template <class T>
bool ReadArray(const CPZARRecord& record, CFile& file, std::int32_t count, zar::MArray<T>& out) {
  out.clear();
  if (count < 1) return true;
  const auto bytes = static_cast<std::uint64_t>(count) * sizeof(T);
  if (!record.HasBytesLeft(file, bytes)) return false;
  out.resize(static_cast<std::size_t>(count));
  return file.Read(out.data(), static_cast<unsigned>(bytes)) == bytes;
}

// A real of the file's width (4 or 8 bytes), widened to double.
inline bool ReadReal(const CPZARRecord& record, CFile& file, std::int32_t width, double& value) {
  if (width != 4) return Read(record, file, value);
  float f = 0.0f;
  if (!Read(record, file, f)) return false;
  value = f;
  return true;
}

}  // namespace pzar_body
