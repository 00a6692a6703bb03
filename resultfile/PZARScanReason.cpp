#include "resultfile/PZARScanReason.h"

#include <string>

#include "resultfile/RecordTypes.h"

namespace {

using enum EPZARScanReason;

// Digits in groups of three: byte counts and offsets are read by people.
std::wstring Grouped(std::uint64_t n) {
  std::wstring digits = std::to_wstring(n);
  for (std::size_t i = digits.size(); i > 3; i -= 3) digits.insert(i - 3, 1, L',');
  return digits;
}

// "record 14 (data vector) id 102 at byte 5,184"
CString RecordPart(const TPZARScanReason& r) {
  CString text;
  text.Format(L"record %d", r.nType);
  if (const wchar_t* name = PZAR_RECORD_TYPE::GetRecordTypeName(r.nType))
    text.AppendFormat(L" (%s)", name);
  text.AppendFormat(L" id %d at byte %s", r.nId, Grouped(r.nOffset));
  return text;
}

CString Shortfall(const TPZARScanReason& r) {
  CString text;
  text.Format(L"needs %s bytes, %s left", Grouped(r.nNeeded), Grouped(r.nLeft));
  return text;
}

}  // namespace

CString FormatScanReason(const TPZARScanReason& r) {
  CString text;
  switch (r.eKind) {
    case FILE_NOT_OPENED:
      return L"the file cannot be opened for reading";
    case FILE_ERROR:
      text.Format(L"read error: %s", r.strDetail);
      return text;
    case NO_FILE_HEADER:
      return L"no file header: " + Shortfall(r);
    case UNSUPPORTED_VERSION:
      text.Format(L"format version %d is not supported", r.nValue);
      return text;
    case OFFSET_TABLE_CUT:
      if (r.nValue < 0) {
        text.Format(L"offset table at byte %s: count %d is negative", Grouped(r.nOffset), r.nValue);
        return text;
      }
      text.Format(L"offset table at byte %s: ", Grouped(r.nOffset));
      return text + Shortfall(r);
    case UNKNOWN_RECORD_TYPE:
      text.Format(L"record type %d at byte %s is unknown in format %d", r.nType, Grouped(r.nOffset),
                  r.nValue);
      return text;
    case HEADER_CUT:
      text.Format(L"record header at byte %s: ", Grouped(r.nOffset));
      return text + Shortfall(r);
    case BODY_DOES_NOT_FIT:
      return RecordPart(r) + L": body " + Shortfall(r);
    case BODY_COUNT_REFUSED:
      return RecordPart(r) + L": a count of its body is negative or too large";
    case BODY_MOVED_BACK:
      return RecordPart(r) + L": its body ends before it starts";
    case RECORD_REFUSED:
      if (r.strDetail.IsEmpty()) return RecordPart(r) + L": its content is refused";
      return RecordPart(r) + L": its content is refused: " + r.strDetail;
    case NO_END_MARKER:
      return RecordPart(r) + L": the file ends with it, without an end marker";
    case NO_RECORDS:
      break;
  }
  return L"no records";
}
