#pragma once
// A row computed as a text substitution would compute it: every operand value formatted with
// "%e" replaces every occurrence of its token, in token order, and the text is parsed again.
// The reference that the compiled calculator is held against where seven digits suffice.
#include <cstddef>
#include <span>

#include "base/MyParser.h"
#include "vresult/VResultCalcExpr.h"

// 1 with the row's value; 0 when the substituted text does not parse.
inline int SubstituteAndParse(zar::lib::MyParser& parser, const CVResultCalcExpr& expr,
                              std::span<const double> values, double& value) {
  CString text = expr.GetText();
  for (std::size_t k = 0; k < expr.GetTokens().size() && k < values.size(); ++k) {
    CString number;
    number.Format(L"%e", values[k]);
    text.Replace(expr.GetTokens()[k], number);
  }
  if (!parser.ParsingNumberArg(text)) return 0;
  value = parser.GetNumberData();
  return 1;
}
