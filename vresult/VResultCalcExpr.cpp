#include "vresult/VResultCalcExpr.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "base/FloatTraps.h"

namespace {

constexpr wchar_t kBlank = L' ';
constexpr wchar_t kTokenOpen = L'[';
constexpr wchar_t kTokenClose = L']';

// "v" and the token's number, padded with "_" to the token's length so that the parser's
// positions stay those of the expression. Lower case: a normalised text never spells it.
CString VariableName(std::size_t k, int tokenLength) {
  std::wstring name = L"v" + std::to_wstring(k);
  if (static_cast<int>(name.size()) < tokenLength)
    name.append(static_cast<std::size_t>(tokenLength) - name.size(), L'_');
  return CString(std::move(name));
}

}  // namespace

CString CVResultCalcExpr::Normalise(const CString& expr) {
  CString text = expr;
  text.MakeUpper();
  text.Remove(kBlank);
  return text;
}

std::int32_t CVResultCalcExpr::CollectTokens(const CString& text, zar::MArray<CString>& tokens) {
  tokens.clear();
  std::int32_t open = -1;
  for (std::int32_t i = 0; i < text.GetLength(); ++i) {
    if (text[i] == kTokenOpen) {
      open = i;
    } else if (text[i] == kTokenClose) {
      if (open < 0) return i;
      tokens.push_back(text.Mid(open, i - open + 1));
      open = -1;
    }
  }
  return -1;
}

int CVResultCalcExpr::Set(const CString& expr) {
  m_strText = Normalise(expr);
  m_aName.clear();
  m_error = zar::lib::TParseError();
  m_pParser = std::make_unique<zar::lib::MyParser>();
  if (const std::int32_t bad = CollectTokens(m_strText, m_aToken); bad >= 0) {
    m_error.nPos = bad;
    m_error.strToken = CString(kTokenClose);
    m_error.strMsg.Format(L"\"]\" without \"[\" at position %d", bad);
    return 0;
  }
  m_aValue.assign(m_aToken.size(), 0.0);
  CString compiled = m_strText;
  for (std::size_t k = 0; k < m_aToken.size(); ++k) {
    m_aName.push_back(VariableName(k, m_aToken[k].GetLength()));
    compiled.Replace(m_aToken[k], m_aName[k]);
    if (!m_pParser->DefineVar(m_aName[k], &m_aValue[k])) {
      m_error = m_pParser->GetError();
      return 0;
    }
  }
  if (!m_pParser->SetExpr(compiled)) {
    m_error = InTokens(m_pParser->GetError());
    return 0;
  }
  return 1;
}

zar::lib::TParseError CVResultCalcExpr::InTokens(const zar::lib::TParseError& error) const {
  // Longer names first: "v1" is the start of "v10".
  std::vector<std::size_t> order(m_aName.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    return m_aName[a].GetLength() > m_aName[b].GetLength();
  });
  zar::lib::TParseError mapped = error;
  for (const std::size_t k : order) {
    mapped.strToken.Replace(m_aName[k], m_aToken[k]);
    mapped.strMsg.Replace(m_aName[k], m_aToken[k]);
  }
  return mapped;
}

void CVResultCalcExpr::Evaluate(std::span<const double* const> columns, std::size_t nRows,
                                double* pOut) {
  const zar::lib::MNoFloatTraps noTraps;
  const std::size_t nVars = std::min(columns.size(), m_aValue.size());
  double* const pValue = m_aValue.data();
  for (std::size_t r = 0; r < nRows; ++r) {
    for (std::size_t k = 0; k < nVars; ++k) pValue[k] = columns[k][r];
    pOut[r] = m_pParser->Eval();
  }
}
