#include "base/BufferedWriteFile.h"

#include <algorithm>

CBufferedWriteFile::~CBufferedWriteFile() {
  try {
    WriteBuffer();
  } catch (const CFileException&) {
    // Nobody is left to report to; callers that care close the file themselves.
  }
}

bool CBufferedWriteFile::Open(const wchar_t* lpszFileName, unsigned nOpenFlags,
                              CFileException* pError) {
  m_nUsed = 0;
  if (!CFile::Open(lpszFileName, nOpenFlags, pError)) return false;
  if (!m_pBuffer) m_pBuffer = std::make_unique<char[]>(kBufferSize);
  return true;
}

void CBufferedWriteFile::WriteSlow(const void* lpBuf, unsigned nCount) {
  WriteBuffer();
  // Large writes go straight to the system, the buffer would only add a copy; a closed file
  // throws there.
  if (!IsOpen() || !m_pBuffer || nCount >= kBufferSize / 2) {
    CFile::Write(lpBuf, nCount);
    return;
  }
  std::memcpy(m_pBuffer.get(), lpBuf, nCount);
  m_nUsed = nCount;
}

void CBufferedWriteFile::WriteBuffer() {
  if (m_nUsed == 0 || !IsOpen()) return;
  const unsigned n = m_nUsed;
  // Dropped even when the write fails: retrying would write the same bytes twice.
  m_nUsed = 0;
  CFile::Write(m_pBuffer.get(), n);
}

unsigned CBufferedWriteFile::Read(void* lpBuf, unsigned nCount) {
  WriteBuffer();
  return CFile::Read(lpBuf, nCount);
}

std::uint64_t CBufferedWriteFile::Seek(std::int64_t lOff, unsigned nFrom) {
  WriteBuffer();
  return CFile::Seek(lOff, nFrom);
}

std::uint64_t CBufferedWriteFile::GetPosition() const { return CFile::GetPosition() + m_nUsed; }

std::uint64_t CBufferedWriteFile::GetLength() const {
  return std::max(CFile::GetLength(), GetPosition());
}

void CBufferedWriteFile::SetLength(std::uint64_t dwNewLen) {
  WriteBuffer();
  CFile::SetLength(dwNewLen);
}

void CBufferedWriteFile::Flush() {
  WriteBuffer();
  CFile::Flush();
}

void CBufferedWriteFile::Close() {
  try {
    WriteBuffer();
  } catch (const CFileException&) {
    CFile::Abort();
    throw;
  }
  CFile::Close();
}

void CBufferedWriteFile::Abort() {
  m_nUsed = 0;
  CFile::Abort();
}
