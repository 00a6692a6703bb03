#pragma once
// Reading the reaction tables of the solver's text output (the ".out" file beside a result
// file). The text is read as bytes; a line is decoded as UTF-8, or from the system code page
// when it is not valid UTF-8, and trimmed before it is recognised.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "base/CString.h"
#include "base/Containers.h"
#include "resultfile/records/PZARRecordReaction.h"

class CFile;

namespace pzar_reaction {

// One table: the names of its "SUBCASE" line and its rows in order.
struct TReactionBlock {
  CString strSubCase;
  CString strVCase;
  zar::MArray<TZARReactionD> aRows;
};

// Lines of a text file, read through a buffer of its own. A line may be of any length; only
// its first kMaxLineBytes bytes are kept, so a file without line feeds cannot exhaust memory,
// and a line cut so is reported as overlong.
class CTextLineReader {
public:
  static constexpr std::size_t kMaxLineBytes = 1u << 20;

  explicit CTextLineReader(CFile& file) : m_file(file) {}

  // The next line without its line feed, decoded and trimmed; false at the end of the file.
  bool ReadLine(CString& line);
  bool IsOverlong() const { return m_bOverlong; }
  // The byte offset at which the last line read starts.
  std::uint64_t GetLineStart() const { return m_nLineStart; }
  // The next line read starts at this byte offset.
  void Seek(std::uint64_t offset);

private:
  bool Fill();

  CFile& m_file;  // not owned
  std::string m_chunk;
  std::size_t m_nChunkPos = 0;
  std::uint64_t m_nChunkStart = 0;  // byte offset of the chunk's first byte
  std::uint64_t m_nLineStart = 0;
  bool m_bOverlong = false;
};

// UTF-8 when the bytes are valid UTF-8, else the system code page.
CString DecodeLine(std::string_view bytes);

bool IsReactionTitle(const CString& line);
bool IsSubCaseLine(const CString& line);
bool IsTableHeader(const CString& line);
// The second ":"-separated field and the text after the last ":", both trimmed; both empty
// when the line has no ":".
void GetSubCaseNames(const CString& line, CString& subCase, CString& vCase);
// Reads "id type x y z fx fy fz mx my mz" as far as the fields match; fields not read stay 0.
// False when not even the id reads (the line is no row). An id above 1,000,000,000 loses
// 1,000,000,000. An integer beyond 32 bits, or a number that is not finite or beyond double
// range, does not match.
bool ParseRow(const CString& line, TZARReactionD& row);
std::int32_t GeomTypeFromText(const CString& text);

// Hands each table with rows to `onBlock` in file order; nothing when the file lacks the
// reaction title. Stops early when `onBlock` returns false. File errors throw CFileException.
void ScanReactionTables(CFile& file, const std::function<bool(const TReactionBlock&)>& onBlock);

}  // namespace pzar_reaction
