#pragma once
// The result that the user names with --result and --loc.
#include <cstdint>
#include <string>

class CVResult;
class CVResultPackage;

namespace pvk_values {

// The result of the package that `text` names: an id, or a name compared as pvk_text::NameKey
// compares it; at location `loc`, or when -1 the first location that holds it. Throws
// CPvkError (3) when there is none or the name is ambiguous; the message names the nearest
// name and points to `pvk results FILE`.
CVResult& FindResult(const CVResultPackage& package, const std::string& text, std::int32_t loc,
                     const std::string& file);

}  // namespace pvk_values
