#pragma once
// Process ids for the clean-up tests of the cache folders, whose folders are named with "%p".
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <string>

#include "base/CString.h"

namespace pvk::test {

// The folder name of a process id: 16 upper-case hexadecimal digits.
inline std::string HexName(std::uint64_t id) {
  CString name;
  name.Format(L"%p", id);
  return std::string(name.str().begin(), name.str().end());
}

// The id of a process that has ended and been reaped.
inline std::uint64_t DeadProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return static_cast<std::uint64_t>(child);
}

}  // namespace pvk::test
