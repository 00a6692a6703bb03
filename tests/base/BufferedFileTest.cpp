#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "ScratchFolder.h"
#include "base/BufferedFile.h"

namespace {

class CBufferedFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_content.resize(3 * CBufferedFile::kBufferSize + 777);
    std::mt19937 rng(7);
    for (char& c : m_content) c = static_cast<char>(rng());
    std::ofstream(m_dir.Narrow("data.bin"), std::ios::binary)
        .write(m_content.data(), static_cast<std::streamsize>(m_content.size()));
    ASSERT_TRUE(m_file.Open(m_dir.Wide("data.bin"), CFile::modeRead));
    ASSERT_TRUE(m_plain.Open(m_dir.Wide("data.bin"), CFile::modeRead));
  }

  ScratchFolder m_dir;
  std::string m_content;
  CBufferedFile m_file;
  CFile m_plain;
};

TEST_F(CBufferedFileTest, RandomReadsAndSeeksMatchAnUnbufferedFile) {
  std::mt19937 rng(99);
  const auto size = static_cast<std::int64_t>(m_content.size());
  std::vector<char> a(2 * CBufferedFile::kBufferSize), b(a.size());
  for (int step = 0; step < 5000; ++step) {
    switch (rng() % 4) {
      case 0: {
        const std::int64_t to = static_cast<std::int64_t>(rng() % (size + 100));
        ASSERT_EQ(m_file.Seek(to, CFile::begin), m_plain.Seek(to, CFile::begin));
        break;
      }
      case 1: {
        const std::int64_t by = static_cast<std::int64_t>(rng() % 200) - 100;
        if (static_cast<std::int64_t>(m_plain.GetPosition()) + by < 0) break;
        ASSERT_EQ(m_file.Seek(by, CFile::current), m_plain.Seek(by, CFile::current));
        break;
      }
      default: {
        // Mostly small reads, now and then one large enough to bypass the buffer.
        const unsigned n = rng() % 16 == 0 ? static_cast<unsigned>(rng() % a.size())
                                           : static_cast<unsigned>(rng() % 64);
        const unsigned got = m_file.Read(a.data(), n);
        ASSERT_EQ(got, m_plain.Read(b.data(), n));
        ASSERT_EQ(std::string(a.data(), got), std::string(b.data(), got)) << step;
      }
    }
    ASSERT_EQ(m_file.GetPosition(), m_plain.GetPosition());
  }
}

TEST_F(CBufferedFileTest, SeeksFromTheEndAndRefusesNegativePositionsAndWrites) {
  EXPECT_EQ(m_file.GetLength(), m_content.size());
  EXPECT_EQ(m_file.Seek(-3, CFile::end), m_content.size() - 3);
  char tail[8];
  ASSERT_EQ(m_file.Read(tail, 8), 3u);
  EXPECT_EQ(std::string(tail, 3), m_content.substr(m_content.size() - 3));
  EXPECT_EQ(m_file.Read(tail, 8), 0u);
  EXPECT_EQ(m_file.Seek(-static_cast<std::int64_t>(m_content.size()), CFile::end), 0u);
  EXPECT_THROW(m_file.Seek(-1, CFile::begin), CFileException);
  EXPECT_THROW(m_file.Seek(INT64_MIN, CFile::current), CFileException);
  EXPECT_THROW(m_file.Seek(INT64_MAX, CFile::end), CFileException);
  EXPECT_THROW(m_file.Write("x", 1), CFileException);
  m_file.Close();
  EXPECT_FALSE(m_file.IsOpen());
  EXPECT_THROW(m_file.Read(tail, 1), CFileException);
}

}  // namespace
