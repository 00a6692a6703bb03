// The block scan of a result file.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"
#include "base/MsgOut.h"
#include "base/Profiler.h"
#include "base/TestEnv.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARSourceSites.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"

static_assert(std::endian::native == std::endian::little, "headers are read as stored");

namespace {

struct FileCloser {
  void operator()(FILE* p) const { std::fclose(p); }
};
using TEchoFile = std::unique_ptr<FILE, FileCloser>;

// The echo file beside the result file, when "Batch Output" asks for one.
TEchoFile OpenEcho(const CString& path) {
  CString option = zar::lib::GetTestEnvValue(L"Batch Output");
  option.Remove(L'"');
  option.MakeUpper();
  if (option.CompareNoCase(L"YES") != 0) return nullptr;
  CString echoPath = zar::lib::MFileCtrl::GetFilePathNameExt(path);
  echoPath += L".ech";
  const std::string narrow = zar::lib::MConvertString::ToMultiByte(echoPath.str(), CP_UTF8);
  return TEchoFile(std::fopen(narrow.c_str(), "w"));
}

// A file uses a handful of record types over and over: their creators are kept in a small
// direct-mapped table, so that the factory's map is searched about once per type.
class CreatorCache {
public:
  explicit CreatorCache(PZAR_RECORD_VER::E_VER version) : m_eVer(version) {}

  CPZARRecordFactory::PFN_CREATE Get(std::int32_t type) {
    Entry& entry = m_aEntries[static_cast<std::uint32_t>(type) % kSize];
    if (!entry.bFilled || entry.nType != type) {
      entry = {type, CPZARRecordFactory::GetInstance().GetCreator(type, m_eVer), true};
    }
    return entry.pfnCreate;
  }

private:
  static constexpr std::uint32_t kSize = 32;
  struct Entry {
    std::int32_t nType = 0;
    CPZARRecordFactory::PFN_CREATE pfnCreate = nullptr;
    bool bFilled = false;
  };
  PZAR_RECORD_VER::E_VER m_eVer;
  std::array<Entry, kSize> m_aEntries{};
};

// Where a record lies in the file and where its scan left the file.
struct TRecordSpan {
  std::uint64_t nHeader, nBody, nEnd, nFileLength;
};

// Null when the record is kept. A body that moved backwards would make the scan read the same
// headers again without end; one that does not fit leaves nothing after it that can be told
// apart from its own bytes.
std::optional<TPZARScanReason> WhyNotKept(const CPZARRecord& record, bool scanned,
                                          const TRecordSpan& at) {
  using enum EPZARScanReason;
  const CPZARRecord::TBodyFit& fit = record.GetBodyFit();
  TPZARScanReason reason{
      .nType = record.GetHeader().type, .nId = record.GetHeader().id, .nOffset = at.nHeader};
  if (at.nEnd < at.nBody) {
    reason.eKind = BODY_MOVED_BACK;
  } else if (at.nEnd > at.nFileLength) {
    reason.eKind = BODY_DOES_NOT_FIT;
    reason.nNeeded = at.nEnd - at.nBody;
    reason.nLeft = at.nFileLength - at.nBody;
  } else if (scanned) {
    return std::nullopt;
  } else if (fit.eFit == CPZARRecord::EBodyFit::TOO_SHORT) {
    reason.eKind = BODY_DOES_NOT_FIT;
    reason.nNeeded = fit.nNeeded;
    reason.nLeft = fit.nLeft;
  } else if (fit.eFit == CPZARRecord::EBodyFit::COUNT_REFUSED) {
    reason.eKind = BODY_COUNT_REFUSED;
  } else if (fit.pszRefused) {
    reason.eKind = RECORD_REFUSED;
    reason.strDetail = fit.pszRefused;
  } else {
    reason.eKind = at.nEnd == at.nFileLength ? NO_END_MARKER : RECORD_REFUSED;
  }
  return reason;
}

// A dropped record whose body fitted lets the scan go on where the record left the file.
bool EndsScan(EPZARScanReason kind) {
  return kind != EPZARScanReason::RECORD_REFUSED && kind != EPZARScanReason::NO_END_MARKER;
}

}  // namespace

int CPZARFile::Scan(const CString& path) {
  TEchoFile echo = OpenEcho(path);
  return ScanWithEcho(path, echo.get());
}

int CPZARFile::ScanWithEcho(const CString& path, FILE* pEcho) {
  Clear();
  // What records of an earlier scan set does not carry over to this file.
  m_aScanReasons.clear();
  m_nCurNodeCnt = m_nCurElemCnt = m_nActElemCntConsStag = m_nDeactElemCntConsStag = 0;
  m_aResIDs.clear();
  m_nEncodingCodePage = 0;
  zar::lib::MProfiler profiler(pzar_site::kScanProfile.szUnit, pzar_site::kScanProfile.nLine,
                               L"CPZARFile::_Scan()");
  try {
    if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
      AddScanReason({.eKind = EPZARScanReason::FILE_NOT_OPENED});
      return 0;
    }
    return ScanBlocks(pEcho);
  } catch (const CFileException& e) {
    wchar_t message[256];
    e.GetErrorMessage(message, 256);
    AddScanReason({.eKind = EPZARScanReason::FILE_ERROR, .strDetail = message});
    return 0;
  } catch (const std::exception& e) {
    // Container overflow or memory exhaustion inside a record.
    AddScanReason({.eKind = EPZARScanReason::FILE_ERROR,
                   .strDetail = zar::lib::MConvertString::ToWide(e.what(), CP_UTF8)});
    return 0;
  }
}

