// The block scan of a result file.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"
#include "base/MsgOut.h"
#include "base/Profiler.h"
#include "base/TestEnv.h"
#include "resultfile/PZARFile.h"
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
  const std::string narrow = zar::lib::MConvertString::ToMultiByte(echoPath.str(), 65001);
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

}  // namespace

int CPZARFile::Scan(const CString& path) {
  TEchoFile echo = OpenEcho(path);
  return ScanWithEcho(path, echo.get());
}

int CPZARFile::ScanWithEcho(const CString& path, FILE* pEcho) {
  Clear();
  zar::lib::MProfiler profiler("PZARFile", 244, L"CPZARFile::_Scan()");
  try {
    if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return 0;
    return ScanBlocks(pEcho);
  } catch (const CFileException& e) {
    wchar_t message[256];
    e.GetErrorMessage(message, 256);
    zar::lib::nsMsgOutFormatD(L"%s\n", message);
    return 0;
  } catch (const std::exception&) {
    return 0;  // container overflow or memory exhaustion inside a record
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
  CPZARRecord::R_HEADER header;
  bool more = ReadRecordHeader(header);
  while (more && header.type != PZAR_RECORD_TYPE::END_OF_FILE) {
    const CPZARRecordFactory::PFN_CREATE creator = creators.Get(header.type);
    if (!creator) return 0;
    std::unique_ptr<CPZARRecord> record = creator();
    if (!record) return 0;
    record->SetHeader(header);
    if (!ScanRecord(std::move(record), pEcho)) break;
    more = ReadRecordHeader(header);
  }
  if (m_aRecords.empty()) return 0;
  zar::lib::nsMsgOutFormatD(L"******************File Block Scan End******************");
  return 1;
}

bool CPZARFile::ReadFileHeader() {
  struct {
    std::int32_t version;
    char tag[4];
  } header{};
  static_assert(sizeof(header) == 8);
  if (m_file.Read(&header, sizeof(header)) != sizeof(header)) return false;
  SetVersion(header.version);
  CString tag = zar::lib::MConvertString::ToWide(
      std::string_view(header.tag, ::strnlen(header.tag, sizeof(header.tag))), 0);
  tag.MakeUpper();
  SetFloatSize(tag.Find(L"NE") == 0 ? 4 : 8);
  return PZAR_RECORD_VER::FromFormatNumber(header.version, m_eVer);
}

bool CPZARFile::SkipOffsetTable() {
  std::int32_t count = 0;
  if (m_file.Read(&count, sizeof(count)) != sizeof(count) || count < 0) return false;
  const std::uint64_t bytes = static_cast<std::uint64_t>(count) * 8u;
  if (!CPZARRecord::HasBytesLeft(m_file, bytes)) return false;
  m_file.Seek(static_cast<std::int64_t>(bytes), CFile::current);
  return true;
}

bool CPZARFile::ReadRecordHeader(CPZARRecord::R_HEADER& header) {
  return m_file.Read(&header, sizeof(header)) == sizeof(header);
}

bool CPZARFile::ScanRecord(std::unique_ptr<CPZARRecord> pRecord, FILE* pEcho) {
  const std::uint64_t bodyStart = m_file.GetPosition();
  pRecord->SetFile(this);
  const bool scanned = pRecord->Scan(m_file) != 0;
  // A body that moved backwards would make the scan read the same headers again without end,
  // and one that ran past the end of the file leaves nothing to read.
  const std::uint64_t position = m_file.GetPosition();
  if (position < bodyStart || position > m_file.GetLength()) return false;
  if (scanned) {
    if (pEcho) pRecord->WriteEcho(pEcho);
    m_aRecords.push_back(std::move(pRecord));
  }
  return true;
}
