#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/EnvOverride.h"
#include "base/ScratchFolder.h"
#include "render/RndrVDFileStreammer.h"
#include "support/ProcessIds.h"

namespace {

namespace fs = std::filesystem;
using pvk::test::HexName;

constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t k5GiB = 5ull << 30;

std::string StreamFileName(const void* streamer, std::uint64_t size, std::uint64_t offset) {
  CString name;
  name.Format(L"%p_%llu_%llu.mani", streamer, size, offset);
  return std::string(name.str().begin(), name.str().end());
}

bool Exists(const std::string& path) { return fs::exists(fs::symlink_status(path)); }

// The temporary folder lies in a scratch folder, so nothing reaches the real one.
class Streamer : public ::testing::Test {
protected:
  ScratchFolder scratch;
  EnvOverride tmpDir{"TMPDIR", scratch.Narrow()};
  std::string ani = scratch.Narrow("pvk-" + std::to_string(::geteuid()) + "/TarvoAni/");
  std::string own = ani + HexName(static_cast<std::uint64_t>(::getpid())) + "/";
  std::uint64_t offset = kNone;
};

TEST_F(Streamer, AvailableMemoryFileStaysBelowTheCommittedCapacity) {
  // An empty memory file maps one page; a larger one grows exactly to what was asked.
  const struct {
    std::uint64_t before, after, probe;  // bytes added before and after the commit
    int expected;
  } cases[] = {{0, 0, 0, 1},           {100, 0, 4095, 1},      {100, 0, 4096, 0},
               {10000, 6000, 3999, 1}, {10000, 6000, 4000, 0}, {10000, 0, kNone, 0}};
  for (const auto& c : cases) {
    CRndrVDFileStreammer streamer;
    EXPECT_EQ(streamer.AvailableMemoryFile(0), 0);  // nothing committed yet
    ASSERT_NE(streamer.AddStreamBuffer(c.before, offset), nullptr);
    streamer.CommitMaxCapacity();
    ASSERT_NE(streamer.AddStreamBuffer(c.after, offset), nullptr);
    EXPECT_EQ(streamer.AvailableMemoryFile(c.probe), c.expected) << c.before << " " << c.probe;
  }
}

TEST_F(Streamer, BuffersBeyond4GiBWithinTheMemoryFileOnly) {
  CRndrVDFileStreammer streamer;
  EXPECT_EQ(streamer.AddStreamBuffer(kNone, offset), nullptr);  // refused: buffering stays on
  ASSERT_NE(streamer.AddStreamBuffer(k5GiB, offset), nullptr);  // sparse: nothing is written
  char* tail = streamer.AddStreamBuffer(16, offset);
  ASSERT_NE(tail, nullptr);
  EXPECT_EQ(offset, k5GiB);
  EXPECT_EQ(streamer.GetStreamBuffer(16, k5GiB), tail);
  const struct {
    std::uint64_t size, offset;
    bool found;
  } cases[] = {{17, k5GiB, false},    {0, k5GiB + 16, true}, {1, k5GiB + 16, false},
               {k5GiB + 16, 0, true}, {kNone, 1, false},     {1, kNone, false}};
  for (const auto& c : cases)
    EXPECT_EQ(streamer.GetStreamBuffer(c.size, c.offset) != nullptr, c.found) << c.size;

  // Only the last buffer can be taken back; disabling holds until Clear.
  streamer.ReverseStreamBuffer(k5GiB, 0, 1);
  EXPECT_NE(streamer.GetStreamBuffer(16, k5GiB), nullptr);
  streamer.ReverseStreamBuffer(16, k5GiB, 0);
  EXPECT_EQ(streamer.GetStreamBuffer(16, k5GiB), nullptr);
  EXPECT_EQ(streamer.AddStreamBuffer(1, offset), nullptr);
  streamer.Clear();
  // A memory file that cannot grow this far disables buffering; Clear makes it anew.
  EXPECT_EQ(streamer.AddStreamBuffer(std::uint64_t{1} << 62, offset), nullptr);
  EXPECT_EQ(streamer.AddStreamBuffer(1, offset), nullptr);
  streamer.Clear();
  ASSERT_NE(streamer.AddStreamBuffer(8, offset), nullptr);
  EXPECT_EQ(offset, 0u);
}

TEST_F(Streamer, BuffersAndFilesReadBackWhatWasWritten) {
  CRndrVDFileStreammer streamer;
  // Every third item goes to a file; the buffers grow the memory file and move its view.
  const auto bytes = [](std::uint64_t n) {
    std::vector<char> b((n * 7919) % 20000 + n % 2);
    for (std::uint64_t i = 0; i < b.size(); ++i) b[i] = static_cast<char>(n * 31 + i);
    return b;
  };
  std::vector<std::uint64_t> offsets(60, kNone);
  for (std::uint64_t n = 0; n < offsets.size(); ++n) {
    const std::vector<char> b = bytes(n);
    if (n % 3 == 0) {
      CFile* file = streamer.AddStreamFile(b.size(), offsets[n]);
      ASSERT_NE(file, nullptr);
      file->Write(b.data(), static_cast<unsigned>(b.size()));
    } else {
      char* buffer = streamer.AddStreamBuffer(b.size(), offsets[n]);
      ASSERT_NE(buffer, nullptr);
      std::memcpy(buffer, b.data(), b.size());
    }
  }
  for (std::uint64_t n = 0; n < offsets.size(); ++n) {
    const std::vector<char> b = bytes(n);
    std::vector<char> back(b.size() + 1);  // one more: the file must end there
    if (n % 3 == 0) {
      CFile* file = streamer.GetStreamFile(b.size(), offsets[n]);
      ASSERT_NE(file, nullptr);
      file->SeekToBegin();
      back.resize(file->Read(back.data(), static_cast<unsigned>(back.size())));
    } else {
      const char* buffer = streamer.GetStreamBuffer(b.size(), offsets[n]);
      ASSERT_NE(buffer, nullptr);
      back.assign(buffer, buffer + b.size());
    }
    EXPECT_TRUE(back == b) << n;
  }
}

TEST_F(Streamer, StreamFilesAreNamedBySizeAndRunningOffsetBeyond4GiB) {
  CRndrVDFileStreammer streamer;
  const std::uint64_t sizes[] = {100, 200, k5GiB, 7};
  const std::uint64_t offsets[] = {0, 100, 300, 300 + k5GiB};
  for (int i = 0; i < 4; ++i) {
    CFile* file = streamer.AddStreamFile(sizes[i], offset);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(offset, offsets[i]);
    EXPECT_TRUE(Exists(own + StreamFileName(&streamer, sizes[i], offsets[i])));
    EXPECT_EQ(streamer.GetStreamFile(sizes[i], offsets[i]), file);
  }
  EXPECT_EQ(streamer.GetStreamFile(200, 0), nullptr);
  // Ends beyond the largest file offset are refused and change nothing.
  for (const std::uint64_t size : {kNone, std::uint64_t{1} << 63, (std::uint64_t{1} << 63) - 1})
    EXPECT_EQ(streamer.AddStreamFile(size, offset), nullptr) << size;
  ASSERT_NE(streamer.AddStreamFile(1, offset), nullptr);
  EXPECT_EQ(offset, 307 + k5GiB);
}

TEST_F(Streamer, FoldersArePrivateNamesStayInsideAndLinksAreNotWrittenThrough) {
  const std::string host = scratch.Narrow("host");
  const std::string hostOwn = host + "/TarvoAni/" + HexName(static_cast<std::uint64_t>(::getpid()));
  const std::string victim = scratch.Narrow("victim");
  std::ofstream(victim) << "kept";
  fs::create_directories(own);
  fs::create_symlink(victim, own + "frames.mmap");
  {
    CRndrVDFileStreammer planted(nullptr, L"../../frames");
    CRndrVDFileStreammer hosted(CString(std::wstring(host.begin(), host.end())), L"frames");
    fs::create_symlink(victim, own + StreamFileName(&planted, 100, 0));
    EXPECT_EQ(planted.AddStreamFile(100, offset), nullptr);
    EXPECT_NE(planted.AddStreamFile(50, offset), nullptr);  // another name is free
    char* buffer = planted.AddStreamBuffer(4, offset);
    ASSERT_NE(buffer, nullptr);
    std::memcpy(buffer, "lost", 4);
    EXPECT_TRUE(Exists(hostOwn + "/frames.mmap"));
    for (const std::string& folder : {ani, own, host + "/TarvoAni/", hostOwn}) {
      struct stat st;
      ASSERT_EQ(::lstat(folder.c_str(), &st), 0) << folder;
      EXPECT_TRUE(S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700) << folder;
    }
  }
  std::string text;
  std::ifstream(victim) >> text;
  EXPECT_EQ(text, "kept");
  // A host folder whose animation folder is a link is not used at all.
  const std::string linked = scratch.Narrow("linked/");
  fs::create_directories(linked);
  fs::create_directory_symlink(scratch.Narrow(), linked + "TarvoAni");
  CRndrVDFileStreammer refused(CString(std::wstring(linked.begin(), linked.end())), nullptr);
  EXPECT_EQ(refused.AddStreamBuffer(8, offset), nullptr);
  EXPECT_EQ(refused.AddStreamFile(8, offset), nullptr);
}

TEST_F(Streamer, DestructionLeavesNoFiles) {
  auto first = std::make_unique<CRndrVDFileStreammer>();
  auto second = std::make_unique<CRndrVDFileStreammer>(nullptr, L"second");
  for (CRndrVDFileStreammer* streamer : {first.get(), second.get()}) {
    ASSERT_NE(streamer->AddStreamBuffer(5000, offset), nullptr);
    ASSERT_NE(streamer->AddStreamFile(10, offset), nullptr);
  }
  const std::string secondFile = StreamFileName(second.get(), 10, 0);
  first.reset();  // the other streamer of this process keeps its files and the folder
  std::vector<std::string> left;
  for (const fs::directory_entry& entry : fs::directory_iterator(own))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{secondFile, "second.mmap"}));
  second.reset();
  EXPECT_FALSE(Exists(own));
}

