#pragma once
// A read-only file that serves small reads and seeks from a 64 KiB buffer, so that scanning
// many small records costs about one system call per buffer rather than one per read. The
// position is kept here; reads fetch with pread at that position. Large reads bypass the
// buffer. The length is taken once at Open: the file is not expected to change while open.
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/File.h"

class CBufferedFile final : public CFile {
public:
  static constexpr unsigned kBufferSize = 64u * 1024u;

  CBufferedFile() = default;

  // Opens for reading whatever access the flags ask for; never creates the file.
  bool Open(const wchar_t* lpszFileName, unsigned nOpenFlags, CFileException* pError = nullptr);

  // Small reads inside the buffer are served here, inline; the rest in ReadSlow.
  unsigned Read(void* lpBuf, unsigned nCount) override {
    const std::uint64_t offset = m_nPosition - m_nBufferStart;
    if (m_nBufferLen != 0 && m_nPosition >= m_nBufferStart && offset + nCount <= m_nBufferLen) {
      std::memcpy(lpBuf, m_pBuffer.get() + offset, nCount);
      m_nPosition += nCount;
      return nCount;
    }
    return ReadSlow(static_cast<char*>(lpBuf), nCount);
  }
  // Writing a read-only file is refused with accessDenied.
  void Write(const void* lpBuf, unsigned nCount) override;
  std::uint64_t Seek(std::int64_t lOff, unsigned nFrom) override;
  std::uint64_t GetPosition() const override {
    CheckOpenHere();
    return m_nPosition;
  }
  std::uint64_t GetLength() const override {
    CheckOpenHere();
    return m_nLength;
  }
  void Close() override;
  void Abort() override;

private:
  void Reset();
  void CheckOpenHere() const {
    if (!IsOpen()) ThrowNotOpen();
  }
  [[noreturn]] void ThrowNotOpen() const;
  unsigned ReadSlow(char* p, unsigned nCount);
  // Reads from the descriptor at an offset until nCount bytes or the end of the file.
  unsigned ReadAt(std::uint64_t offset, char* p, unsigned nCount) const;
  // Loads the buffer so that it starts at the current position.
  void Fill();

  std::unique_ptr<char[]> m_pBuffer;
  std::uint64_t m_nBufferStart = 0;  // file offset of the buffer's first byte
  unsigned m_nBufferLen = 0;         // valid bytes in the buffer
  std::uint64_t m_nPosition = 0;
  std::uint64_t m_nLength = 0;
};
