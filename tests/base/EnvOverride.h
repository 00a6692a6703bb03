#pragma once
// Sets an environment variable for the life of the object and restores it afterwards.
#include <cstdlib>
#include <optional>
#include <string>

class EnvOverride {
public:
  EnvOverride(const char* name, const std::string& value) : m_name(name) {
    if (const char* previous = std::getenv(name)) m_saved = previous;
    ::setenv(name, value.c_str(), 1);
  }
  ~EnvOverride() {
    m_saved ? ::setenv(m_name.c_str(), m_saved->c_str(), 1) : ::unsetenv(m_name.c_str());
  }
  EnvOverride(const EnvOverride&) = delete;
  EnvOverride& operator=(const EnvOverride&) = delete;

private:
  std::string m_name;
  std::optional<std::string> m_saved;
};
