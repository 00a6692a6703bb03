#pragma once
// An expression of the result calculator: its text normalised (upper case, blanks removed),
// its operand tokens (each "[" to the next "]", in order; token k stands for operand k) and its
// compiled form. Token k is replaced, in token order and at every occurrence, by variable k,
// just as a text substitution would replace it by a number, so a token whose text repeats an
// earlier one reads the earlier operand. Rows are then evaluated in double precision.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/MyParser.h"
#include "qve_pvk_export.h"

class PVK_API CVResultCalcExpr {
public:
  // Upper case, every blank (code 32) removed.
  static CString Normalise(const CString& expr);
  // The tokens of a normalised text in order: a "[" starts one (again, when one is open) and
  // the next "]" ends it. -1, or the position of a "]" that no "[" opened, which fails.
  static std::int32_t CollectTokens(const CString& text, zar::MArray<CString>& tokens);

  // Normalises, collects the tokens and compiles: 1, or 0 with the reason kept. A parser
  // message names the tokens, not the variables that replaced them.
  int Set(const CString& expr);
  const CString& GetText() const { return m_strText; }
  const zar::MArray<CString>& GetTokens() const { return m_aToken; }
  const zar::lib::TParseError& GetError() const { return m_error; }

  // Row r of the output from row r of every token's column (one column per token, in token
  // order, each at least nRows long). Without traps: division by zero gives its IEEE value.
  void Evaluate(std::span<const double* const> columns, std::size_t nRows, double* pOut);

private:
  // What the parser said, with the variable names turned back into their tokens.
  zar::lib::TParseError InTokens(const zar::lib::TParseError& error) const;

  CString m_strText;
  zar::MArray<CString> m_aToken;
  zar::MArray<CString> m_aName;  // variable k, as long as token k where its number fits
  zar::MArray<double> m_aValue;  // the current row's operand values, which the variables read
  std::unique_ptr<zar::lib::MyParser> m_pParser = std::make_unique<zar::lib::MyParser>();
  zar::lib::TParseError m_error;
};
