#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "IdResult.h"
#include "POHTestNodes.h"
#include "base/MsgOut.h"
#include "base/ScratchFolder.h"
#include "base/TestEnv.h"
#include "resultfile/PostFile.h"
#include "session/MemModelDB.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "session/PostFileManager.h"
#include "session/QVEPOHSession.h"
#include "session/ResultFileManager.h"
#include "vresult/VResult.h"

namespace {

using TItrs = zar::MArray<std::uint64_t>;

// Slow: the import waits without using the processor. ScanFails: no file object is made.
enum class EImport { Ok, Slow, NoNode, FailsAfterNode, InfoFails, ScanFails };

constexpr std::chrono::milliseconds kSlowImport{30};

// Imports one result file node with one sub-case and one step holding the node results 7107
// to 7110 and 7208 (without 7207).
class CFakeFile : public IPostFile {
public:
  CFakeFile(const CString& path, EImport mode) : m_strPath(path), m_eMode(mode) {}
  std::int32_t GetFileType() const override { return 9; }
  int CreatePOH(IPOHSession* pSession, IPreDBLinker*, std::uint64_t dbItr) override {
    if (m_eMode == EImport::NoNode) return 1;
    if (m_eMode == EImport::Slow) std::this_thread::sleep_for(kSlowImport);
    const std::uint64_t mcas = AddNode(*pSession, 0, L"", 0, dbItr);
    static_cast<CPOHMcas*>(pSession->GetPOHPool(0)->GetAt(mcas))->SetResultFilePath(m_strPath);
    SetPOHMcasItr(mcas);
    const std::uint64_t vcas = AddNode(*pSession, 2, L"", AddNode(*pSession, 1, L"", mcas));
    auto* pStep = static_cast<CPOHVcas*>(pSession->GetPOHPool(2)->GetAt(vcas));
    for (const std::int32_t id : {7107, 7108, 7109, 7110, 7208}) {
      std::unique_ptr<CVResult> pResult = std::make_unique<CIdResult>(id);
      pStep->GetPackage()->Insert(pResult);
    }
    return m_eMode == EImport::FailsAfterNode ? 0 : 1;
  }
  int CreateINFO(IPreDBLinker*) override { return m_eMode == EImport::InfoFails ? 0 : 1; }
  int DeleteFileW() override { return std::filesystem::remove(m_strPath.str()) ? 1 : 0; }

private:
  CString m_strPath;
  EImport m_eMode;
};

// Accepts ".FAKE" files and imports them as the test asks.
class CFakeManager : public CResultFileManager {
public:
  using CResultFileManager::CResultFileManager;
  int ValidateExtension(const CString& upperPath) const override {
    return upperPath.Find(L".FAKE") > 0 ? 1 : 0;
  }
  IPostFile* AddFile(const CString& path, std::uint64_t key) override {
    IPostFile* pFile = AddFile(path);
    if (pFile && key) RemoveFile(key);
    return pFile;
  }
  IPostFile* AddFile(const CString& path) override {
    if (m_eMode == EImport::ScanFails) return nullptr;
    return AppendFile(std::make_unique<CFakeFile>(path, m_eMode));
  }
  EImport m_eMode = EImport::Ok;
};

// The only result file manager is the fake one.
class CTestPostFileManager : public CPostFileManager {
public:
  CTestPostFileManager(IPOHSession* pSession, IPreDBLinker* pLinker)
      : CPostFileManager(pSession, pLinker) {
    auto pManager = std::make_unique<CFakeManager>(pSession);
    m_pFake = pManager.get();
    AddResultFileManager(std::move(pManager));
  }
  CFakeManager* m_pFake;
};

class FileManager : public ::testing::Test {
protected:
  // A file on disk named `name`.
  CString Touch(const std::string& name) {
    std::ofstream(m_dir.Narrow(name)) << "x";
    return m_dir.Wide(name);
  }
  // Case hierarchy nodes of all levels.
  std::int32_t NodeCount() const {
    return m_session.GetPOHPool(0)->GetSize() + m_session.GetPOHPool(1)->GetSize() +
           m_session.GetPOHPool(2)->GetSize();
  }
  std::int32_t FileCount() const {
    zar::MArray<IPostFile*> files;
    return m_files.GetFiles(files);
  }
  pvk::AMT_TYPE AmtOf(std::uint64_t mcasItr, std::int32_t id) {
    TItrs steps;
    static_cast<CPOHPoolVcas*>(m_session.GetPOHPool(2))->GetListByPOHMcas(mcasItr, steps);
    auto* pStep = static_cast<CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(steps.at(0)));
    return pStep->GetPackage()->Find(pvk::LOC_NODE, id)->GetDLoadOpt().nAMTType;
  }

