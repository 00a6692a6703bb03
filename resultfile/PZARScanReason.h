#pragma once
// Why the block scan of a result file refused the file, ended early or dropped a record: one
// value per event, kept by the file for its last scan and formatted as one line for people.
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"

enum class EPZARScanReason : std::int32_t {
  FILE_NOT_OPENED,      // the file cannot be opened for reading
  FILE_ERROR,           // a read failed; the detail is the system's message
  NO_FILE_HEADER,       // fewer than the 8 bytes of the file header
  UNSUPPORTED_VERSION,  // nValue: the format version of the header
  OFFSET_TABLE_CUT,     // nValue: the entry count; a negative count or a table past the end
  UNKNOWN_RECORD_TYPE,  // nType: the code; nValue: the format version
  HEADER_CUT,           // a record header cut by the end of the file
  BODY_DOES_NOT_FIT,    // the body needs more bytes than are left: the scan ends
  BODY_COUNT_REFUSED,   // a count of the body is negative or too large: the scan ends
  BODY_MOVED_BACK,      // the body ends before it starts: the scan ends
  RECORD_REFUSED,       // the record's content is refused; the scan goes on after it
  NO_END_MARKER,        // the record ends at the end of the file, with no end marker after it
  NO_RECORDS,           // the scan kept no record
};

struct TPZARScanReason {
  EPZARScanReason eKind = EPZARScanReason::NO_RECORDS;
  std::int32_t nType = 0;     // the record's type code
  std::int32_t nId = 0;       // the record header's id
  std::uint64_t nOffset = 0;  // the byte offset of the record header or the table
  std::uint64_t nNeeded = 0;  // the bytes that a check asked for
  std::uint64_t nLeft = 0;    // the bytes left in the file at that point
  std::int32_t nValue = 0;    // see the kinds
  CString strDetail{};        // FILE_ERROR: the system's message; RECORD_REFUSED: why

  bool operator==(const TPZARScanReason&) const = default;
};

// One line without a line end, for example
// "record 14 (data vector) id 102 at byte 5,184: body needs 8,000 bytes, 12 left".
PVK_API CString FormatScanReason(const TPZARScanReason& reason);
