#pragma once
// Test environment values: switches read by name from the environment variable "PVK_" +
// the name upper-cased with spaces as '_' ("Batch Output" is PVK_BATCH_OUTPUT). A value set
// inside the process overrides the environment.
#include <string>

#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

// Empty when neither an override nor the environment variable exists.
PVK_API CString GetTestEnvValue(const wchar_t* name);
PVK_API void SetTestEnvValue(const wchar_t* name, const wchar_t* value);
PVK_API void ClearTestEnvValue(const wchar_t* name);
// The environment variable that carries a value of this name.
std::string GetTestEnvVariableName(const wchar_t* name);

}  // namespace zar::lib
