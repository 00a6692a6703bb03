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
using pvk::test::DeadProcessId;
using pvk::test::HexName;

constexpr std::uint64_t kNone = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t k5GiB = 5ull << 30;

std::string Narrow(const CString& text) {
  return std::string(text.str().begin(), text.str().end());
}

CString Wide(const std::string& text) { return CString(std::wstring(text.begin(), text.end())); }

std::string StreamFileName(const void* streamer, std::uint64_t size, std::uint64_t offset) {
  CString name;
  name.Format(L"%p_%llu_%llu.mani", streamer, size, offset);
  return Narrow(name);
}

bool Exists(const std::string& path) { return fs::exists(fs::symlink_status(path)); }

void Touch(const std::string& path, const char* text = "x") { std::ofstream(path) << text; }

std::string ReadText(const std::string& path) {
  std::string text;
  std::getline(std::ifstream(path), text);
  return text;
}

unsigned char Pattern(std::uint64_t item, std::uint64_t i) {
  return static_cast<unsigned char>(item * 31 + i * 7);
}

// The temporary folder lies in a scratch folder, so nothing reaches the real one.
class Streamer : public ::testing::Test {
protected:
  ScratchFolder scratch;
  EnvOverride tmpDir{"TMPDIR", scratch.Narrow()};
  std::string ani = scratch.Narrow("pvk-" + std::to_string(::geteuid()) + "/TarvoAni/");
  std::string own = ani + HexName(static_cast<std::uint64_t>(::getpid())) + "/";
};

TEST_F(Streamer, AvailableMemoryFileStaysBelowTheCommittedCapacity) {
  struct Case {
    std::uint64_t before, after, probe;  // bytes added before and after the commit
    int expected;
  };
  // An empty memory file maps one page; a larger one grows exactly to what was asked.
  const Case cases[] = {{0, 0, 0, 1},           {100, 0, 4095, 1},      {100, 0, 4096, 0},
                        {10000, 6000, 3999, 1}, {10000, 6000, 4000, 0}, {10000, 0, kNone, 0}};
  for (const Case& c : cases) {
    CRndrVDFileStreammer streamer;
    std::uint64_t offset = 0;
    EXPECT_EQ(streamer.AvailableMemoryFile(0), 0);  // nothing committed yet
    ASSERT_NE(streamer.AddStreamBuffer(c.before, offset), nullptr);
    streamer.CommitMaxCapacity();
    ASSERT_NE(streamer.AddStreamBuffer(c.after, offset), nullptr);
    EXPECT_EQ(streamer.AvailableMemoryFile(c.probe), c.expected) << c.before << " " << c.probe;
  }
}

TEST_F(Streamer, GetStreamBufferOnlyWithinTheMemoryFile) {
  CRndrVDFileStreammer streamer;
  std::uint64_t first = kNone, second = kNone;
  ASSERT_NE(streamer.AddStreamBuffer(3000, first), nullptr);
  char* const last = streamer.AddStreamBuffer(2000, second);  // grows past the first page
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(second, 3000u);
  EXPECT_EQ(streamer.GetStreamBuffer(2000, 3000), last);
  struct Case {
    std::uint64_t size, offset;
    bool found;
  };
  const Case cases[] = {{5000, 0, true},  {2001, 3000, false}, {0, 5000, true},
                        {1, 5000, false}, {kNone, 1, false},   {1, kNone, false}};
  for (const Case& c : cases)
    EXPECT_EQ(streamer.GetStreamBuffer(c.size, c.offset) != nullptr, c.found)
        << c.size << " at " << c.offset;
}

TEST_F(Streamer, ReverseTakesBackOnlyTheLastBufferAndDisablesUntilClear) {
  CRndrVDFileStreammer streamer;
  std::uint64_t offset = 0;
  ASSERT_NE(streamer.AddStreamBuffer(100, offset), nullptr);
  ASSERT_NE(streamer.AddStreamBuffer(50, offset), nullptr);
  streamer.ReverseStreamBuffer(100, 0, 1);  // not the last buffer
  EXPECT_NE(streamer.GetStreamBuffer(50, 100), nullptr);
  streamer.ReverseStreamBuffer(50, 100, 0);
  EXPECT_EQ(streamer.GetStreamBuffer(50, 100), nullptr);
  EXPECT_EQ(streamer.AddStreamBuffer(10, offset), nullptr);
  streamer.Clear();
  ASSERT_NE(streamer.AddStreamBuffer(10, offset), nullptr);
  EXPECT_EQ(offset, 0u);
}

