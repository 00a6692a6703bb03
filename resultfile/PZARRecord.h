#pragma once
// The common base of the PZAR record classes: the 8-byte record header and the text field
// readers.
#include <cstdint>
#include <string>
#include <type_traits>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "resultfile/PostRecord.h"
#include "resultfile/RecordTypes.h"

class CPZARFile;

class PVK_API CPZARRecord : public IPostRecord {
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

  // Whether the body fitted the file in its last scan. A body that does not fit ends the
  // file's scan at its record, since what follows its start cannot be told from its bytes.
  enum class EBodyFit { FITS, TOO_SHORT, COUNT_REFUSED };
  struct TBodyFit {
    EBodyFit eFit = EBodyFit::FITS;
    std::uint64_t nNeeded = 0;            // TOO_SHORT: the bytes the failed check asked for
    std::uint64_t nLeft = 0;              // and the bytes that were left at that point
    const wchar_t* pszRefused = nullptr;  // why a body that fits was refused, when known
  };
  const TBodyFit& GetBodyFit() const { return m_bodyFit; }

  // The bytes between the file position and the end of the file.
  static std::uint64_t BytesLeft(CFile& file);
  // Whether `bytes` more bytes lie between the file position and the end of the file: the
  // check a record makes before it reads, allocates or skips by a count read from the file.
  // A failed check is remembered as the body's fit.
  bool HasBytesLeft(CFile& file, std::uint64_t bytes) const;
  // Moves past `bytes` bytes of bulk data that is read later; false, without moving, when the
  // file does not hold them.
  bool SkipBytes(CFile& file, std::uint64_t bytes) const;
  // Notes that a count of the body was refused before its size could be known; returns 0.
  int RefuseBodyCount() const;
  // Notes why the content of a body that fits is refused (a static text); returns 0.
  int RefuseContent(const wchar_t* why) const;

private:
  // The field's text up to the first NUL, at most 127 bytes, converted from the code page.
  static void ReadText(CFile& file, unsigned length, unsigned codePage, CString& out);

  R_HEADER m_header;
  // Set by the checks, which the loaders also run on a const record after the scan.
  mutable TBodyFit m_bodyFit;
};

// A record as the class asked for, or null. A class of one record type names it as kType, and
// a record of another type is refused even when the classes would convert; a base or an
// interface of several types is checked by the conversion alone.
template <class TTo, class TFrom>
auto PZARRecordCast(TFrom* pRecord) {
  using TResult = std::conditional_t<std::is_const_v<TFrom>, const TTo, TTo>;
  if constexpr (requires { TTo::kType; }) {
    if (!pRecord || pRecord->GetType() != TTo::kType) return static_cast<TResult*>(nullptr);
  }
  return dynamic_cast<TResult*>(pRecord);
}
