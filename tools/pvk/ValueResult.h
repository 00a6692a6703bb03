#pragma once
// The result that the user names with --result and --loc, or with --operand ID@LOC.
#include <cstdint>
#include <string>

class CPostPartialD;
class CPostPartialDList;
class CVResult;
class CVResultPackage;
struct TVResParam;

namespace pvk_values {

// The location type that `text` names (a name or its number); -1 for an empty text. Throws
// CPvkError (2) for any other text, with `what` as what failed ("bad --loc \"nod\"").
std::int32_t AskedLoc(const std::string& text, const std::string& what);

// The help of --loc.
std::string LocHelp();

// The result of the package that `text` names: an id, or a name compared as pvk_text::NameKey
// compares it; at location `loc`, or when -1 the first location that holds it. Throws
// CPvkError (3) when there is none or the name is ambiguous; the message names the nearest
// name and points to `pvk results FILE`.
CVResult& FindResult(const CVResultPackage& package, const std::string& text, std::int32_t loc,
                     const std::string& file);

// Loads the result's values (in the current units of the context's unit control, or the file's
// without one) and returns the first block that holds columns. Throws CPvkError (1) when none.
const CPostPartialD& LoadValues(CVResult& vr, CPostPartialDList& list, TVResParam& param);

}  // namespace pvk_values