int CPZARFile::ScanBlocks(FILE* pEcho) {
  if (!ReadFileHeader()) return 0;
  zar::lib::nsMsgOutFormatD(L"******************File Block Scan Start******************");
  if (m_eVer == PZAR_RECORD_VER::VER_140 && !SkipOffsetTable()) return 0;
  // Room for the records a file of this size can hold at most (an empty body each), within a
  // bound: the list then grows without copying, and untouched room costs no memory.
  constexpr std::uint64_t kMaxReserve = 1u << 20;
  m_aRecords.reserve(static_cast<std::size_t>(
      std::min<std::uint64_t>(m_file.GetLength() / sizeof(CPZARRecord::R_HEADER), kMaxReserve)));
  CreatorCache creators(m_eVer);
  for (;;) {
    const std::uint64_t headerPos = m_file.GetPosition();
    CPZARRecord::R_HEADER header;
    if (!ReadRecordHeader(headerPos, header) || header.type == PZAR_RECORD_TYPE::END_OF_FILE) break;
    const CPZARRecordFactory::PFN_CREATE creator = creators.Get(header.type);
    std::unique_ptr<CPZARRecord> record = creator ? creator() : nullptr;
    if (!record) {
      AddScanReason({.eKind = EPZARScanReason::UNKNOWN_RECORD_TYPE,
                     .nType = header.type,
                     .nId = header.id,
                     .nOffset = headerPos,
                     .nValue = GetVersion()});
      return 0;
    }
    record->SetHeader(header);
    if (!ScanRecord(std::move(record), headerPos, pEcho)) break;
  }
  if (m_aRecords.empty()) {
    AddScanReason({.eKind = EPZARScanReason::NO_RECORDS});
    return 0;
  }
  zar::lib::nsMsgOutFormatD(L"******************File Block Scan End******************");
  return 1;
}

bool CPZARFile::ReadFileHeader() {
  struct {
    std::int32_t version;
    char tag[4];
  } header{};
  static_assert(sizeof(header) == 8);
  const std::uint64_t left = CPZARRecord::BytesLeft(m_file);
  if (m_file.Read(&header, sizeof(header)) != sizeof(header)) {
    AddScanReason(
        {.eKind = EPZARScanReason::NO_FILE_HEADER, .nNeeded = sizeof(header), .nLeft = left});
    return false;
  }
  SetVersion(header.version);
  CString tag = zar::lib::MConvertString::ToWide(
      std::string_view(header.tag, ::strnlen(header.tag, sizeof(header.tag))), 0);
  tag.MakeUpper();
  SetFloatSize(tag.Find(L"NE") == 0 ? 4 : 8);
  if (PZAR_RECORD_VER::FromFormatNumber(header.version, m_eVer)) return true;
  AddScanReason({.eKind = EPZARScanReason::UNSUPPORTED_VERSION, .nValue = header.version});
  return false;
}

bool CPZARFile::SkipOffsetTable() {
  constexpr std::uint64_t kEntryBytes = 8;
  TPZARScanReason reason{.eKind = EPZARScanReason::OFFSET_TABLE_CUT,
                         .nOffset = m_file.GetPosition(),
                         .nLeft = CPZARRecord::BytesLeft(m_file)};
  std::int32_t count = 0;
  if (m_file.Read(&count, sizeof(count)) != sizeof(count)) {
    reason.nNeeded = sizeof(count);
  } else if (count < 0) {
    reason.nValue = count;
  } else {
    const std::uint64_t bytes = static_cast<std::uint64_t>(count) * kEntryBytes;
    if (bytes <= CPZARRecord::BytesLeft(m_file)) {
      m_file.Seek(static_cast<std::int64_t>(bytes), CFile::current);
      return true;
    }
    reason.nValue = count;
    reason.nNeeded = sizeof(count) + bytes;
  }
  AddScanReason(reason);
  return false;
}

bool CPZARFile::ReadRecordHeader(std::uint64_t pos, CPZARRecord::R_HEADER& header) {
  const unsigned read = m_file.Read(&header, sizeof(header));
  if (read == sizeof(header)) return true;
  // Nothing left at all follows a record dropped at the end of the file, which has its reason
  // already, unless the file holds no record header.
  if (read > 0 || m_aScanReasons.empty()) {
    AddScanReason({.eKind = EPZARScanReason::HEADER_CUT,
                   .nOffset = pos,
                   .nNeeded = sizeof(header),
                   .nLeft = read});
  }
  return false;
}

bool CPZARFile::ScanRecord(std::unique_ptr<CPZARRecord> pRecord, std::uint64_t headerPos,
                           FILE* pEcho) {
  const std::uint64_t bodyStart = headerPos + sizeof(CPZARRecord::R_HEADER);
  pRecord->SetFile(this);
  const bool scanned = pRecord->Scan(m_file) != 0;
  const std::optional<TPZARScanReason> reason = WhyNotKept(
      *pRecord, scanned, {headerPos, bodyStart, m_file.GetPosition(), m_file.GetLength()});
  if (!reason) {
    if (pEcho) pRecord->WriteEcho(pEcho);
    m_aRecords.push_back(std::move(pRecord));
    return true;
  }
  AddScanReason(*reason);
  return !EndsScan(reason->eKind);
}

void CPZARFile::AddScanReason(const TPZARScanReason& reason) {
  m_aScanReasons.push_back(reason);
  zar::lib::nsMsgOutFormat(L"%s\n", FormatScanReason(reason));
}
