#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>

#include "ScratchFolder.h"
#include "base/FileFind.h"

namespace {

using Found = std::map<std::wstring, bool>;

class CFileFindTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"a.txt", "b.txt", "c.dat", ".hidden"})
      std::ofstream(m_dir.Narrow(name)) << name;
    ASSERT_EQ(::mkdir(m_dir.Narrow("sub").c_str(), 0700), 0);
    ASSERT_EQ(::symlink(m_dir.Narrow("sub").c_str(), m_dir.Narrow("link").c_str()), 0);
  }

  // Name → is-directory for every entry, walked as framework code walks it.
  Found List(const CString& pattern) {
    Found found;
    CFileFind finder;
    for (bool more = finder.FindFile(pattern); more;) {
      more = finder.FindNextFile() != 0;
      found[finder.GetFileName().str()] = finder.IsDirectory();
    }
    return found;
  }

  ScratchFolder m_dir;
};

// Case is no matter; all entries include the dots and links are not followed.
TEST_F(CFileFindTest, WildcardSelectsNames) {
  EXPECT_EQ(List(m_dir.Wide("*.txt")), (Found{{L"a.txt", false}, {L"b.txt", false}}));
  EXPECT_EQ(List(m_dir.Wide("?.DAT")), (Found{{L"c.dat", false}}));
  EXPECT_TRUE(List(m_dir.Wide("*.none")).empty());
  EXPECT_TRUE(List(m_dir.Wide("missing/*")).empty());
  const Found all = {{L".", true},      {L"..", true},     {L".hidden", false}, {L"a.txt", false},
                     {L"b.txt", false}, {L"c.dat", false}, {L"link", false},    {L"sub", true}};
  for (const char* pattern : {"*.*", "*", ""}) EXPECT_EQ(List(m_dir.Wide(pattern)), all);
}

TEST_F(CFileFindTest, CurrentEntryReportsItsPieces) {
  CFileFind finder;
  ASSERT_TRUE(finder.FindFile(m_dir.Wide("*.dat")));
  EXPECT_TRUE(finder.GetFileName().IsEmpty());  // nothing current before the first step
  EXPECT_EQ(finder.FindNextFile(), 0);          // the only entry is also the last
  EXPECT_EQ(finder.GetFileName(), L"c.dat");
  EXPECT_EQ(finder.GetFileTitle(), L"c");
  EXPECT_EQ(finder.GetRoot(), m_dir.Wide());
  EXPECT_EQ(finder.GetFilePath(), m_dir.Wide("c.dat"));
  EXPECT_FALSE(finder.IsDots());
  EXPECT_EQ(finder.FindNextFile(), 0);
  ASSERT_TRUE(finder.FindFile(m_dir.Wide("..")));
  finder.FindNextFile();
  EXPECT_TRUE(finder.IsDots());
  EXPECT_TRUE(finder.IsDirectory());
  finder.Close();
  EXPECT_TRUE(finder.GetFilePath().IsEmpty());
  // A relative pattern is rooted in the current folder.
  char* cwd = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(m_dir.Narrow().c_str()), 0);
  const bool found = finder.FindFile(L"sub");
  finder.FindNextFile();
  const CString path = finder.GetFilePath();
  ASSERT_EQ(::chdir(cwd), 0);
  std::free(cwd);
  EXPECT_TRUE(found);
  EXPECT_EQ(path, m_dir.Wide("sub"));
}

}  // namespace
