#pragma once
// The abstract writer of a result file: the host, or a solver linked to the library, opens a
// file, writes the version information, a header and a body per record, and the end marker.
// Record bodies are written by the records themselves through GetFile().
#include <cstdint>

#include "base/CString.h"
#include "qve_pvk_export.h"

class CFile;

class PVK_API IPostFileWriter {
public:
  virtual ~IPostFileWriter() = default;
  IPostFileWriter(const IPostFileWriter&) = delete;
  IPostFileWriter& operator=(const IPostFileWriter&) = delete;

  // With bCreate, creates or truncates the file; otherwise opens it and moves to offset, so
  // that the records written next start there. 1 on success.
  virtual int OpenFile(const CString& path, int bCreate, std::int64_t offset) = 0;
  // 1 when the file is closed with every byte written.
  virtual int CloseFile() = 0;
  // The open file, for the record data that bodies are written through; not owned.
  virtual CFile* GetFile() = 0;
  // The new position; -1 when the seek failed.
  virtual std::int64_t Seek(std::int64_t offset, unsigned origin) = 0;
  virtual int Write(const void* pData, unsigned nBytes) = 0;
  virtual int WriteFileVerinfo() = 0;
  virtual int WriteRecordHeader(int type, int id) = 0;
  virtual int WriteEndOfFile() = 0;

  std::int32_t GetVersion() const { return m_nVersion; }
  // The width of the reals in the file: 4 or 8.
  std::int32_t GetFloatSize() const { return m_nFloatSize; }
  void SetFloatSize(std::int32_t size) { m_nFloatSize = size; }

protected:
  IPostFileWriter(std::int32_t version, std::int32_t floatSize)
      : m_nVersion(version), m_nFloatSize(floatSize) {}

private:
  std::int32_t m_nVersion;
  std::int32_t m_nFloatSize;
};
