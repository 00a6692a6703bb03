#pragma once
// Field writers of the version-140 records.
#include <cstdint>
#include <type_traits>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/File.h"

namespace pzar_record {

void WriteInt(CFile& file, std::int32_t value);
// Any number of bytes; CFile takes at most 4 GiB a call.
void WriteBytes(CFile& file, const void* pData, std::uint64_t nBytes);

// Fixed fields as they lie in memory: integers, doubles and arrays of them.
template <class... T>
void WriteFields(CFile& file, const T&... values) {
  static_assert((std::is_trivially_copyable_v<T> && ...));
  (file.Write(&values, sizeof(values)), ...);
}

template <class T>
void WriteArray(CFile& file, const zar::MArray<T>& values) {
  static_assert(std::is_trivially_copyable_v<T>);
  WriteBytes(file, values.data(), values.size() * sizeof(T));
}
// The text in the code page (0: the system's), then zero bytes up to the field's width.
void WriteText(CFile& file, const CString& text, unsigned width, unsigned codePage = 0);

}  // namespace pzar_record
