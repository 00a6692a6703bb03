#pragma once
// The framework's binary file over a POSIX descriptor. Errors throw CFileException by value;
// Open reports them through a return value instead. The I/O members are virtual, as in the
// framework, so that a buffered reader can stand in for a file.
#include <cstdint>

#include "base/CString.h"
#include "base/FileException.h"
#include "qve_pvk_export.h"

class PVK_API CFile {
public:
  // Open flags, with the framework's values. Sharing and text/binary flags are accepted and
  // have no effect: POSIX has no share modes and no text translation.
  static constexpr unsigned modeRead = 0x0000;
  static constexpr unsigned modeWrite = 0x0001;
  static constexpr unsigned modeReadWrite = 0x0002;
  static constexpr unsigned shareDenyNone = 0x0040;
  static constexpr unsigned modeCreate = 0x1000;
  static constexpr unsigned modeNoTruncate = 0x2000;
  static constexpr unsigned typeText = 0x4000;
  static constexpr unsigned typeBinary = 0x8000;

  enum SeekPosition : unsigned { begin = 0, current = 1, end = 2 };

  static constexpr int hFileNull = -1;

  CFile() = default;
  // Opens the file or throws.
  CFile(const wchar_t* lpszFileName, unsigned nOpenFlags);
  // Takes over an open descriptor, for files that need open flags of their own (exclusive
  // creation); its path is empty until SetFilePath.
  explicit CFile(int hFile) : m_hFile(hFile) {}
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;
  // Closes an open file; errors are ignored.
  virtual ~CFile();

  // False on failure; the reason goes to pError when given. An open file is closed first.
  bool Open(const wchar_t* lpszFileName, unsigned nOpenFlags, CFileException* pError = nullptr);

  // Reads until nCount bytes or the end of the file; returns the bytes read.
  virtual unsigned Read(void* lpBuf, unsigned nCount);
  // Writes all bytes or throws.
  virtual void Write(const void* lpBuf, unsigned nCount);

  // Positions may lie beyond the end of the file; a negative one throws badSeek.
  virtual std::uint64_t Seek(std::int64_t lOff, unsigned nFrom);
  void SeekToBegin() { Seek(0, begin); }
  std::uint64_t SeekToEnd() { return Seek(0, end); }
  virtual std::uint64_t GetPosition() const;
  virtual std::uint64_t GetLength() const;
  // Cuts or extends the file and, as the framework does, leaves the position at the new end.
  virtual void SetLength(std::uint64_t dwNewLen);
  // Asks for the written data to reach the device.
  virtual void Flush();

  virtual void Close();
  // Closes without ever throwing.
  virtual void Abort();

  bool IsOpen() const { return m_hFile != hFileNull; }
  int GetHandle() const { return m_hFile; }
  // The absolute path given to Open; empty while closed.
  CString GetFilePath() const { return m_strFileName; }
  CString GetFileName() const;
  CString GetFileTitle() const;
  void SetFilePath(const wchar_t* lpszNewName) { m_strFileName = lpszNewName; }

  static void Remove(const wchar_t* lpszFileName);
  static void Rename(const wchar_t* lpszOldName, const wchar_t* lpszNewName);

private:
  void CheckOpen() const;
  [[noreturn]] void ThrowErrno(int err) const;

  int m_hFile = hFileNull;
  CString m_strFileName;
};
