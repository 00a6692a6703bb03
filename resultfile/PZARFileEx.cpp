#include "resultfile/PZARFileEx.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "base/ConvertString.h"
#include "base/File.h"
#include "base/FileCtrl.h"
#include "base/MsgOut.h"
#include "base/TestEnv.h"
#include "resultfile/ReactionOutScan.h"

namespace {

struct FileCloser {
  void operator()(FILE* p) const { std::fclose(p); }
};
using TEchoFile = std::unique_ptr<FILE, FileCloser>;

std::string NarrowPath(const CString& path) {
  return zar::lib::MConvertString::ToMultiByte(path.str(), CP_UTF8);
}

// The echo file of the text output, when "Batch Output" asks for one.
TEchoFile OpenEcho(const CString& outPath) {
  CString option = zar::lib::GetTestEnvValue(L"Batch Output");
  option.Remove(L'"');
  if (option.CompareNoCase(L"YES") != 0) return nullptr;
  return TEchoFile(std::fopen(NarrowPath(outPath + L".ech").c_str(), "w"));
}

// Only a regular file is read: opening a FIFO of that name would wait for a writer forever.
bool IsRegularFile(const CString& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(NarrowPath(path), ec);
}

}  // namespace

CPZARFileEx::CPZARFileEx() = default;

CPZARFileEx::~CPZARFileEx() = default;

int CPZARFileEx::DeleteFileW() {
  _DeleteFile();
  return CPZARFile::DeleteFileW();
}

int CPZARFileEx::Scan(const CString& path) {
  // A second scan must not keep the tables of the first.
  _DeleteFile();
  CString outPath;
  outPath.Format(L"%s.out", zar::lib::MFileCtrl::GetFilePathName(path));
  if (IsRegularFile(outPath)) _Scan(outPath);
  return CPZARFile::Scan(path);
}

int CPZARFileEx::_Scan(const CString& outPath) {
  TEchoFile echo = OpenEcho(outPath);
  try {
    CFile text(outPath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
    bool made = true;
    pzar_reaction::ScanReactionTables(text, [&](const pzar_reaction::TReactionBlock& block) {
      made = MakeBlockRecords(block, echo.get());
      return made;
    });
    if (!made) return 0;
  } catch (const CFileException& e) {
    wchar_t message[256];
    e.GetErrorMessage(message, 256);
    zar::lib::nsMsgOutFormatD(L"%s\n", message);
    return 0;
  } catch (const std::exception&) {
    return 0;  // memory exhaustion while reading the tables
  }
  echo.reset();
  zar::lib::nsMsgOutFormatD(L"******************File Block Scan End******************");
  return 1;
}

void CPZARFileEx::_DeleteFile() { m_aRecordEx.clear(); }

CPZARRecordReaction_None* CPZARFileEx::MakeRecordEx() {
  auto pRecord = std::make_unique<CPZARRecordReaction_None>();
  CPZARRecordReaction_None* pMade = pRecord.get();
  m_aRecordEx.push_back(std::move(pRecord));
  return pMade;
}

int CPZARFileEx::DelRecordEx(CPZARRecord* pRecord) {
  const auto it = std::find_if(m_aRecordEx.begin(), m_aRecordEx.end(),
                               [pRecord](const auto& p) { return p.get() == pRecord; });
  if (it == m_aRecordEx.end()) return 0;
  m_aRecordEx.erase(it);
  return 1;
}

bool CPZARFileEx::MakeBlockRecords(const pzar_reaction::TReactionBlock& block, FILE* pEcho) {
  const std::size_t first = m_aRecordEx.size();
  try {
    for (std::int32_t id = CPZARRecordReaction_None::FORCE_TOTAL;
         id <= CPZARRecordReaction_None::MOMENT_Z; ++id) {
      CPZARRecordReaction_None* pRecord = MakeRecordEx();
      pRecord->SetFile(this);
      pRecord->SetHeader({0, id});
      pRecord->SetSubCase(block.strSubCase);
      pRecord->SetVCase(block.strVCase);
      pRecord->SetReaction(block.aRows);
    }
  } catch (const std::exception&) {
    // A table with some of its components would show a partial result.
    while (m_aRecordEx.size() > first) DelRecordEx(m_aRecordEx.back().get());
    return false;
  }
  if (pEcho)
    for (std::size_t i = first; i < m_aRecordEx.size(); ++i) m_aRecordEx[i]->WriteEcho(pEcho);
  return true;
}
