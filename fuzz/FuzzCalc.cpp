// The calculator's expressions: normalised, tokenised, compiled and evaluated over a few rows
// of operand values, and the same text evaluated as a number by the base library's parser.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "base/MyParser.h"
#include "vresult/VResultCalcExpr.h"

namespace {

// Rows that hold the awkward values: zero, negatives, a tiny and a huge magnitude.
constexpr std::array<double, 5> kColumn = {0.0, -2.5, 1e-300, 1e300, 3.0};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pvk_fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const CString text = pvk_fuzz::Wide(std::string(reinterpret_cast<const char*>(data), size));
  CVResultCalcExpr expr;
  if (expr.Set(text)) {
    const std::vector<const double*> columns(expr.GetTokens().size(), kColumn.data());
    std::array<double, kColumn.size()> out{};
    expr.Evaluate(columns, kColumn.size(), out.data());
  }
  zar::lib::MyParser parser;
  parser.ParsingNumberArg(text);
  return 0;
}
