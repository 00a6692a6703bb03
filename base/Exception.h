#pragma once
// The framework's general failure exception, carrying a result code.
#include <cstdint>
#include <exception>

#include "qve_pvk_export.h"

namespace zar {

class PVK_API MException : public std::exception {
public:
  static constexpr std::uint32_t kFail = 0x80004005u;
  explicit MException(std::uint32_t code = kFail) : m_nCode(code) {}
  std::uint32_t GetCode() const { return m_nCode; }
  const char* what() const noexcept override { return "framework failure"; }

private:
  std::uint32_t m_nCode;
};

}  // namespace zar