  // A result item of the host, which every added file needs.
  std::uint64_t Item() { return m_db.AddAnalysisItem(101, L""); }

  ScratchFolder m_dir;
  CQVEPOHSession m_session;
  CMemModelDB m_db;
  CTestPostFileManager m_manager{&m_session, &m_db};
  CFakeManager& m_files = *m_manager.m_pFake;
};

TEST_F(FileManager, AddFileReturnsTheImportedResultFileAndProfilesWallTimeOnRequest) {
  zar::MArray<CString> messages;
  const auto previous =
      zar::lib::SetMsgSink([&](zar::lib::EMsgLevel, const CString& s) { messages.push_back(s); });
  zar::lib::SetTestEnvValue(L"Profile_Time", L"no");
  const std::uint64_t quiet = m_manager.AddFile(Touch("a.fake"), Item());
  zar::lib::SetTestEnvValue(L"Profile_Time", L"YES");
  m_files.m_eMode = EImport::Slow;
  const std::uint64_t timed = m_manager.AddFile(Touch("b.fake"), Item());
  zar::lib::ClearTestEnvValue(L"Profile_Time");
  zar::lib::SetMsgSink(previous);

  ASSERT_NE(quiet, 0u);
  ASSERT_NE(timed, 0u);
  EXPECT_EQ(m_manager.GetPostFile(timed)->GetPOHMcasItr(), timed);
  EXPECT_EQ(NodeCount(), 6);
  ASSERT_EQ(messages.size(), 1u);
  const CString prefix = L"CPostFileManager AddFile : ";
  ASSERT_EQ(messages[0].Find(prefix), 0);
  // The import slept: processor time would report almost nothing.
  EXPECT_GE(std::stod(messages[0].Mid(prefix.GetLength()).str()),
            std::chrono::duration<double>(kSlowImport).count());
}

TEST_F(FileManager, AnalysisKindDecidesWhetherVolumePrincipalResultsBecomeScalars) {
  const struct {
    std::uint8_t kind;
    bool bMarked;
  } cases[] = {{114, true}, {115, true}, {119, true}, {101, false}};
  for (const auto& c : cases) {
    const std::uint64_t mcas =
        m_manager.AddFile(Touch("a.fake"), m_db.AddAnalysisItem(c.kind, L""));
    ASSERT_NE(mcas, 0u);
    for (const std::int32_t id : {7107, 7108, 7109, 7110})
      EXPECT_EQ(AmtOf(mcas, id) == pvk::AMT_SCALAR, c.bMarked) << int(c.kind) << " " << id;
    // Its group's first result 7207 is missing, so 7208 keeps its type.
    EXPECT_EQ(AmtOf(mcas, 7208), pvk::AMT_PRINCIPAL_3D);
  }
}

// A failed import leaves nothing behind, nor does a file without a result item of the host, a
// missing one or one of no manager; one that replaces another does so only on success.
TEST_F(FileManager, FailedImportLeavesNothingBehindAndReplacesNothing) {
  for (const EImport mode : {EImport::NoNode, EImport::FailsAfterNode, EImport::InfoFails}) {
    m_files.m_eMode = mode;
    EXPECT_EQ(m_manager.AddFile(Touch("a.fake"), Item()), 0u);
    EXPECT_EQ(FileCount() + NodeCount(), 0);
  }
  m_files.m_eMode = EImport::Ok;
  EXPECT_EQ(m_manager.AddFile(Touch("a.fake"), 0), 0u);
  EXPECT_EQ(m_manager.AddFile(m_dir.Wide("missing.fake"), Item()), 0u);
  EXPECT_EQ(m_manager.AddFile(Touch("a.other"), Item()), 0u);
  EXPECT_EQ(FileCount() + NodeCount(), 0);
  const std::uint64_t item = m_db.AddAnalysisItem(101, L"");
  ASSERT_NE(m_manager.AddFile(Touch("a.fake"), item), 0u);
  const std::uint64_t b = m_manager.AddFile(Touch("b.fake"), item);
  ASSERT_NE(b, 0u);
  EXPECT_EQ(m_files.Find(m_dir.Wide("a.fake")), nullptr);
  EXPECT_EQ(FileCount(), 1);
  EXPECT_EQ(NodeCount(), 3);
  for (const EImport mode : {EImport::ScanFails, EImport::FailsAfterNode, EImport::InfoFails}) {
    m_files.m_eMode = mode;
    EXPECT_EQ(m_manager.AddFile(Touch("c.fake"), item), 0u);
    EXPECT_EQ(m_session.GetPOHPool(0)->GetByDBItr(item), b);
    EXPECT_EQ(FileCount() + NodeCount(), 4);
  }
  m_files.m_eMode = EImport::Ok;
  EXPECT_NE(m_manager.AddFile(Touch("c.fake"), m_db.AddAnalysisItem(101, L"")), 0u);
  EXPECT_EQ(FileCount(), 2);
}

