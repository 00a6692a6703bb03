#pragma once
// A file that collects small writes in a 64 KiB buffer and hands them to the system in one
// call, so that writing many small fields costs about one system call per buffer. Any other
// operation writes the buffer out first, so reads, seeks and lengths see every byte written.
// Writes that fail in the system surface at the call that writes the buffer out (a later
// Write, Seek, Flush or Close); the destructor writes it out and drops errors.
#include <cstdint>
#include <cstring>
#include <memory>

#include "base/File.h"

class CBufferedWriteFile final : public CFile {
public:
  static constexpr unsigned kBufferSize = 64u * 1024u;

  CBufferedWriteFile() = default;
  ~CBufferedWriteFile() override;

  bool Open(const wchar_t* lpszFileName, unsigned nOpenFlags, CFileException* pError = nullptr);

  void Write(const void* lpBuf, unsigned nCount) override {
    if (m_pBuffer && nCount <= kBufferSize - m_nUsed && IsOpen()) {
      std::memcpy(m_pBuffer.get() + m_nUsed, lpBuf, nCount);
      m_nUsed += nCount;
      return;
    }
    WriteSlow(lpBuf, nCount);
  }
  unsigned Read(void* lpBuf, unsigned nCount) override;
  std::uint64_t Seek(std::int64_t lOff, unsigned nFrom) override;
  std::uint64_t GetPosition() const override;
  std::uint64_t GetLength() const override;
  void SetLength(std::uint64_t dwNewLen) override;
  void Flush() override;
  // Writes the buffer out and closes; the file is closed even when that write fails.
  void Close() override;
  // Closes and drops what the buffer holds.
  void Abort() override;

private:
  void WriteSlow(const void* lpBuf, unsigned nCount);
  void WriteBuffer();

  std::unique_ptr<char[]> m_pBuffer;
  unsigned m_nUsed = 0;  // bytes waiting to be written at the descriptor's position
};
