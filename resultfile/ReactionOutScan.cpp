#include "resultfile/ReactionOutScan.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <limits>

#include "base/ConvertString.h"
#include "base/File.h"

namespace pzar_reaction {

namespace {

constexpr std::size_t kChunkSize = std::size_t{64} * 1024;
// Row ids above this offset are read as the id below it. They are entity ids, not result
// ids: the value only matches the phase-angle offset of result ids.
constexpr std::int64_t kRowIdOffset = 1000000000;

const wchar_t kTitle[] = L"R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y";
const wchar_t kTableHeader[] =
    L"       ID      TYPE                   COORDINATE                                         "
    L"REACTION FORCE                                     REACTION MOMENT";
const wchar_t kSubCase[] = L"SUBCASE";

// Length of the UTF-8 sequence that starts with `lead`, 0 when no sequence starts so.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The allowed range of the second byte, which rules out overlong forms, surrogates and code
// points above U+10FFFF.
bool SecondByteFits(unsigned char lead, unsigned char second) {
  const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  return second >= low && second <= high;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const int length = SequenceLength(lead);
    if (length == 0 || bytes.size() - i < static_cast<std::size_t>(length)) return false;
    if (length > 1 && !SecondByteFits(lead, static_cast<unsigned char>(bytes[i + 1]))) return false;
    for (int k = 2; k < length; ++k)
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    i += static_cast<std::size_t>(length);
  }
  return true;
}

// Reads the fields of a row one after the other, as a scanf format would: each read skips
// white space first and fails without moving when its field does not match.
class CRowCursor {
public:
  explicit CRowCursor(const CString& line) : m_p(line.GetString()) {}

  bool Int(std::int64_t& value) {
    const std::string token = Token(L"+-0123456789");
    // from_chars takes no '+'; "+-1" stays unreadable, as it is for scanf.
    const bool plus = token.size() > 1 && token[0] == '+' && token[1] != '-';
    const char* first = token.c_str() + (plus ? 1 : 0);
    const char* last = token.c_str() + token.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end == first) return false;
    m_p += end - token.c_str();
    return true;
  }
  bool Word(CString& word) {
    SkipSpace();
    const wchar_t* start = m_p;
    while (*m_p && !std::iswspace(static_cast<wint_t>(*m_p))) ++m_p;
    word = CString(start, static_cast<int>(m_p - start));
    return !word.IsEmpty();
  }
  bool Real(double& value) {
    const std::string token = Token(L"+-0123456789.eE");
    static const locale_t cLocale = ::newlocale(LC_NUMERIC_MASK, "C", nullptr);
    char* end = nullptr;
    const double v =
        cLocale ? ::strtod_l(token.c_str(), &end, cLocale) : std::strtod(token.c_str(), &end);
    // An overflow gives an infinity and does not match; an underflow keeps its tiny value.
    if (end == token.c_str() || !std::isfinite(v)) return false;
    m_p += end - token.c_str();
    value = v;
    return true;
  }

private:
  void SkipSpace() {
    while (*m_p && std::iswspace(static_cast<wint_t>(*m_p))) ++m_p;
  }
  // The longest run of the given characters after white space, as narrow text.
  std::string Token(const wchar_t* chars) {
    SkipSpace();
    std::string token;
    for (const wchar_t* p = m_p; *p && std::wcschr(chars, *p); ++p)
      token.push_back(static_cast<char>(*p));
    return token;
  }

  const wchar_t* m_p;
};

bool ReadId(CRowCursor& cursor, std::int32_t& id) {
  std::int64_t value = 0;
  if (!cursor.Int(value)) return false;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return false;
  id = static_cast<std::int32_t>(value > kRowIdOffset ? value - kRowIdOffset : value);
  return true;
}

// Reads the line at `start` as a "SUBCASE" line and skips to the line after the table header;
// false when another "SUBCASE" line or the end of the file comes first.
bool ReadBlockHead(CTextLineReader& reader, std::uint64_t start, TReactionBlock& block) {
  CString line;
  reader.Seek(start);
  if (!reader.ReadLine(line)) return false;
  GetSubCaseNames(line, block.strSubCase, block.strVCase);
  while (reader.ReadLine(line)) {
    if (reader.IsOverlong()) continue;
    if (IsSubCaseLine(line)) return false;
    if (IsTableHeader(line)) return true;
  }
  return false;
}

// Rows up to an empty line, a "SUBCASE" line or the end of the file; lines that are no row
// (rules, overlong lines) are passed over.
void ReadRows(CTextLineReader& reader, TReactionBlock& block) {
  CString line;
  while (reader.ReadLine(line)) {
    if (reader.IsOverlong()) continue;
    if (line.IsEmpty() || IsSubCaseLine(line)) return;
    TZARReactionD row;
    if (ParseRow(line, row)) block.aRows.push_back(row);
  }
}

}  // namespace

