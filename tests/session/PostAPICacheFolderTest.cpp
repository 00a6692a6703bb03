#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "PostAPITmpDir.h"
#include "base/ScratchFolder.h"
#include "session/PostAPI.h"
#include "session/QVEPOHSession.h"
#include "vresult/VResult.h"

namespace {

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// The last folder name of a folder path ending with '/'.
std::wstring LastFolder(const CString& path) {
  const std::wstring& s = path.str();
  const std::size_t end = s.size() - 1;
  return s.substr(s.rfind(L'/', end - 1) + 1, end - s.rfind(L'/', end - 1) - 1);
}

class PostCacheFolderPath : public ::testing::Test {
protected:
  ScratchFolder scratch;
  // The scratch folder without its trailing '/'.
  std::string base = scratch.Narrow().substr(0, scratch.Narrow().size() - 1);
  // This user's temporary folder inside it.
  std::string user = "/pvk-" + std::to_string(::geteuid());
};

TEST_F(PostCacheFolderPath, RootIsInAPrivateFolderOfThisUserWhetherTmpDirEndsWithSlashOrNot) {
  for (const std::string& tmp : {base, base + "/"}) {
    TmpDirOverride tmpDir(tmp);
    CString out;
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L""), 1);
    EXPECT_EQ(out.str(), Wide(base + user + "/TarvoPost/")) << tmp;
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L"Sub"), 1);
    EXPECT_EQ(out.str(), Wide(base + user + "/TarvoPost/Sub/"));
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L"Sub/"), 1);
    EXPECT_EQ(out.str(), Wide(base + user + "/TarvoPost/Sub/"));
  }
  struct stat st {};
  ASSERT_EQ(::lstat((base + user).c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(PostCacheFolderPath, ProcessFolderNameParsesBackToTheProcessId) {
  TmpDirOverride tmpDir(base);
  CString root, out;
  IPostAPI::GetPostCacheFolderPath(root, L"A");
  ASSERT_EQ(IPostAPI::GetCurPostCacheFolderPath(out, L"A"), 1);
  ASSERT_EQ(out.Left(root.GetLength()), root);
  const std::wstring name = LastFolder(out);
  EXPECT_EQ(out.GetLength(), root.GetLength() + 17);
  EXPECT_EQ(name.find_first_not_of(L"0123456789ABCDEF"), std::wstring::npos);
  EXPECT_EQ(std::stoull(name, nullptr, 16), static_cast<std::uint64_t>(::getpid()));
}

TEST_F(PostCacheFolderPath, TwoSessionsDifferOnlyInTheLastFolder) {
  TmpDirOverride tmpDir(base);
  CQVEPOHSession first, second;
  CString process, a, b;
  IPostAPI::GetCurPostCacheFolderPath(process, L"");
  ASSERT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(&first, a, L""), 1);
  ASSERT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(&second, b, L""), 1);
  EXPECT_EQ(a.Left(process.GetLength()), process);
  EXPECT_EQ(b.Left(process.GetLength()), process);
  EXPECT_EQ(a.GetLength(), process.GetLength() + 17);
  EXPECT_NE(a, b);
  EXPECT_EQ(std::stoull(LastFolder(a), nullptr, 16), reinterpret_cast<std::uintptr_t>(&first));
  EXPECT_EQ(std::stoull(LastFolder(b), nullptr, 16), reinterpret_cast<std::uintptr_t>(&second));

  CString none = L"stale";
  EXPECT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(nullptr, none, L""), 0);
  EXPECT_TRUE(none.IsEmpty());
}

TEST_F(PostCacheFolderPath, ResultFileNameIsFolderAddressAndExtensionWithoutSeparator) {
  CVResult result;
  CString out;
  ASSERT_EQ(IPostAPI::MakePostVresFilePath(L"/c/", &result, L".vr", out), 1);
  EXPECT_EQ(out.Left(3), CString(L"/c/"));
  EXPECT_EQ(out.Right(3), CString(L".vr"));
  EXPECT_EQ(std::stoull(out.Mid(3, 16).str(), nullptr, 16),
            reinterpret_cast<std::uintptr_t>(&result));
  EXPECT_EQ(out.GetLength(), 3 + 16 + 3);
  EXPECT_EQ(IPostAPI::MakePostVresFilePath(L"/c/", nullptr, L".vr", out), 0);
  EXPECT_TRUE(out.IsEmpty());
}

TEST_F(PostCacheFolderPath, UnusableOverlongOrForeignTemporaryFolderGivesNoPath) {
  // Three levels of 200 characters make the temporary folder longer than 512.
  std::string deep = base;
  for (const char ch : {'a', 'b', 'c'}) deep += "/" + std::string(200, ch);
  ASSERT_TRUE(std::filesystem::create_directories(deep));
  // This user's folder planted as a link, and as a folder of another user (only root can
  // make one).
  const std::string linked = base + "/linked", foreign = base + "/foreign";
  std::filesystem::create_directories(base + "/target");
  std::filesystem::create_directories(linked);
  ASSERT_EQ(::symlink((base + "/target").c_str(), (linked + user).c_str()), 0);
  std::filesystem::create_directories(foreign + user);
  const bool bForeign = ::chown((foreign + user).c_str(), ::geteuid() + 1, ::getegid()) == 0;
  for (const std::string& tmp : {deep, base + "/missing", linked, bForeign ? foreign : deep}) {
    TmpDirOverride tmpDir(tmp);
    CString out = L"stale";
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L""), 0) << tmp;
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(IPostAPI::GetCurPostCacheFolderPath(out, L""), 0);
    CQVEPOHSession session;
    EXPECT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(&session, out, L""), 0);
  }
}

TEST_F(PostCacheFolderPath, CacheFoldersArePrivateAndNeverALink) {
  const std::string folder = scratch.Narrow("TarvoPost/1/2");
  ASSERT_EQ(IPostAPI::CreateCacheFolder(CString(Wide(folder + "/"))), 1);
  for (const std::string& made : {scratch.Narrow("TarvoPost"), folder}) {
    struct stat st {};
    ASSERT_EQ(::stat(made.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
  }
  ASSERT_EQ(::symlink(folder.c_str(), scratch.Narrow("link").c_str()), 0);
  EXPECT_EQ(IPostAPI::CreateCacheFolder(scratch.Wide("link")), 0);
}

}  // namespace
