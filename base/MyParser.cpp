#include "base/MyParser.h"

#include <muParser.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <numbers>
#include <string>

#include "base/FloatTraps.h"

namespace zar::lib {

namespace {

constexpr wchar_t kLastAscii = 0x7F;

std::string Upper(const std::string& name) {
  std::string upper = name;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return upper;
}

// muparser names its functions and constants in lower case only; the same callbacks and
// values answer to the upper-case names.
void AddUpperCaseNames(mu::Parser& parser) {
  const mu::funmap_type functions = parser.GetFunDef();  // a copy: defining changes the map
  for (const auto& [name, callback] : functions) {
    const std::string upper = Upper(name);
    if (upper == name || callback.GetType() != mu::tpDBL || callback.GetUserData()) continue;
    void* const pAddr = callback.GetAddr();
    switch (callback.GetArgc()) {
      case 1:
        parser.DefineFun(upper, reinterpret_cast<mu::fun_type1>(pAddr));
        break;
      case 2:
        parser.DefineFun(upper, reinterpret_cast<mu::fun_type2>(pAddr));
        break;
      case -1:  // any number of arguments
        parser.DefineFun(upper, reinterpret_cast<mu::multfun_type>(pAddr));
        break;
      default:
        break;
    }
  }
  const mu::valmap_type constants = parser.GetConst();
  for (const auto& [name, value] : constants) parser.DefineConst(Upper(name), value);
}

// The _pi of muparser 2.3.3 stops after twelve decimals (3.141592653589).
void DefineExactPi(mu::Parser& parser) {
  for (const char* name : {"_pi", "_PI"}) parser.DefineConst(name, std::numbers::pi);
}

// The first character outside ASCII, which muparser cannot read; -1 when there is none.
int FirstNonAscii(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (text[i] < 0 || text[i] > kLastAscii) return i;
  return -1;
}

// The first "=" that is not part of "==", "!=", "<=" or ">=": it would assign to a variable.
int FindAssignment(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] != L'=') continue;
    const bool follows = i > 0 && CString(L"=!<>").Find(text[i - 1]) >= 0;
    const bool followed = i + 1 < text.GetLength() && text[i + 1] == L'=';
    if (!follows && !followed) return i;
  }
  return -1;
}

// Both ways hold ASCII only.
std::string Narrow(const CString& text) {
  return std::string(text.str().begin(), text.str().end());
}
CString Wide(const std::string& text) { return CString(std::wstring(text.begin(), text.end())); }

// A refusal in muparser's own words.
TParseError TokenError(mu::EErrorCodes code, const CString& token, int pos) {
  TParseError error;
  error.nPos = pos;
  error.strToken = token;
  error.strMsg = Wide(mu::ParserErrorMsg::Instance()[code]);
  error.strMsg.Replace(L"$TOK$", token);
  error.strMsg.Replace(L"$POS$", std::to_wstring(pos).c_str());
  return error;
}

// muparser reads the text with a blank appended, which its tokens and positions may include:
// the message is made again from its pattern with the blank dropped and the position kept
// inside the text.
TParseError ErrorOf(const mu::ParserError& e, int length) {
  const int pos = e.GetPos() < 0 ? -1 : std::min(e.GetPos(), length);
  CString token = Wide(e.GetToken());
  token.TrimRight(L" ");
  if (e.GetCode() == mu::ecGENERIC) return {pos, token, Wide(e.GetMsg())};
  return TokenError(e.GetCode(), token, pos);
}

}  // namespace

struct MyParser::Impl {
  Impl() {
    AddUpperCaseNames(parser);
    DefineExactPi(parser);
  }

  mu::Parser parser;
  bool bSet = false;
};

MyParser::MyParser() : m_pImpl(std::make_unique<Impl>()) {}

MyParser::~MyParser() = default;

int MyParser::Parse(const CString& text, double& value) {
  m_pImpl->bSet = false;
  m_error = TParseError();
  if (const int pos = FirstNonAscii(text); pos >= 0) {
    m_error = TokenError(mu::ecUNASSIGNABLE_TOKEN, CString(text[pos]), pos);
    return 0;
  }
  if (const int pos = FindAssignment(text); pos >= 0) {
    m_error = TokenError(mu::ecUNEXPECTED_OPERATOR, L"=", pos);
    return 0;
  }
  const MNoFloatTraps noTraps;
  try {
    m_pImpl->parser.SetExpr(Narrow(text));
    value = m_pImpl->parser.Eval();  // parses on first use
  } catch (const mu::ParserError& e) {
    m_error = ErrorOf(e, text.GetLength());
    return 0;
  }
  m_pImpl->bSet = true;
  return 1;
}

int MyParser::ParsingNumberArg(const CString& text) {
  double value = 0.0;
  if (!Parse(text, value)) return 0;
  m_rNumber = value;
  return 1;
}

int MyParser::SetExpr(const CString& text) {
  double value = 0.0;
  return Parse(text, value);
}

int MyParser::DefineVar(const CString& name, double* pValue) {
  m_error = TParseError();
  if (const int pos = FirstNonAscii(name); pos >= 0) {
    m_error = TokenError(mu::ecINVALID_NAME, name, pos);
    return 0;
  }
  try {
    m_pImpl->parser.DefineVar(Narrow(name), pValue);
  } catch (const mu::ParserError& e) {
    m_error = ErrorOf(e, name.GetLength());
    return 0;
  }
  return 1;
}

double MyParser::Eval() const {
  if (!m_pImpl->bSet) return std::numeric_limits<double>::quiet_NaN();
  try {
    return m_pImpl->parser.Eval();
  } catch (const mu::ParserError&) {
    return std::numeric_limits<double>::quiet_NaN();
  }
}

}  // namespace zar::lib
