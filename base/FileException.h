#pragma once
// The framework's file exception, thrown by value. It carries the cause (the framework's
// codes), the system error (errno) and the file name.
#include <cstdint>
#include <exception>

#include "base/CString.h"
#include "qve_pvk_export.h"

class PVK_API CFileException : public std::exception {
public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, std::int32_t lOsError = -1,
                          const wchar_t* lpszFileName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}

  // The cause that an errno value stands for.
  static int OsErrorToException(std::int32_t lOsError);
  [[noreturn]] static void ThrowOsError(std::int32_t lOsError,
                                        const wchar_t* lpszFileName = nullptr);

  // Writes "cause: file (system error)", cut to maxChars including the terminator. Returns 0
  // only when there is no room at all. The help context receives the cause.
  int GetErrorMessage(wchar_t* lpszError, unsigned nMaxError,
                      unsigned* pnHelpContext = nullptr) const;
  CString GetErrorMessage() const;
  // The cause in words; details are in GetErrorMessage.
  const char* what() const noexcept override;

  int m_cause;
  std::int32_t m_lOsError;  // errno; -1 when the failure did not come from the system
  CString m_strFileName;
};