TEST_F(Streamer, MakingAStreamerRemovesOnlyFoldersOfEndedProcesses) {
  const std::string outside = scratch.Narrow("outside/");
  const std::string dead = HexName(pvk::test::DeadProcessId());
  // The memory file of an abruptly ended process goes too; other files keep the folder.
  const struct {
    std::string folder;
    std::vector<std::string> files, kept;
  } cases[] = {
      {dead, {"a.mani", "B.MANI.part", "f.mmap"}, {}},
      {HexName(pvk::test::DeadProcessId()), {"a.mani", "notes.txt"}, {"notes.txt"}},
      {"0" + dead, {"a.mani"}, {"a.mani"}},  // 17 digits: no "%p" name
      {HexName(static_cast<std::uint64_t>(::getppid())), {"a.mani"}, {"a.mani"}},
      {"notahex", {"a.mani"}, {"a.mani"}},
  };
  fs::create_directories(outside);
  std::ofstream(outside + "victim.mani") << "x";
  for (const auto& c : cases) {
    fs::create_directories(ani + c.folder);
    for (const std::string& file : c.files) std::ofstream(ani + c.folder + "/" + file) << "x";
  }
  // Links in the place of a process folder and of a stream file are never followed.
  fs::create_directory_symlink(outside, ani + "7FFFFFF0");
  fs::create_symlink(outside + "victim.mani", ani + dead + "/x.mani");

  const CRndrVDFileStreammer streamer;

  for (const auto& c : cases) {
    EXPECT_EQ(Exists(ani + c.folder), !c.kept.empty()) << c.folder;
    for (const std::string& file : c.files)
      EXPECT_EQ(Exists(ani + c.folder + "/" + file),
                std::find(c.kept.begin(), c.kept.end(), file) != c.kept.end())
          << c.folder << "/" << file;
  }
  EXPECT_TRUE(Exists(ani + "7FFFFFF0"));
  EXPECT_TRUE(Exists(outside + "victim.mani"));
}

}  // namespace