TEST_F(Streamer, BuffersAndFilesReadBackWhatWasWritten) {
  CRndrVDFileStreammer streamer;
  struct Item {
    bool inFile;
    std::uint64_t size, offset;
  };
  std::vector<Item> items;
  for (std::uint64_t n = 0; n < 60; ++n) {
    Item item{n % 3 == 0, (n * 7919) % 20000 + (n % 4 == 1 ? 0 : 1), kNone};
    std::vector<char> bytes(item.size);
    for (std::uint64_t i = 0; i < item.size; ++i) bytes[i] = static_cast<char>(Pattern(n, i));
    if (item.inFile) {
      CFile* file = streamer.AddStreamFile(item.size, item.offset);
      ASSERT_NE(file, nullptr) << n;
      file->Write(bytes.data(), static_cast<unsigned>(item.size));
    } else {
      char* buffer = streamer.AddStreamBuffer(item.size, item.offset);
      ASSERT_NE(buffer, nullptr) << n;
      std::memcpy(buffer, bytes.data(), item.size);
    }
    items.push_back(item);
  }
  for (std::uint64_t n = 0; n < items.size(); ++n) {
    const Item& item = items[n];
    std::vector<char> bytes(item.size);
    if (item.inFile) {
      CFile* file = streamer.GetStreamFile(item.size, item.offset);
      ASSERT_NE(file, nullptr) << n;
      file->SeekToBegin();
      ASSERT_EQ(file->Read(bytes.data(), static_cast<unsigned>(item.size) + 1), item.size);
    } else {
      const char* buffer = streamer.GetStreamBuffer(item.size, item.offset);
      ASSERT_NE(buffer, nullptr) << n;
      std::memcpy(bytes.data(), buffer, item.size);
    }
    for (std::uint64_t i = 0; i < item.size; ++i)
      ASSERT_EQ(static_cast<unsigned char>(bytes[i]), Pattern(n, i)) << n << " byte " << i;
  }
}

TEST_F(Streamer, StreamFilesAreNamedBySizeAndRunningOffsetBeyond4GiB) {
  CRndrVDFileStreammer streamer;
  const std::uint64_t sizes[] = {100, 200, k5GiB, 7};
  const std::uint64_t offsets[] = {0, 100, 300, 300 + k5GiB};
  for (int i = 0; i < 4; ++i) {
    std::uint64_t offset = kNone;
    CFile* file = streamer.AddStreamFile(sizes[i], offset);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(offset, offsets[i]);
    EXPECT_EQ(file->GetFilePath(), Wide(own + StreamFileName(&streamer, sizes[i], offsets[i])));
    EXPECT_EQ(streamer.GetStreamFile(sizes[i], offsets[i]), file);
    EXPECT_TRUE(Exists(own + StreamFileName(&streamer, sizes[i], offsets[i])));
  }
  EXPECT_EQ(streamer.GetStreamFile(200, 0), nullptr);
  // Ends beyond the largest file offset are refused and change nothing.
  std::uint64_t offset = kNone;
  for (const std::uint64_t size : {kNone, std::uint64_t{1} << 63, (std::uint64_t{1} << 63) - 1})
    EXPECT_EQ(streamer.AddStreamFile(size, offset), nullptr) << size;
  ASSERT_NE(streamer.AddStreamFile(1, offset), nullptr);
  EXPECT_EQ(offset, 307 + k5GiB);
}

TEST_F(Streamer, BufferOffsetsBeyond4GiBAndRefusedRequests) {
  CRndrVDFileStreammer streamer;
  std::uint64_t offset = kNone;
  EXPECT_EQ(streamer.AddStreamBuffer(kNone, offset), nullptr);  // refused: buffering stays on
  ASSERT_NE(streamer.AddStreamBuffer(k5GiB, offset), nullptr);  // sparse: nothing is written
  char* tail = streamer.AddStreamBuffer(16, offset);
  ASSERT_NE(tail, nullptr);
  EXPECT_EQ(offset, k5GiB);
  std::memcpy(tail, "0123456789abcdef", 16);
  const char* back = streamer.GetStreamBuffer(16, k5GiB);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::string(back, 16), "0123456789abcdef");
  EXPECT_EQ(streamer.AddStreamBuffer(kNone - k5GiB, offset), nullptr);

  // A memory file that cannot grow this far disables buffering until Clear.
  EXPECT_EQ(streamer.AddStreamBuffer(std::uint64_t{1} << 62, offset), nullptr);
  EXPECT_EQ(streamer.AddStreamBuffer(1, offset), nullptr);
  streamer.Clear();
  ASSERT_NE(streamer.AddStreamBuffer(8, offset), nullptr);
  EXPECT_EQ(offset, 0u);
}

