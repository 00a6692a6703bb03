#pragma once
// A failure of a command: its exit code and the two halves of the message
// "pvk: <what failed>: <why>".
#include <stdexcept>
#include <string>

enum EPvkExit : int {
  PVK_EXIT_OK = 0,
  PVK_EXIT_FILE = 1,  // cannot open, not a result file, scan or import failed
  PVK_EXIT_USAGE = 2,
  PVK_EXIT_MISSING = 3,  // no such sub-case, step or result; no grid value at a probed point
};

class CPvkError : public std::runtime_error {
public:
  CPvkError(EPvkExit code, const std::string& what, const std::string& why)
      : std::runtime_error(what + ": " + why), m_code(code) {}
  EPvkExit Code() const { return m_code; }

private:
  EPvkExit m_code;
};
