#pragma once
// What every harness shares: a private folder on tmpfs into which each input is written, so
// that an execution costs no disk, and a message output that drops what it is handed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/CString.h"

namespace pvk_fuzz {

// Once per process: makes the input folder (also the temporary folder of the library's caches)
// and silences the message output.
void Init();

// Writes the bytes as the file `name` of the input folder; its path.
std::string Put(const std::string& name, const std::uint8_t* data, std::size_t size);
// Removes the file `name` of the input folder when it exists.
void Drop(const std::string& name);

// A stream that swallows what is written to it, for the records' echo.
FILE* NullEcho();

// The text taken as UTF-8, as the tool takes paths and expressions.
CString Wide(const std::string& utf8);

}  // namespace pvk_fuzz