TEST_F(Streamer, APlantedLinkIsNeverWrittenThrough) {
  const std::string victim = scratch.Narrow("victim");
  Touch(victim, "kept");
  fs::create_directories(own);
  fs::create_symlink(victim, own + "frames.mmap");
  CRndrVDFileStreammer streamer(nullptr, L"frames");
  fs::create_symlink(victim, own + StreamFileName(&streamer, 100, 0));
  std::uint64_t offset = kNone;
  EXPECT_EQ(streamer.AddStreamFile(100, offset), nullptr);
  EXPECT_NE(streamer.AddStreamFile(50, offset), nullptr);  // another name is free
  char* buffer = streamer.AddStreamBuffer(4, offset);
  ASSERT_NE(buffer, nullptr);
  std::memcpy(buffer, "lost", 4);
  EXPECT_EQ(ReadText(victim), "kept");
}

TEST_F(Streamer, FoldersArePrivateAndNamesStayInside) {
  const std::string host = scratch.Narrow("host");
  const std::string hostOwn = host + "/TarvoAni/" + HexName(static_cast<std::uint64_t>(::getpid()));
  {
    CRndrVDFileStreammer escaping(nullptr, L"../../escape");
    CRndrVDFileStreammer hosted(Wide(host), L"frames");
    CRndrVDFileStreammer unnamed;
    EXPECT_TRUE(Exists(own + "escape.mmap"));
    EXPECT_TRUE(Exists(hostOwn + "/frames.mmap"));
    CString name;
    name.Format(L"%p_%p.mmap", static_cast<std::uint64_t>(::getpid()), &unnamed);
    EXPECT_TRUE(Exists(own + Narrow(name)));
    for (const std::string& folder : {ani, own, host + "/TarvoAni/", hostOwn}) {
      struct stat st;
      ASSERT_EQ(::lstat(folder.c_str(), &st), 0) << folder;
      EXPECT_TRUE(S_ISDIR(st.st_mode) && (st.st_mode & 0777) == 0700) << folder;
    }
  }
  // A host folder whose animation folder is a link is not used at all.
  const std::string linked = scratch.Narrow("linked/");
  const std::string outside = scratch.Narrow("outside/");
  fs::create_directories(linked);
  fs::create_directories(outside);
  fs::create_directory_symlink(outside, linked + "TarvoAni");
  CRndrVDFileStreammer refused(Wide(linked), L"frames");
  std::uint64_t offset = 0;
  EXPECT_EQ(refused.AddStreamBuffer(8, offset), nullptr);
  EXPECT_EQ(refused.AddStreamFile(8, offset), nullptr);
  EXPECT_TRUE(fs::is_empty(outside));
}

TEST_F(Streamer, DestructionLeavesNoFiles) {
  std::uint64_t offset = 0;
  auto first = std::make_unique<CRndrVDFileStreammer>();
  auto second = std::make_unique<CRndrVDFileStreammer>(nullptr, L"second");
  for (CRndrVDFileStreammer* streamer : {first.get(), second.get()}) {
    ASSERT_NE(streamer->AddStreamBuffer(5000, offset), nullptr);
    ASSERT_NE(streamer->AddStreamFile(10, offset), nullptr);
  }
  const std::string secondFile = StreamFileName(second.get(), 10, 0);
  first.reset();
  // The other streamer of this process keeps its files and the folder.
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
  const std::string dead = HexName(DeadProcessId());
  struct Case {
    std::string folder;
    std::vector<std::string> files;
    bool folderKept;
    std::vector<std::string> filesKept;
  };
  // The memory file of an abruptly ended process goes too; other files keep the folder.
  const Case cases[] = {
      {dead, {"a.mani", "B.MANI.part", "f.mmap"}, false, {}},
      {HexName(DeadProcessId()), {"a.mani", "notes.txt"}, true, {"notes.txt"}},
      {"0" + dead, {"a.mani"}, true, {"a.mani"}},  // 17 digits: no "%p" name
      {HexName(static_cast<std::uint64_t>(::getppid())), {"a.mani"}, true, {"a.mani"}},
      {"notahex", {"a.mani"}, true, {"a.mani"}},
  };
  fs::create_directories(ani);
  fs::create_directories(outside);
  Touch(outside + "victim.mani");
  for (const Case& c : cases) {
    fs::create_directory(ani + c.folder);
    for (const std::string& file : c.files) Touch(ani + c.folder + "/" + file);
  }
  // Links in the place of a process folder and of a stream file are never followed.
  fs::create_directory_symlink(outside, ani + "7FFFFFF0");
  fs::create_symlink(outside + "victim.mani", ani + dead + "/x.mani");

  CRndrVDFileStreammer streamer;

  for (const Case& c : cases) {
    EXPECT_EQ(Exists(ani + c.folder), c.folderKept) << c.folder;
    for (const std::string& file : c.files)
      EXPECT_EQ(Exists(ani + c.folder + "/" + file),
                std::find(c.filesKept.begin(), c.filesKept.end(), file) != c.filesKept.end())
          << c.folder << "/" << file;
  }
  EXPECT_TRUE(Exists(ani + "7FFFFFF0"));
  EXPECT_TRUE(Exists(outside + "victim.mani"));
}

}  // namespace
