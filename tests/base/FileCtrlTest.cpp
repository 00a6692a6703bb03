#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "ScratchFolder.h"
#include "base/FileCtrl.h"

namespace {

using zar::lib::MFileCtrl;

TEST(MFileCtrl, PathPieces) {
  const wchar_t* path = L"/res/run.1/model.tar.tkvp";
  EXPECT_EQ(MFileCtrl::GetFileNameExt(path), L"model.tar.tkvp");
  EXPECT_EQ(MFileCtrl::GetFileTitle(path), L"model.tar");
  EXPECT_EQ(MFileCtrl::GetFileExt(path), L"tkvp");
  EXPECT_EQ(MFileCtrl::GetFolderPath(path), L"/res/run.1/");
  EXPECT_EQ(MFileCtrl::GetFilePathName(path), L"/res/run.1/model.tar");
  // A dot in a folder name is no extension, nor is a leading dot.
  EXPECT_EQ(MFileCtrl::GetFileExt(L"/res/run.1/model"), L"");
  EXPECT_EQ(MFileCtrl::GetFilePathName(L"/res/run.1/model"), L"/res/run.1/model");
  EXPECT_EQ(MFileCtrl::GetFileTitle(L".profile"), L".profile");
  EXPECT_EQ(MFileCtrl::GetFileExt(L"a/.."), L"");
  EXPECT_EQ(MFileCtrl::GetFolderPath(L"model.tkvp"), L"");
  EXPECT_EQ(MFileCtrl::GetFileNameExt(L"/res/"), L"");
}

TEST(MFileCtrl, FullPathIsAbsoluteAndNormal) {
  EXPECT_EQ(MFileCtrl::GetFilePathNameExt(L"/a/./b/../c.tkvp"), L"/a/c.tkvp");
  char* cwd = ::getcwd(nullptr, 0);
  const std::string here = cwd;
  std::free(cwd);
  const CString expected(std::wstring(here.begin(), here.end()) + L"/x/y.out");
  EXPECT_EQ(MFileCtrl::GetFilePathNameExt(L"x/y.out"), expected);
  EXPECT_EQ(MFileCtrl::GetFilePathNameExt(L"./x/z/../y.out"), expected);
  EXPECT_TRUE(MFileCtrl::GetFilePathNameExt(L"").IsEmpty());
}

TEST(MFileCtrl, ExistenceTellsFilesFromFolders) {
  ScratchFolder dir;
  std::ofstream(dir.Narrow("f.txt")) << "x";
  ASSERT_EQ(::symlink(dir.Narrow().c_str(), dir.Narrow("link").c_str()), 0);
  EXPECT_TRUE(MFileCtrl::IsFileExist(dir.Wide("f.txt")));
  EXPECT_FALSE(MFileCtrl::IsFolderExist(dir.Wide("f.txt")));
  EXPECT_TRUE(MFileCtrl::IsFolderExist(dir.Wide()));
  EXPECT_FALSE(MFileCtrl::IsFileExist(dir.Wide()));
  EXPECT_TRUE(MFileCtrl::IsFolderExist(dir.Wide("link")));
  EXPECT_TRUE(MFileCtrl::IsPathExist(dir.Wide("link")));
  EXPECT_FALSE(MFileCtrl::IsPathExist(dir.Wide("none")));
  EXPECT_FALSE(MFileCtrl::IsPathExist(L""));
}

TEST(MFileCtrl, CreateFolderMakesParentsAndGuardsPrivateFolders) {
  ScratchFolder dir;
  ASSERT_TRUE(MFileCtrl::CreateFolder(dir.Wide("a/b/c/"), true));
  struct stat st;
  ASSERT_EQ(::stat(dir.Narrow("a/b/c").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(dir.Narrow("a").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A private folder found open to others is closed again.
  ASSERT_EQ(::chmod(dir.Narrow("a/b").c_str(), 0777), 0);
  EXPECT_TRUE(MFileCtrl::CreateFolder(dir.Wide("a/b"), true));
  ASSERT_EQ(::stat(dir.Narrow("a/b").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  std::ofstream(dir.Narrow("file")) << "x";
  EXPECT_FALSE(MFileCtrl::CreateFolder(dir.Wide("file")));
  EXPECT_FALSE(MFileCtrl::CreateFolder(dir.Wide("file/sub")));
  // A link planted where a private folder belongs is refused.
  ASSERT_EQ(::symlink(dir.Narrow("a").c_str(), dir.Narrow("planted").c_str()), 0);
  EXPECT_FALSE(MFileCtrl::CreateFolder(dir.Wide("planted/"), true));
  EXPECT_TRUE(MFileCtrl::CreateFolder(dir.Wide("planted/"), false));
}

}  // namespace
