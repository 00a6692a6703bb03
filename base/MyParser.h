#pragma once
// The base library's expression parser, on muparser, with muparser's grammar: numbers such as
// "1.5e+03", + - * / ^, comparisons, && and ||, the ?: operator, parentheses, functions such
// as sqrt, abs, sin, atan2, min, max, sum and avg, and the constants _pi and _e. Function and
// constant names are taken in lower or upper case. A text is either evaluated once
// (ParsingNumberArg) or set once over variables bound to doubles and evaluated as often as
// their values change (DefineVar, SetExpr, Eval). The assignment operator "=" is refused: a
// bound variable is only ever read.
#include <cstdint>
#include <memory>

#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

// Why the last parse failed.
struct TParseError {
  std::int32_t nPos = -1;  // the 0-based character of the text; -1 when the parser names none
  CString strToken;        // what the parser stopped at; may be empty
  CString strMsg;          // the parser's message
};

class PVK_API MyParser {
public:
  MyParser();
  ~MyParser();
  MyParser(const MyParser&) = delete;
  MyParser& operator=(const MyParser&) = delete;

  // Parses and evaluates the text (defined variables at their current values): 1 with the
  // value kept for GetNumberData, or 0 with the reason kept for GetError.
  int ParsingNumberArg(const CString& text);
  double GetNumberData() const { return m_rNumber; }

  // Binds a name (letters, digits and "_", not starting with a digit) to a double that the
  // caller owns and keeps alive while the parser uses it; 0 with the reason for a name the
  // grammar does not take.
  int DefineVar(const CString& name, double* pValue);
  // Parses the text once for Eval: 1, or 0 with the reason kept (an unknown name too).
  int SetExpr(const CString& text);
  // The set expression at the variables' current values; NaN when none is set. It leaves the
  // floating-point environment alone: a caller that loops does so inside MNoFloatTraps.
  double Eval() const;

  const TParseError& GetError() const { return m_error; }

private:
  struct Impl;
  // Sets the text and evaluates it once; 0 with the reason kept.
  int Parse(const CString& text, double& value);

  std::unique_ptr<Impl> m_pImpl;
  double m_rNumber = 0.0;
  TParseError m_error;
};

}  // namespace zar::lib
