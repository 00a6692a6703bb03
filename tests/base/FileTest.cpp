#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cwchar>
#include <fstream>
#include <thread>

#include "ScratchFolder.h"
#include "base/File.h"

namespace {

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string ReadAll(CFile& f) {
  std::string s(static_cast<std::size_t>(f.GetLength()), '\0');
  f.SeekToBegin();
  s.resize(f.Read(s.data(), static_cast<unsigned>(s.size())));
  return s;
}

template <class F>
CFileException Caught(F&& f) {
  try {
    f();
  } catch (const CFileException& e) {
    return e;
  }
  ADD_FAILURE() << "no CFileException";
  return CFileException();
}

TEST(CFile, ReadGathersShortReadsUntilTheCountIsMet) {
  // A pipe hands out at most its buffer per read.
  ScratchFolder dir;
  const std::string fifo = dir.Narrow("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::vector<char> sent(256 * 1024);
  for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<char>(i * 7);
  std::thread writer([&] {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    for (std::size_t done = 0; fd >= 0 && done < sent.size();) {
      const ssize_t n = ::write(fd, sent.data() + done, sent.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
  });
  CFile f(dir.Wide("fifo"), CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary);
  std::vector<char> got(sent.size() + 16);
  EXPECT_EQ(f.Read(got.data(), static_cast<unsigned>(got.size())), sent.size());
  writer.join();
  got.resize(sent.size());
  EXPECT_EQ(got, sent);
}

// A read is short at the end and zero after it.
TEST(CFile, SeekBeyondTheEndIsAllowedAndANegativePositionIsNot) {
  ScratchFolder dir;
  CFile f(dir.Wide("seek.bin"), CFile::modeCreate | CFile::modeReadWrite);
  f.Write("0123456789", 10);
  f.SeekToBegin();
  char buf[32] = {};
  EXPECT_EQ(f.Read(buf, 4), 4u);
  EXPECT_EQ(f.Read(buf, sizeof buf), 6u);
  EXPECT_EQ(std::string(buf, 6), "456789");
  EXPECT_EQ(f.Read(buf, sizeof buf), 0u);
  EXPECT_EQ(f.GetPosition(), 10u);
  EXPECT_EQ(f.Seek(100, CFile::begin), 100u);
  EXPECT_EQ(f.Read(buf, 1), 0u);
  EXPECT_EQ(f.GetLength(), 10u);
  f.Write("x", 1);
  EXPECT_EQ(f.GetLength(), 101u);
  EXPECT_EQ(f.Seek(-5, CFile::end), 96u);
  EXPECT_EQ(f.Seek(2, CFile::current), 98u);

  for (auto [off, from] :
       {std::pair{-1, CFile::begin}, {-200, CFile::current}, {-102, CFile::end}}) {
    const CFileException e = Caught([&, off = off, from = from] { f.Seek(off, from); });
    EXPECT_EQ(e.m_cause, CFileException::badSeek);
    EXPECT_EQ(e.m_lOsError, EINVAL);
    EXPECT_EQ(e.m_strFileName, dir.Wide("seek.bin"));
  }
  EXPECT_EQ(Caught([&] { f.Seek(0, 3); }).m_cause, CFileException::badSeek);
  EXPECT_EQ(f.GetPosition(), 98u);
}

TEST(CFile, SetLengthCutsOrExtendsAndCreateTruncatesUnlessAskedNotTo) {
  ScratchFolder dir;
  CFile f(dir.Wide("len.bin"), CFile::modeCreate | CFile::modeReadWrite);
  f.Write("abcdefgh", 8);
  f.SetLength(3);
  EXPECT_EQ(f.GetPosition(), 3u);
  f.SetLength(6);
  EXPECT_EQ(f.SeekToEnd(), 6u);
  EXPECT_EQ(ReadAll(f), std::string("abc\0\0\0", 6));
  f.Close();
  ASSERT_TRUE(f.Open(dir.Wide("len.bin"),
                     CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
  EXPECT_EQ(ReadAll(f), std::string("abc\0\0\0", 6));
  f.Close();
  ASSERT_TRUE(f.Open(dir.Wide("len.bin"), CFile::modeCreate | CFile::modeWrite));
  EXPECT_EQ(f.GetLength(), 0u);
}

TEST(CFile, OpenKnowsItsAbsolutePathAndDoesNotLeakTheDescriptor) {
  ScratchFolder dir;
  ASSERT_EQ(::mkdir(dir.Narrow("sub").c_str(), 0700), 0);
  CFile f;
  ASSERT_TRUE(f.Open(dir.Wide("sub/../data.tkvp"), CFile::modeCreate | CFile::modeWrite));
  EXPECT_EQ(f.GetFilePath(), dir.Wide("data.tkvp"));
  EXPECT_EQ(f.GetFileName(), L"data.tkvp");
  EXPECT_EQ(f.GetFileTitle(), L"data");
  EXPECT_TRUE(::fcntl(f.GetHandle(), F_GETFD) & FD_CLOEXEC);
  f.Close();
  EXPECT_FALSE(f.IsOpen());
  EXPECT_TRUE(f.GetFilePath().IsEmpty());
  f.Close();  // closing twice does nothing
}

TEST(CFileException, FailedOpenCarriesCauseErrnoAndName) {
  ScratchFolder dir;
  WriteText(dir.Narrow("plain"), "x");
  struct Case {
    std::string name;
    unsigned flags;
    int cause;
    int err;
  } cases[] = {
      {"missing.bin", CFile::modeRead, CFileException::fileNotFound, ENOENT},
      {"plain/below", CFile::modeRead, CFileException::badPath, ENOTDIR},
      {"", CFile::modeReadWrite, CFileException::accessDenied, EISDIR},  // the folder itself
      {"", CFile::modeRead, CFileException::accessDenied, EISDIR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(dir.Wide(c.name), c.flags, &e));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(e.m_cause, c.cause);
    EXPECT_EQ(e.m_lOsError, c.err);
    EXPECT_EQ(e.m_strFileName, dir.Wide(c.name));
    const CFileException thrown = Caught([&] { CFile g(dir.Wide(c.name), c.flags); });
    EXPECT_EQ(thrown.m_cause, c.cause);
  }
}

TEST(CFileException, WriteRemoveAndRenameFailuresNameTheFile) {
  ScratchFolder dir;
  WriteText(dir.Narrow("ro.bin"), "abc");
  CFile ro(dir.Wide("ro.bin"), CFile::modeRead);
  const CFileException denied = Caught([&] { ro.Write("x", 1); });
  EXPECT_EQ(denied.m_cause, CFileException::accessDenied);
  EXPECT_EQ(denied.m_lOsError, EBADF);
  EXPECT_EQ(denied.m_strFileName, dir.Wide("ro.bin"));

  CFile full(L"/dev/full", CFile::modeWrite);
  const CFileException noSpace = Caught([&] { full.Write("x", 1); });
  EXPECT_EQ(noSpace.m_cause, CFileException::diskFull);
  EXPECT_EQ(noSpace.m_lOsError, ENOSPC);

  CFile closed;
  char c;
  EXPECT_EQ(Caught([&] { closed.Read(&c, 1); }).m_cause, CFileException::invalidFile);
  // Remove and rename throw on failure.
  WriteText(dir.Narrow("a"), "payload");
  CFile::Rename(dir.Wide("a"), dir.Wide("b"));
  {
    CFile f(dir.Wide("b"), CFile::modeRead);
    EXPECT_EQ(ReadAll(f), "payload");
  }
  const CFileException gone = Caught([&] { CFile::Rename(dir.Wide("a"), dir.Wide("c")); });
  EXPECT_EQ(gone.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(gone.m_strFileName, dir.Wide("a"));
  CFile::Remove(dir.Wide("b"));
  EXPECT_NE(::access(dir.Narrow("b").c_str(), F_OK), 0);
  EXPECT_EQ(Caught([&] { CFile::Remove(dir.Wide("b")); }).m_cause, CFileException::fileNotFound);
  ASSERT_EQ(::mkdir(dir.Narrow("folder").c_str(), 0700), 0);
  EXPECT_EQ(Caught([&] { CFile::Remove(dir.Wide("folder")); }).m_cause,
            CFileException::accessDenied);
}

TEST(CFileException, ErrorMessageIsCutSafely) {
  const CFileException e(CFileException::fileNotFound, ENOENT, L"/data/model.tkvp");
  wchar_t buf[256];
  unsigned help = 99;
  ASSERT_EQ(e.GetErrorMessage(buf, 256, &help), 1);
  const std::wstring full = buf;
  EXPECT_EQ(help, static_cast<unsigned>(CFileException::fileNotFound));
  EXPECT_NE(full.find(L"/data/model.tkvp"), std::wstring::npos);
  EXPECT_NE(full.find(L"No such file or directory"), std::wstring::npos);
  EXPECT_EQ(full.find(L"File not found"), 0u);

  wchar_t small[8];
  std::wmemset(small, L'#', 8);
  ASSERT_EQ(e.GetErrorMessage(small, 8), 1);
  EXPECT_EQ(std::wstring(small), full.substr(0, 7));
  ASSERT_EQ(e.GetErrorMessage(small, 1), 1);
  EXPECT_EQ(small[0], L'\0');
  small[0] = L'#';
  EXPECT_EQ(e.GetErrorMessage(small, 0), 0);
  EXPECT_EQ(small[0], L'#');
  EXPECT_EQ(e.GetErrorMessage(nullptr, 8), 0);
}

}  // namespace
