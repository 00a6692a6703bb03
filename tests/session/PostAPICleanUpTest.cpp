#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/EnvOverride.h"
#include "base/ScratchFolder.h"
#include "session/PostAPI.h"
#include "support/ProcessIds.h"

namespace {

namespace fs = std::filesystem;
using pvk::test::DeadProcessId;
using pvk::test::HexName;

CString Wide(const std::string& s) { return CString(std::wstring(s.begin(), s.end())); }

class PostCacheCleanUp : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(IPostAPI::CreateCacheFolder(Wide(root)), 1);
    ASSERT_EQ(IPostAPI::CreateCacheFolder(Wide(outside + "sub")), 1);
    Touch(outside + "victim.vres");
  }
  static void Touch(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "x";
  }
  static bool Exists(const std::string& path) {
    return fs::exists(fs::symlink_status(path));  // a link counts, not its target
  }

  ScratchFolder scratch;
  // The cache root as it stands in this user's temporary folder.
  std::string root = scratch.Narrow("pvk-" + std::to_string(::geteuid()) + "/TarvoPost/");
  std::string outside = scratch.Narrow("outside/");
};

TEST_F(PostCacheCleanUp, RemovesMatchingFilesInFoldersOfEndedProcessesOnly) {
  const std::string deadName = HexName(DeadProcessId());
  const std::string dead = root + deadName + "/";
  const std::string own = root + HexName(static_cast<std::uint64_t>(::getpid())) + "/";
  const std::string parent = root + HexName(static_cast<std::uint64_t>(::getppid())) + "/";
  const std::string notHex = root + "notahex/";
  const std::string tooLong = root + "0" + deadName + "/";  // 17 digits is no "%p" name
  for (const std::string& folder : {own, parent, notHex, tooLong})
    Touch(folder + "0000000000001234/a.vres");
  for (const char* file : {"S1/a.vres", "S1/keep.txt", "S2/B.VRES", "Loose.Vres"})
    Touch(dead + file);

  IPostAPI::CleanUpPostCacheFolder(Wide(root), L"*.vres");

  // Files outside the pattern keep their folders, and case is no matter.
  EXPECT_TRUE(Exists(dead + "S1/keep.txt"));
  EXPECT_FALSE(Exists(dead + "S1/a.vres"));
  EXPECT_FALSE(Exists(dead + "S2"));
  EXPECT_FALSE(Exists(dead + "Loose.Vres"));
  for (const std::string& kept : {own, parent, notHex, tooLong})
    EXPECT_TRUE(Exists(kept + "0000000000001234/a.vres")) << kept;
}

TEST_F(PostCacheCleanUp, PlantedLinksNeverLeadTheCleanUpOutside) {
  // A link in the place of a process folder (an id no process can have), of a session
  // folder and of a cache file.
  const std::string dead = root + HexName(DeadProcessId()) + "/";
  Touch(dead + "S1/a.vres");
  fs::create_directory_symlink(outside, root + "FFFFFFFFFFFFFFF0");
  fs::create_directory_symlink(outside, dead + "S2");
  fs::create_symlink(outside + "victim.vres", dead + "S1/x.vres");

  IPostAPI::CleanUpPostCacheFolder(Wide(root), L"*");
  IPostAPI::CleanAndRemoveDir(Wide(root + "FFFFFFFFFFFFFFF0"), L"*");
  IPostAPI::CleanUpPsessionCacheFolder(Wide(root + "FFFFFFFFFFFFFFF0"), L"*");

  EXPECT_TRUE(Exists(outside + "victim.vres"));
  EXPECT_TRUE(Exists(outside + "sub"));
  // A link is never entered: where it matches the file pattern it goes by itself, in the
  // place of a process folder it stays.
  EXPECT_TRUE(Exists(root + "FFFFFFFFFFFFFFF0"));
  EXPECT_FALSE(Exists(dead));
}

TEST_F(PostCacheCleanUp, CleanAndRemoveDirRemovesMatchingFilesThenTheEmptyFolder) {
  const std::string dir = root + "D";
  Touch(dir + "/a.vres");
  Touch(dir + "/b.keep");
  IPostAPI::CleanAndRemoveDir(Wide(dir), L"*.vres");
  EXPECT_FALSE(Exists(dir + "/a.vres"));
  EXPECT_TRUE(Exists(dir + "/b.keep"));  // not empty: the removal fails quietly

  Touch(dir + "/noext");
  IPostAPI::CleanAndRemoveDir(Wide(dir + "/"), L"*.*");  // the framework's "all"
  EXPECT_FALSE(Exists(dir));
  // A session clean-up takes the sub-folders and leaves loose files.
  const std::string process = root + "P/";
  Touch(process + "S1/a.vres");
  Touch(process + "S2/b.vres");
  Touch(process + "loose.vres");
  IPostAPI::CleanUpPsessionCacheFolder(Wide(process), L"*.vres");
  EXPECT_FALSE(Exists(process + "S1"));
  EXPECT_FALSE(Exists(process + "S2"));
  EXPECT_TRUE(Exists(process + "loose.vres"));
}

TEST_F(PostCacheCleanUp, ADirNamedByDotsCleansNothingAboveIt) {
  Touch(root + "D/a.vres");
  Touch(root + "x.vres");
  for (const char* tail : {"D/..", "D/../", "D/."}) {
    IPostAPI::CleanAndRemoveDir(Wide(root + tail), L"*.vres");
    EXPECT_TRUE(Exists(root + "x.vres")) << tail;
  }
}

TEST_F(PostCacheCleanUp, CleanUpAllRemovesTheNamedProcessFolderUnderTheSubFolder) {
  EnvOverride tmpDir("TMPDIR", scratch.Narrow());
  const std::uint64_t pid = static_cast<std::uint64_t>(::getpid());
  const std::string mine = root + "Ani/" + HexName(pid) + "/";
  const std::string other = root + "Ani/" + HexName(pid + 1) + "/";
  Touch(mine + "S/a.vres");
  Touch(other + "S/a.vres");
  IPostAPI::CleanUpPostCacheFolderAll(L"Ani", pid, L"*.vres");
  EXPECT_FALSE(Exists(mine));
  EXPECT_TRUE(Exists(other + "S/a.vres"));
}

}  // namespace