bool CTextLineReader::Fill() {
  m_nChunkStart += m_chunk.size();
  m_chunk.resize(kChunkSize);
  m_chunk.resize(m_file.Read(m_chunk.data(), static_cast<unsigned>(kChunkSize)));
  m_nChunkPos = 0;
  return !m_chunk.empty();
}

void CTextLineReader::Seek(std::uint64_t offset) {
  // The tables are read in file order, mostly from the chunk at hand: reading it again for
  // every table would cost a chunk per table.
  if (offset >= m_nChunkStart && offset - m_nChunkStart <= m_chunk.size()) {
    m_nChunkPos = static_cast<std::size_t>(offset - m_nChunkStart);
    return;
  }
  m_file.Seek(static_cast<std::int64_t>(offset), CFile::begin);
  m_chunk.clear();
  m_nChunkPos = 0;
  m_nChunkStart = offset;
}

bool CTextLineReader::ReadLine(CString& line) {
  std::string bytes;
  m_bOverlong = false;
  if (m_nChunkPos == m_chunk.size() && !Fill()) return false;
  m_nLineStart = m_nChunkStart + m_nChunkPos;
  for (;;) {
    const char* first = m_chunk.data() + m_nChunkPos;
    const std::size_t left = m_chunk.size() - m_nChunkPos;
    // Raw bytes: there is no terminator to count in the length.
    const auto* feed = static_cast<const char*>(
        std::memchr(first, '\n', left));  // NOLINT(bugprone-not-null-terminated-result)
    const std::size_t length = feed ? static_cast<std::size_t>(feed - first) : left;
    const std::size_t room = kMaxLineBytes - bytes.size();
    bytes.append(first, std::min(length, room));
    m_bOverlong = m_bOverlong || length > room;
    m_nChunkPos += feed ? length + 1 : length;
    if (feed || !Fill()) break;
  }
  line = DecodeLine(bytes);
  line.Trim();
  return true;
}

CString DecodeLine(std::string_view bytes) {
  // Most lines are ASCII, which every code page reads alike.
  if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
    return CString(std::wstring(bytes.begin(), bytes.end()));
  return zar::lib::MConvertString::ToWide(bytes, IsValidUtf8(bytes) ? CP_UTF8 : CP_ACP);
}

bool IsReactionTitle(const CString& line) {
  // Case folding keeps the length: most lines are told apart without copying them.
  return line.GetLength() == static_cast<int>(std::size(kTitle)) - 1 &&
         line.CompareNoCase(kTitle) == 0;
}

bool IsSubCaseLine(const CString& line) { return line.str().starts_with(kSubCase); }

bool IsTableHeader(const CString& line) {
  static const CString header = CString(kTableHeader).Trim();
  return line.str().starts_with(header.str());
}

void GetSubCaseNames(const CString& line, CString& subCase, CString& vCase) {
  subCase.Empty();
  vCase.Empty();
  const int first = line.Find(L':');
  if (first < 0) return;
  const int second = line.Find(L':', first + 1);
  subCase = second < 0 ? line.Mid(first + 1) : line.Mid(first + 1, second - first - 1);
  subCase.Trim();
  vCase = line.Mid(line.ReverseFind(L':') + 1);
  vCase.Trim();
}

std::int32_t GeomTypeFromText(const CString& text) {
  if (text.CompareNoCase(L"SURF") == 0) return TZARReactionD::GEOM_SURF;
  if (text.CompareNoCase(L"CURVE") == 0) return TZARReactionD::GEOM_CURVE;
  if (text.CompareNoCase(L"POINT") == 0) return TZARReactionD::GEOM_POINT;
  return TZARReactionD::GEOM_OTHER;
}

bool ParseRow(const CString& line, TZARReactionD& row) {
  row = TZARReactionD{};
  CRowCursor cursor(line);
  if (!ReadId(cursor, row.nID)) return false;
  CString type;
  if (!cursor.Word(type)) return true;
  row.nGeomType = GeomTypeFromText(type);
  double* fields[] = {&row.rCoord[0],  &row.rCoord[1],  &row.rCoord[2],
                      &row.rForce[0],  &row.rForce[1],  &row.rForce[2],
                      &row.rMoment[0], &row.rMoment[1], &row.rMoment[2]};
  for (double* field : fields)
    if (!cursor.Real(*field)) break;
  return true;
}

void ScanReactionTables(CFile& file, const std::function<bool(const TReactionBlock&)>& onBlock) {
  CTextLineReader reader(file);
  zar::MArray<std::uint64_t> starts;
  bool hasTitle = false;
  CString line;
  while (reader.ReadLine(line)) {
    if (reader.IsOverlong()) continue;
    if (IsSubCaseLine(line))
      starts.push_back(reader.GetLineStart());
    else if (IsReactionTitle(line))
      hasTitle = true;
  }
  if (!hasTitle) return;
  for (const std::uint64_t start : starts) {
    TReactionBlock block;
    if (!ReadBlockHead(reader, start, block)) continue;
    ReadRows(reader, block);
    if (!block.aRows.empty() && !onBlock(block)) return;
  }
}

}  // namespace pzar_reaction
