#include "base/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "base/ConvertString.h"
#include "base/FileCtrl.h"

static_assert(sizeof(off_t) == 8, "64-bit file offsets are required");

namespace {

std::string Narrow(const wchar_t* path) {
  return zar::lib::MConvertString::ToMultiByte(path ? path : L"", CP_UTF8);
}

// Returns the descriptor, or -1 with errno set.
int OpenDescriptor(const std::string& path, unsigned nOpenFlags) {
  static constexpr int kAccess[] = {O_RDONLY, O_WRONLY, O_RDWR};
  const unsigned access = nOpenFlags & 3u;
  if (access > CFile::modeReadWrite) {
    errno = EINVAL;
    return -1;
  }
  int flags = kAccess[access] | O_CLOEXEC;
  if (nOpenFlags & CFile::modeCreate) {
    flags |= O_CREAT;
    if (!(nOpenFlags & CFile::modeNoTruncate)) flags |= O_TRUNC;
  }
  int fd;
  do fd = ::open(path.c_str(), flags, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  // Linux opens a folder for reading; a file object never stands for one.
  struct stat st;
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  return fd;
}

}  // namespace

CFile::CFile(const wchar_t* lpszFileName, unsigned nOpenFlags) {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error)) throw error;
}

CFile::~CFile() { Abort(); }

bool CFile::Open(const wchar_t* lpszFileName, unsigned nOpenFlags, CFileException* pError) {
  Abort();
  const CString path = zar::lib::MFileCtrl::GetFilePathNameExt(lpszFileName);
  const int fd = OpenDescriptor(Narrow(lpszFileName), nOpenFlags);
  if (fd < 0) {
    const int err = errno;
    if (pError) *pError = CFileException(CFileException::OsErrorToException(err), err, path);
    return false;
  }
  m_hFile = fd;
  m_strFileName = path;
  return true;
}

unsigned CFile::Read(void* lpBuf, unsigned nCount) {
  CheckOpen();
  auto* p = static_cast<char*>(lpBuf);
  unsigned done = 0;
  while (done < nCount) {
    const ssize_t n = ::read(m_hFile, p + done, nCount - done);
    if (n == 0) break;
    if (n > 0)
      done += static_cast<unsigned>(n);
    else if (errno != EINTR)
      ThrowErrno(errno);
  }
  return done;
}

void CFile::Write(const void* lpBuf, unsigned nCount) {
  CheckOpen();
  const auto* p = static_cast<const char*>(lpBuf);
  while (nCount > 0) {
    const ssize_t n = ::write(m_hFile, p, nCount);
    if (n > 0) {
      p += n;
      nCount -= static_cast<unsigned>(n);
    } else if (n == 0) {
      ThrowErrno(ENOSPC);  // no progress: the device takes no more
    } else if (errno != EINTR) {
      ThrowErrno(errno);
    }
  }
}

std::uint64_t CFile::Seek(std::int64_t lOff, unsigned nFrom) {
  CheckOpen();
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (nFrom > end) throw CFileException(CFileException::badSeek, EINVAL, m_strFileName);
  const off_t pos = ::lseek(m_hFile, lOff, kWhence[nFrom]);
  if (pos < 0) {
    const int err = errno;
    // EINVAL here means a negative position.
    const int cause =
        err == EINVAL ? CFileException::badSeek : CFileException::OsErrorToException(err);
    throw CFileException(cause, err, m_strFileName);
  }
  return static_cast<std::uint64_t>(pos);
}

std::uint64_t CFile::GetPosition() const {
  CheckOpen();
  const off_t pos = ::lseek(m_hFile, 0, SEEK_CUR);
  if (pos < 0) ThrowErrno(errno);
  return static_cast<std::uint64_t>(pos);
}

std::uint64_t CFile::GetLength() const {
  CheckOpen();
  struct stat st;
  if (::fstat(m_hFile, &st) != 0) ThrowErrno(errno);
  return static_cast<std::uint64_t>(st.st_size);
}

void CFile::SetLength(std::uint64_t dwNewLen) {
  CheckOpen();
  if (dwNewLen > static_cast<std::uint64_t>(INT64_MAX)) ThrowErrno(EFBIG);
  if (::ftruncate(m_hFile, static_cast<off_t>(dwNewLen)) != 0) ThrowErrno(errno);
  Seek(static_cast<std::int64_t>(dwNewLen), begin);
}

void CFile::Flush() {
  CheckOpen();
  // Descriptors that cannot be synchronised (pipes, some special files) have nothing to flush.
  if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) ThrowErrno(errno);
}

void CFile::Close() {
  if (!IsOpen()) return;
  const int fd = std::exchange(m_hFile, hFileNull);
  const CString name = std::exchange(m_strFileName, CString());
  // Linux releases the descriptor even when close reports EINTR, so it is never retried.
  if (::close(fd) != 0 && errno != EINTR) CFileException::ThrowOsError(errno, name);
}

void CFile::Abort() {
  if (IsOpen()) ::close(m_hFile);
  m_hFile = hFileNull;
  m_strFileName.Empty();
}

CString CFile::GetFileName() const { return zar::lib::MFileCtrl::GetFileNameExt(m_strFileName); }

CString CFile::GetFileTitle() const { return zar::lib::MFileCtrl::GetFileTitle(m_strFileName); }

void CFile::Remove(const wchar_t* lpszFileName) {
  if (::unlink(Narrow(lpszFileName).c_str()) != 0)
    CFileException::ThrowOsError(errno, lpszFileName);
}

void CFile::Rename(const wchar_t* lpszOldName, const wchar_t* lpszNewName) {
  if (::rename(Narrow(lpszOldName).c_str(), Narrow(lpszNewName).c_str()) != 0)
    CFileException::ThrowOsError(errno, lpszOldName);
}

void CFile::CheckOpen() const {
  if (!IsOpen()) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
}

void CFile::ThrowErrno(int err) const {
  // A valid descriptor refuses an access its open mode does not allow with EBADF.
  const int cause =
      err == EBADF ? CFileException::accessDenied : CFileException::OsErrorToException(err);
  throw CFileException(cause, err, m_strFileName);
}
