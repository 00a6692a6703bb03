#include "base/BufferedFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

bool CBufferedFile::Open(const wchar_t* lpszFileName, unsigned nOpenFlags, CFileException* pError) {
  const unsigned readOnly =
      nOpenFlags & ~static_cast<unsigned>(modeWrite | modeReadWrite | modeCreate | modeNoTruncate);
  if (!CFile::Open(lpszFileName, readOnly, pError)) return false;
  try {
    m_nLength = CFile::GetLength();
  } catch (const CFileException& e) {
    if (pError) *pError = e;
    Abort();
    return false;
  }
  if (!m_pBuffer) m_pBuffer = std::make_unique<char[]>(kBufferSize);
  return true;
}

unsigned CBufferedFile::ReadSlow(char* p, unsigned nCount) {
  CheckOpenHere();
  unsigned done = 0;
  while (done < nCount && m_nPosition < m_nLength) {
    const unsigned want = nCount - done;
    if (m_nPosition < m_nBufferStart || m_nPosition >= m_nBufferStart + m_nBufferLen) {
      // A large read goes straight to the caller's memory.
      if (want >= kBufferSize / 2) {
        const unsigned n = ReadAt(m_nPosition, p + done, want);
        m_nPosition += n;
        done += n;
        break;
      }
      Fill();
      if (m_nBufferLen == 0) break;
    }
    const auto offset = static_cast<unsigned>(m_nPosition - m_nBufferStart);
    const unsigned n = std::min(want, m_nBufferLen - offset);
    std::memcpy(p + done, m_pBuffer.get() + offset, n);
    m_nPosition += n;
    done += n;
  }
  return done;
}

void CBufferedFile::Write(const void*, unsigned) {
  CheckOpenHere();
  throw CFileException(CFileException::accessDenied, EBADF, GetFilePath());
}

std::uint64_t CBufferedFile::Seek(std::int64_t lOff, unsigned nFrom) {
  CheckOpenHere();
  if (nFrom > end) throw CFileException(CFileException::badSeek, EINVAL, GetFilePath());
  const std::uint64_t base = nFrom == begin ? 0 : nFrom == current ? m_nPosition : m_nLength;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  const bool negative = lOff < 0 && static_cast<std::uint64_t>(-(lOff + 1)) + 1 > base;
  const bool overflow = lOff > 0 && static_cast<std::uint64_t>(lOff) > kMax - base;
  if (negative || overflow) throw CFileException(CFileException::badSeek, EINVAL, GetFilePath());
  m_nPosition = base + static_cast<std::uint64_t>(lOff);
  return m_nPosition;
}

void CBufferedFile::Close() {
  Reset();
  CFile::Close();
}

void CBufferedFile::Abort() {
  Reset();
  CFile::Abort();
}

void CBufferedFile::Reset() {
  m_nBufferStart = 0;
  m_nBufferLen = 0;
  m_nPosition = 0;
  m_nLength = 0;
}

void CBufferedFile::ThrowNotOpen() const {
  throw CFileException(CFileException::invalidFile, EBADF, GetFilePath());
}

unsigned CBufferedFile::ReadAt(std::uint64_t offset, char* p, unsigned nCount) const {
  unsigned done = 0;
  while (done < nCount) {
    const ssize_t n =
        ::pread(GetHandle(), p + done, nCount - done, static_cast<off_t>(offset + done));
    if (n == 0) break;
    if (n > 0)
      done += static_cast<unsigned>(n);
    else if (errno != EINTR)
      CFileException::ThrowOsError(errno, GetFilePath());
  }
  return done;
}

void CBufferedFile::Fill() {
  m_nBufferStart = m_nPosition;
  m_nBufferLen = 0;
  m_nBufferLen = ReadAt(m_nPosition, m_pBuffer.get(), kBufferSize);
}
