#pragma once
// Floating-point arithmetic without traps for the lifetime of a scope: a host may have enabled
// them, and expressions that divide by zero or overflow must give their IEEE results instead.
#include <cfenv>

namespace zar::lib {

class MNoFloatTraps {
public:
  // Saves the environment, clears the flags and masks every trap.
  MNoFloatTraps() { std::feholdexcept(&m_env); }
  // Restores the saved environment; flags raised inside the scope are dropped with it, so
  // that restoring enabled traps does not raise them.
  ~MNoFloatTraps() { std::fesetenv(&m_env); }
  MNoFloatTraps(const MNoFloatTraps&) = delete;
  MNoFloatTraps& operator=(const MNoFloatTraps&) = delete;

private:
  std::fenv_t m_env{};
};

}  // namespace zar::lib
