#pragma once
// The common base of the PZAR record classes: the 8-byte record header and the text field
// readers.
#include <cstdint>
#include <string>

#include "base/CString.h"
#include "resultfile/PostRecord.h"

class CPZARFile;

class CPZARRecord : public IPostRecord {
public:
  // As stored in the file, little-endian.
  struct R_HEADER {
    std::int32_t type = 0;  // -1 marks the end of the file
    std::int32_t id = 0;    // its meaning depends on the record type
  };
  static_assert(sizeof(R_HEADER) == 8);

  // The text buffer of a field; a field longer than 127 bytes keeps its first 127.
  static constexpr unsigned kTextBufferSize = 128;

  std::int32_t GetType() const override { return 0; }

  R_HEADER GetHeader() const { return m_header; }
  void SetHeader(R_HEADER header) { m_header = header; }
  CPZARFile* GetFile() const;

  // Reads a text field of `length` bytes and converts it up to its first NUL, from the
  // file's code page.
  void ReadString(CFile& file, unsigned length, CString& out) const;
  // The same read, converted from UTF-8.
  void ReadStringToANSI(CFile& file, unsigned length, CString& out) const;

  // Whether `bytes` more bytes lie between the file position and the end of the file: the
  // check a record makes before it allocates or skips by a count read from the file.
  static bool HasBytesLeft(CFile& file, std::uint64_t bytes);
  // Moves past `bytes` bytes of bulk data that is read later; false, without moving, when the
  // file does not hold them.
  static bool SkipBytes(CFile& file, std::uint64_t bytes);

private:
  // Returns the field's text up to the first NUL, at most 127 bytes.
  static std::string ReadField(CFile& file, unsigned length);

  R_HEADER m_header;
};
