#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "ScratchFolder.h"
#include "base/BufferedWriteFile.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

constexpr unsigned kOpen = CFile::modeCreate | CFile::modeReadWrite;

// Random writes, seeks and reads give the same answers and the same file as a plain file.
TEST(CBufferedWriteFile, BehavesAsAPlainFile) {
  ScratchFolder dir;
  CBufferedWriteFile buffered;
  CFile plain;
  ASSERT_TRUE(buffered.Open(dir.Wide("b.bin"), kOpen));
  ASSERT_TRUE(plain.Open(dir.Wide("p.bin"), kOpen));
  std::mt19937 rng(11);
  std::string data(200000, '\0');
  for (char& c : data) c = static_cast<char>(rng());
  for (int step = 0; step < 3000; ++step) {
    const unsigned op = rng() % 10;
    if (op < 6) {
      const unsigned n = op == 0 ? 40000 + rng() % 60000 : rng() % 100;
      const unsigned at = rng() % (static_cast<unsigned>(data.size()) - n);
      buffered.Write(data.data() + at, n);
      plain.Write(data.data() + at, n);
    } else if (op < 8) {
      const auto to = static_cast<std::int64_t>(rng() % (plain.GetLength() + 10));
      ASSERT_EQ(buffered.Seek(to, CFile::begin), plain.Seek(to, CFile::begin));
    } else {
      char a[64] = {}, b[64] = {};
      ASSERT_EQ(buffered.Read(a, sizeof(a)), plain.Read(b, sizeof(b)));
      ASSERT_EQ(std::string(a, sizeof(a)), std::string(b, sizeof(b))) << step;
    }
    ASSERT_EQ(buffered.GetPosition(), plain.GetPosition()) << step;
    ASSERT_EQ(buffered.GetLength(), plain.GetLength()) << step;
  }
  buffered.Close();
  plain.Close();
  EXPECT_EQ(ReadAll(dir.Narrow("b.bin")), ReadAll(dir.Narrow("p.bin")));
}

TEST(CBufferedWriteFile, DestructionWritesOutAndAbortDrops) {
  ScratchFolder dir;
  {
    CBufferedWriteFile file;
    ASSERT_TRUE(file.Open(dir.Wide("kept.bin"), kOpen));
    file.Write("abc", 3);
  }
  EXPECT_EQ(ReadAll(dir.Narrow("kept.bin")), "abc");
  CBufferedWriteFile file;
  ASSERT_TRUE(file.Open(dir.Wide("dropped.bin"), kOpen));
  file.Write("abc", 3);
  file.Abort();
  EXPECT_EQ(std::filesystem::file_size(dir.Narrow("dropped.bin")), 0u);
  EXPECT_THROW(file.Write("x", 1), CFileException);
  // A failed write-out surfaces at the close, which still closes.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ASSERT_TRUE(file.Open(L"/dev/full", CFile::modeWrite));
  file.Write("abc", 3);
  EXPECT_THROW(file.Close(), CFileException);
  EXPECT_FALSE(file.IsOpen());
}

}  // namespace
