#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/ScratchFolder.h"
#include "datastore/InputMemoryFile.h"
#include "datastore/MemoryFile.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::int64_t LengthOf(int fd) {
  struct stat st;
  return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

std::string Contents(const CMemoryFile& file) { return std::string(file.data(), file.size()); }

// Read through a separate descriptor.
char ByteOnDisk(const std::string& path, std::uint64_t offset) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  char c = 0;
  if (fd < 0 || ::pread(fd, &c, 1, static_cast<off_t>(offset)) != 1) c = '\0';
  if (fd >= 0) ::close(fd);
  return c;
}

TEST(MemoryFile, OpenModesCreateOpenAndTruncateAsAskedAndRemoveTheFileWhenDone) {
  using M = CMemoryFile;
  ScratchFolder dir;
  const std::string narrow = dir.Narrow("m.bin");
  const struct {
    M::e_open_mode mode;
    const char* before;    // the file's contents, null: no file
    const char* contents;  // null: not opened
    std::uint64_t capacity;
  } cases[] = {{M::open_existing, nullptr, nullptr, 0},
               {M::truncate_existing, nullptr, nullptr, 0},
               {M::create_new, nullptr, "", 4096},
               {M::open_always, nullptr, "", 4096},
               {M::create_always, nullptr, "", 4096},
               {M::open_existing, "kept", "kept", 4},
               {M::open_always, "kept", "kept", 4},
               {M::truncate_existing, "gone", "", 4096},
               {M::create_always, "gone", "", 4096},
               {M::create_new, "taken", nullptr, 0},
               {static_cast<M::e_open_mode>(5), "taken", nullptr, 0}};
  for (const auto& c : cases) {
    std::filesystem::remove(narrow);
    if (c.before) WriteFile(narrow, c.before);
    {
      const CMemoryFile file(dir.Wide("m.bin"), c.mode);
      ASSERT_EQ(file.data() != nullptr, c.contents != nullptr) << c.mode;
      EXPECT_EQ(file.capacity(), c.capacity) << c.mode;
      EXPECT_EQ(file.size(), c.contents ? std::strlen(c.contents) : 0u) << c.mode;
      if (c.contents) {
        EXPECT_EQ(Contents(file), c.contents) << c.mode;
      }
    }
    // An opened file is removed when done; one that was not opened is left as it was.
    EXPECT_EQ(std::filesystem::exists(narrow), !c.contents && c.before) << c.mode;
  }
  EXPECT_EQ(CMemoryFile(nullptr, CMemoryFile::open_always).data(), nullptr);
  EXPECT_EQ(CMemoryFile(dir.Wide(), CMemoryFile::open_existing).data(), nullptr);
}

TEST(MemoryFile, GrowthRemapsToExactlyTheAskedSizeKeepingTheDataBeyondFourGibibytes) {
  ScratchFolder dir;
  CMemoryFile file(dir.Wide("g.bin"), CMemoryFile::create_new);
  ASSERT_TRUE(file.resize(11));
  std::memcpy(file.data(), "hello world", 11);
  char* const before = file.data();

  EXPECT_TRUE(file.reserve(4096));  // not above the capacity: nothing moves
  EXPECT_EQ(file.data(), before);
  EXPECT_EQ(file.capacity(), 4096u);
  EXPECT_EQ(file.size(), 11u);

  ASSERT_TRUE(file.resize(3 * 4096 + 5));
  EXPECT_EQ(file.capacity(), 3 * 4096u + 5);
  EXPECT_EQ(file.size(), 3 * 4096u + 5);
  EXPECT_EQ(std::string(file.data(), 11), "hello world");
  file.data()[file.size() - 1] = 'z';
  EXPECT_TRUE(file.flush());
  EXPECT_EQ(ByteOnDisk(dir.Narrow("g.bin"), 3 * 4096 + 4), 'z');
  // The room is taken when growing, so a full disk fails the growth instead of a later write.
  struct stat st;
  ASSERT_EQ(::stat(dir.Narrow("g.bin").c_str(), &st), 0);
  EXPECT_GE(static_cast<std::uint64_t>(st.st_blocks) * 512, file.capacity());
  // Sizes beyond four gibibytes are mapped.
  CMemoryFile big(dir.Wide("big.bin"), CMemoryFile::create_new);
  constexpr std::uint64_t kBig = (std::uint64_t{5} << 30) + 3;
  ASSERT_TRUE(big.resize(kBig));
  EXPECT_EQ(big.capacity(), kBig);
  big.data()[kBig - 1] = 'q';
  EXPECT_EQ(ByteOnDisk(dir.Narrow("big.bin"), kBig - 1), 'q');
}

TEST(MemoryFile, DestructionCutsTheFileToItsSize) {
  ScratchFolder dir;
  const std::string narrow = dir.Narrow("t.bin");
  int fd = -1;
  {
    CMemoryFile file(dir.Wide("t.bin"), CMemoryFile::create_always);
    ASSERT_TRUE(file.resize(10000));
    ASSERT_TRUE(file.resize(6));  // below the capacity: only the size changes
    EXPECT_EQ(file.capacity(), 10000u);
    std::memcpy(file.data(), "abcdef", 6);
    fd = ::open(narrow.c_str(), O_RDONLY);  // a second handle sees the file after removal
    ASSERT_GE(fd, 0);
    EXPECT_EQ(LengthOf(fd), 10000);
  }
  EXPECT_FALSE(std::filesystem::exists(narrow));
  EXPECT_EQ(LengthOf(fd), 6);
  char text[6] = {};
  EXPECT_EQ(::pread(fd, text, 6, 0), 6);
  EXPECT_EQ(std::string(text, 6), "abcdef");
  ::close(fd);
}

TEST(InputMemoryFile, MapsAWholeExistingFileAndLeavesIt) {
  ScratchFolder dir;
  const std::string narrow = dir.Narrow("in.bin");
  WriteFile(narrow, std::string("a\0b", 3));
  {
    const CInputMemoryFile file(dir.Wide("in.bin"));
    ASSERT_EQ(file.size(), 3u);
    EXPECT_EQ(std::string(file.data(), 3), std::string("a\0b", 3));
  }
  EXPECT_TRUE(std::filesystem::exists(narrow));

  WriteFile(narrow, "");
  for (const char* name : {"in.bin", "none.bin"}) {  // empty, missing
    const CInputMemoryFile file(dir.Wide(name));
    EXPECT_EQ(file.data(), nullptr) << name;
    EXPECT_EQ(file.size(), 0u) << name;
  }
}

}  // namespace