TEST_F(FileManager, AFileWhoseResultFileWasRemovedNeverAnswersForTheNextOne) {
  const std::uint64_t first = m_manager.AddFile(Touch("a.fake"), Item());
  IPostFile* pFirst = m_manager.GetPostFile(first);
  m_session.Remove(first);
  EXPECT_EQ(m_manager.GetPostFile(first), nullptr);
  // The pool hands the freed entry to the next result file.
  const std::uint64_t second = m_manager.AddFile(Touch("b.fake"), Item());
  ASSERT_EQ(second, first);
  IPostFile* pSecond = m_manager.GetPostFile(second);
  EXPECT_NE(pSecond, pFirst);
  EXPECT_EQ(m_files.Find(m_dir.Wide("a.fake")), nullptr);
  EXPECT_EQ(m_manager.RemoveFile(second), 1);
  zar::MArray<IPostFile*> files;
  m_files.GetFiles(files);
  EXPECT_EQ(files, zar::MArray<IPostFile*>{pFirst});
  EXPECT_EQ(NodeCount(), 0);
}

// A stand-alone manager takes its result files with its files.
TEST_F(FileManager, RemoveKeepsTheFileOnDiskDeleteRemovesItAndFindIgnoresCase) {
  {
    CFakeManager files(&m_session);
    for (const char* name : {"a.fake", "b.fake"})
      ASSERT_EQ(files.AddFile(Touch(name))->CreatePOH(&m_session, nullptr, 0), 1);
    EXPECT_EQ(NodeCount(), 6);
  }
  EXPECT_EQ(NodeCount(), 0);
  const std::uint64_t kept = m_manager.AddFile(Touch("a.fake"), Item());
  m_manager.AddFile(Touch("b.fake"), Item());
  CResultFileManager& files = m_files;
  EXPECT_EQ(files.Find(m_dir.Wide("A.FAKE")), m_session.GetPOHPool(0)->GetAt(kept));
  EXPECT_EQ(files.Find(m_dir.Wide("c.fake")), nullptr);
  EXPECT_EQ(m_manager.RemoveFile(kept), 1);
  EXPECT_TRUE(std::filesystem::exists(m_dir.Narrow("a.fake")));
  EXPECT_EQ(NodeCount(), 3);
  EXPECT_EQ(files.DeleteFileW(files.Find(m_dir.Wide("b.fake"))), 1);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("b.fake")));
  EXPECT_EQ(NodeCount(), 0);
  EXPECT_EQ(m_manager.RemoveFile(kept), 0);
  EXPECT_EQ(files.RemoveFile(static_cast<CPOHMcas*>(nullptr)), 0);
}

TEST_F(FileManager, ListOperationsStopAtAnUnknownFileAndClearingEmptiesAll) {
  EXPECT_EQ(m_manager.RemoveFileList({}), 1);
  EXPECT_EQ(m_manager.DeleteFileList({}), 1);
  TItrs itrs;
  for (const char* name : {"a.fake", "b.fake", "c.fake", "d.fake", "e.fake"})
    itrs.push_back(m_manager.AddFile(Touch(name), Item()));
  EXPECT_EQ(m_manager.RemoveFileList({itrs[0], 12345, itrs[1]}), 0);
  EXPECT_EQ(m_manager.GetPostFile(itrs[0]), nullptr);
  EXPECT_NE(m_manager.GetPostFile(itrs[1]), nullptr);
  // A file already gone from disk is reported, and the list goes on past it.
  std::filesystem::remove(m_dir.Narrow("c.fake"));
  EXPECT_EQ(m_manager.DeleteFileList({itrs[2], itrs[3]}), 0);
  EXPECT_EQ(m_manager.GetPostFile(itrs[2]), nullptr);
  EXPECT_EQ(m_manager.GetPostFile(itrs[3]), nullptr);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("d.fake")));
  EXPECT_EQ(m_manager.DeleteFileList({12345, itrs[4]}), 0);
  EXPECT_NE(m_manager.GetPostFile(itrs[4]), nullptr);
  m_manager.Clear();
  EXPECT_EQ(FileCount() + NodeCount(), 0);
  EXPECT_TRUE(std::filesystem::exists(m_dir.Narrow("b.fake")));
  m_manager.AddFile(Touch("a.fake"), Item());
  EXPECT_EQ(m_files.DeleteAllFile(), 1);
  EXPECT_EQ(FileCount() + NodeCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("a.fake")));
}

}  // namespace
