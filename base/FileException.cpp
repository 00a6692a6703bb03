#include "base/FileException.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwchar>
#include <iterator>

#include "base/ConvertString.h"

namespace {

// Indexed by cause.
constexpr const char* kCauseText[] = {"No error",
                                      "File error",
                                      "File not found",
                                      "Bad path",
                                      "Too many open files",
                                      "Access denied",
                                      "Invalid file",
                                      "Cannot remove the current folder",
                                      "Folder full",
                                      "Bad seek",
                                      "Hardware I/O error",
                                      "Sharing violation",
                                      "Lock violation",
                                      "Disk full",
                                      "End of file"};

}  // namespace

int CFileException::OsErrorToException(std::int32_t lOsError) {
  switch (lOsError) {
    case 0:
      return none;
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EEXIST:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case EMLINK:
      return directoryFull;
    case ESPIPE:
    case EOVERFLOW:
      return badSeek;
    case EIO:
      return hardIO;
    case EBUSY:
    case ETXTBSY:
      return sharingViolation;
    case EDEADLK:
    case ENOLCK:
      return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return diskFull;
    default:
      return genericException;
  }
}

void CFileException::ThrowOsError(std::int32_t lOsError, const wchar_t* lpszFileName) {
  throw CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

CString CFileException::GetErrorMessage() const {
  CString msg = zar::lib::MConvertString::ToWide(what(), CP_UTF8);
  if (!m_strFileName.IsEmpty()) msg += L": " + m_strFileName;
  if (m_lOsError > 0) {
    // The untranslated text, so that the message does not depend on the process locale.
    const char* text = strerrordesc_np(m_lOsError);
    if (text) msg += L" (" + zar::lib::MConvertString::ToWide(text, CP_UTF8) + L")";
  }
  return msg;
}

int CFileException::GetErrorMessage(wchar_t* lpszError, unsigned nMaxError,
                                    unsigned* pnHelpContext) const {
  if (pnHelpContext) *pnHelpContext = static_cast<unsigned>(m_cause);
  if (!lpszError || nMaxError == 0) return 0;
  const CString msg = GetErrorMessage();
  const std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(msg.GetLength()), nMaxError - 1);
  std::wmemcpy(lpszError, msg.GetString(), n);
  lpszError[n] = L'\0';
  return 1;
}

const char* CFileException::what() const noexcept {
  constexpr int kCount = static_cast<int>(std::size(kCauseText));
  return m_cause >= 0 && m_cause < kCount ? kCauseText[m_cause] : kCauseText[genericException];
}
