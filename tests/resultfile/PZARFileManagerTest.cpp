#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "base/ScratchFolder.h"
#include "base/WaitCursor.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/PZARFileManager.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"
#include "support/ResultFileBuilder.h"

namespace {

class PZARFileManager : public ::testing::Test {
protected:
  // A result file with one sub-case and one step of node results.
  CString WriteResultFile(const std::string& name) {
    CResultFileBuilder f(m_dir.Wide(name));
    EXPECT_TRUE(f.Solver(L"S") && f.CaseInfo(101, L"LC") && f.OutputSet(1.0, L"T") &&
                f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2}) && f.Vector(102, 0, {1, 2}) &&
                f.Finish());
    return m_dir.Wide(name);
  }
  std::int32_t FileCount() const {
    zar::MArray<IPostFile*> files;
    return m_files.GetFiles(files);
  }
  std::int32_t PoolSizes() const {
    return m_session.GetPOHPool(0)->GetSize() + m_session.GetPOHPool(2)->GetSize();
  }

  ScratchFolder m_dir;
  CQVEPOHSession m_session;
  CPZARFileManager m_files{&m_session};
};

// "TKVP" is accepted anywhere but at the start. A refused file is gone, but the manager keeps
// why its scan refused it until the next add.
TEST_F(PZARFileManager, AddsOnlyFilesThatExistAndScan) {
  const std::pair<const wchar_t*, int> cases[] = {{L"/a/b.tkvp", 1},  {L"/x/res.TKVP.bak", 1},
                                                  {L".TKVP", 0},      {L"/a/b.tkv", 0},
                                                  {L"/a/b.TKV_P", 0}, {L"", 0}};
  for (const auto& [path, accepted] : cases)
    EXPECT_EQ(m_files.ValidateExtension(path), accepted) << path;
  std::ofstream(m_dir.Narrow("bad.tkvp")) << "not a result file";
  EXPECT_EQ(m_files.AddFile(m_dir.Wide("bad.tkvp")), nullptr);
  ASSERT_EQ(m_files.GetRefusalReasons().size(), 1u);
  EXPECT_EQ(m_files.GetRefusalReasons()[0].eKind, EPZARScanReason::UNSUPPORTED_VERSION);
  EXPECT_EQ(m_files.AddFile(m_dir.Wide("missing.tkvp")), nullptr);
  EXPECT_TRUE(m_files.GetRefusalReasons().empty());
  EXPECT_EQ(FileCount(), 0);
  m_files.AddFile(m_dir.Wide("bad.tkvp"));
  EXPECT_NE(dynamic_cast<CPZARFileEx*>(m_files.AddFile(WriteResultFile("r.tkvp"))), nullptr);
  EXPECT_TRUE(m_files.GetRefusalReasons().empty());
  EXPECT_EQ(FileCount(), 1);
}

int g_nWaits = 0;

TEST_F(PZARFileManager, OnlyTheAddWithoutKeyShowsTheWaitCursor) {
  const CWaitCursor::Hook previous = CWaitCursor::SetHook([](bool busy) { g_nWaits += busy; });
  const CString path = WriteResultFile("r.tkvp");
  m_files.AddFile(path, 0);
  const int keyed = g_nWaits;
  m_files.AddFile(path);
  CWaitCursor::SetHook(previous);
  EXPECT_EQ(keyed, 0);
  EXPECT_EQ(g_nWaits, 1);
  EXPECT_EQ(FileCount(), 2);
}

TEST_F(PZARFileManager, KeyNamesTheResultFileThatAnAddedFileReplaces) {
  IPostFile* pFirst = m_files.AddFile(WriteResultFile("a.tkvp"));
  ASSERT_EQ(pFirst->CreatePOH(&m_session, nullptr, 0), 1);
  const std::uint64_t firstItr = pFirst->GetPOHMcasItr();
  // A key that names no file of the manager removes nothing.
  ASSERT_NE(m_files.AddFile(WriteResultFile("b.tkvp"), firstItr + 8), nullptr);
  EXPECT_EQ(FileCount(), 2);
  // A file that cannot be read replaces nothing.
  EXPECT_EQ(m_files.AddFile(m_dir.Wide("missing.tkvp"), firstItr), nullptr);
  EXPECT_EQ(m_files.Exist(firstItr), 1);
  ASSERT_NE(m_files.AddFile(WriteResultFile("c.tkvp"), firstItr), nullptr);
  EXPECT_EQ(FileCount(), 2);
  EXPECT_EQ(m_files.Exist(firstItr), 0);
  EXPECT_EQ(PoolSizes(), 0);
}

TEST_F(PZARFileManager, PostFileManagerMakesAPrivateCacheRootAndImportsWithoutALinker) {
  const char* tmp = std::getenv("TMPDIR");
  const std::optional<std::string> saved = tmp ? std::optional(std::string(tmp)) : std::nullopt;
  ::setenv("TMPDIR", m_dir.Narrow().c_str(), 1);
  CQVEPostFileManager manager(&m_session, nullptr);
  saved ? ::setenv("TMPDIR", saved->c_str(), 1) : ::unsetenv("TMPDIR");
  struct stat st {};
  const std::string root = m_dir.Narrow("pvk-" + std::to_string(::geteuid()) + "/TarvoPost");
  ASSERT_EQ(::stat(root.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // The host's result item: any model-database item will do without a linker.
  CMemModelDB items;
  const std::uint64_t mcasItr =
      manager.AddFile(WriteResultFile("r.tkvp"), items.AddAnalysisItem(0, L"r"));
  ASSERT_NE(mcasItr, 0u);
  EXPECT_NE(dynamic_cast<CPZARFileEx*>(manager.GetPostFile(mcasItr)), nullptr);
  EXPECT_EQ(PoolSizes(), 2);
  EXPECT_EQ(manager.DeleteFileW(mcasItr), 1);
  EXPECT_FALSE(std::filesystem::exists(m_dir.Narrow("r.tkvp")));
  EXPECT_EQ(PoolSizes(), 0);
}

}  // namespace
