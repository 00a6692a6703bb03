#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "ScratchFolder.h"
#include "base/FileCtrl.h"

namespace {

using zar::lib::MFileCtrl;

// A dot in a folder name is no extension, nor is a leading dot; the full path is absolute and
// normal.
TEST(MFileCtrl, PathPiecesAndFullPath) {
  const wchar_t* path = L"/res/run.1/model.tar.tkvp";
  char* cwd = ::getcwd(nullptr, 0);
  const std::string here = cwd;
  std::free(cwd);
  const CString relative(std::wstring(here.begin(), here.end()) + L"/x/y.out");
  const std::pair<CString, CString> cases[] = {
      {MFileCtrl::GetFileNameExt(path), L"model.tar.tkvp"},
      {MFileCtrl::GetFileTitle(path), L"model.tar"},
      {MFileCtrl::GetFileExt(path), L"tkvp"},
      {MFileCtrl::GetFolderPath(path), L"/res/run.1/"},
      {MFileCtrl::GetFilePathName(path), L"/res/run.1/model.tar"},
      {MFileCtrl::GetFileExt(L"/res/run.1/model"), L""},
      {MFileCtrl::GetFilePathName(L"/res/run.1/model"), L"/res/run.1/model"},
      {MFileCtrl::GetFileTitle(L".profile"), L".profile"},
      {MFileCtrl::GetFileExt(L"a/.."), L""},
      {MFileCtrl::GetFolderPath(L"model.tkvp"), L""},
      {MFileCtrl::GetFileNameExt(L"/res/"), L""},
      {MFileCtrl::GetFilePathNameExt(L"/a/./b/../c.tkvp"), L"/a/c.tkvp"},
      {MFileCtrl::GetFilePathNameExt(L"x/y.out"), relative},
      {MFileCtrl::GetFilePathNameExt(L"./x/z/../y.out"), relative},
      {MFileCtrl::GetFilePathNameExt(L""), L""}};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].first, cases[i].second) << i;
}

TEST(MFileCtrl, ExistenceTellsFilesFromFolders) {
  ScratchFolder dir;
  std::ofstream(dir.Narrow("f.txt")) << "x";
  ASSERT_EQ(::symlink(dir.Narrow().c_str(), dir.Narrow("link").c_str()), 0);
  EXPECT_EQ(
      (std::vector<bool>{
          MFileCtrl::IsFileExist(dir.Wide("f.txt")), MFileCtrl::IsFolderExist(dir.Wide("f.txt")),
          MFileCtrl::IsFolderExist(dir.Wide()), MFileCtrl::IsFileExist(dir.Wide()),
          MFileCtrl::IsFolderExist(dir.Wide("link")), MFileCtrl::IsPathExist(dir.Wide("link")),
          MFileCtrl::IsPathExist(dir.Wide("none")), MFileCtrl::IsPathExist(L"")}),
      (std::vector<bool>{true, false, true, false, true, true, false, false}));
}

TEST(MFileCtrl, CreateFolderMakesParentsAndGuardsPrivateFolders) {
  ScratchFolder dir;
  const auto Mode = [&](const char* name) {
    struct stat st {};
    return ::stat(dir.Narrow(name).c_str(), &st) == 0 ? st.st_mode & 0777 : 0u;
  };
  ASSERT_TRUE(MFileCtrl::CreateFolder(dir.Wide("a/b/c/"), true));
  EXPECT_EQ(Mode("a/b/c"), 0700u);
  EXPECT_EQ(Mode("a"), 0700u);
  // A private folder found open to others is closed again.
  ASSERT_EQ(::chmod(dir.Narrow("a/b").c_str(), 0777), 0);
  EXPECT_TRUE(MFileCtrl::CreateFolder(dir.Wide("a/b"), true));
  EXPECT_EQ(Mode("a/b"), 0700u);
  std::ofstream(dir.Narrow("file")) << "x";
  EXPECT_FALSE(MFileCtrl::CreateFolder(dir.Wide("file")));
  EXPECT_FALSE(MFileCtrl::CreateFolder(dir.Wide("file/sub")));
  // A link planted where a private folder belongs is refused.
  ASSERT_EQ(::symlink(dir.Narrow("a").c_str(), dir.Narrow("planted").c_str()), 0);
  EXPECT_FALSE(MFileCtrl::CreateFolder(dir.Wide("planted/"), true));
  EXPECT_TRUE(MFileCtrl::CreateFolder(dir.Wide("planted/"), false));
}

}  // namespace
