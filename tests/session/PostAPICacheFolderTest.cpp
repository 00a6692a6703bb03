#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "base/EnvOverride.h"
#include "base/ScratchFolder.h"
#include "session/PostAPI.h"
#include "session/QVEPOHSession.h"
#include "vresult/VResult.h"

namespace {

// Sixteen upper-case hexadecimal digits, as the folder and file names are written.
std::wstring Hex(std::uint64_t value) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llX", static_cast<unsigned long long>(value));
  return std::wstring(buf, buf + 16);
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
  const CString root = scratch.Wide(user.substr(1) + "/TarvoPost/");
  for (const std::string& tmp : {base, base + "/"}) {
    EnvOverride tmpDir("TMPDIR", tmp);
    CString out;
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L""), 1);
    EXPECT_EQ(out, root) << tmp;
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L"Sub"), 1);
    EXPECT_EQ(out, root + L"Sub/");
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L"Sub/"), 1);
    EXPECT_EQ(out, root + L"Sub/");
    // A host's name that would leave the cache root gives no path.
    for (const wchar_t* outside : {L"..", L"../x", L"a/../../x", L"a/..", L"/etc"}) {
      EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, outside), 0) << outside;
      EXPECT_TRUE(out.IsEmpty());
    }
  }
  struct stat st {};
  ASSERT_EQ(::lstat((base + user).c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Cache folders are private and never a link.
  ASSERT_EQ(IPostAPI::CreateCacheFolder(scratch.Wide("TarvoPost/1/")), 1);
  ASSERT_EQ(::stat(scratch.Narrow("TarvoPost/1").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  ASSERT_EQ(::symlink(scratch.Narrow("TarvoPost").c_str(), scratch.Narrow("link").c_str()), 0);
  EXPECT_EQ(IPostAPI::CreateCacheFolder(scratch.Wide("link")), 0);
}

TEST_F(PostCacheFolderPath, ProcessSessionAndResultNamesAreTheirIdsInHex) {
  EnvOverride tmpDir("TMPDIR", base);
  CQVEPOHSession first, second;
  CString root, process, a, b;
  ASSERT_EQ(IPostAPI::GetPostCacheFolderPath(root, L"A"), 1);
  ASSERT_EQ(IPostAPI::GetCurPostCacheFolderPath(process, L"A"), 1);
  EXPECT_EQ(process.str(), root.str() + Hex(static_cast<std::uint64_t>(::getpid())) + L"/");
  ASSERT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(&first, a, L"A"), 1);
  ASSERT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(&second, b, L"A"), 1);
  EXPECT_EQ(a.str(), process.str() + Hex(reinterpret_cast<std::uintptr_t>(&first)) + L"/");
  EXPECT_EQ(b.str(), process.str() + Hex(reinterpret_cast<std::uintptr_t>(&second)) + L"/");
  CString none = L"stale";
  EXPECT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(nullptr, none, L""), 0);
  EXPECT_TRUE(none.IsEmpty());

  // A result's file: folder, address and extension without separator.
  CVResult result;
  CString out;
  ASSERT_EQ(IPostAPI::MakePostVresFilePath(L"/c/", &result, L".vr", out), 1);
  EXPECT_EQ(out.str(), L"/c/" + Hex(reinterpret_cast<std::uintptr_t>(&result)) + L".vr");
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
    EnvOverride tmpDir("TMPDIR", tmp);
    CString out = L"stale";
    EXPECT_EQ(IPostAPI::GetPostCacheFolderPath(out, L""), 0) << tmp;
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_EQ(IPostAPI::GetCurPostCacheFolderPath(out, L""), 0);
    CQVEPOHSession session;
    EXPECT_EQ(IPostAPI::GetCurPSessionCacheFolderPath(&session, out, L""), 0);
  }
}

}  // namespace
