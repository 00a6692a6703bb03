#pragma once
// Writes PZAR result files of format 140. It never lets an exception out: every file error
// becomes a 0 result. Header and body writes do not check one another; a short body makes the
// reader drop that record.
#include <cstdint>

#include "base/BufferedWriteFile.h"
#include "qve_pvk_export.h"
#include "resultfile/PostFileWriter.h"

class PVK_API CPZARFileWriter_140 : public IPostFileWriter {
public:
  static constexpr std::int32_t kVersion = 140;

  explicit CPZARFileWriter_140(std::int32_t floatSize = 8);
  // Closes the file when it is still open.
  ~CPZARFileWriter_140() override;

  int OpenFile(const CString& path, int bCreate, std::int64_t offset) override;
  int CloseFile() override;
  CFile* GetFile() override { return &m_file; }
  std::int64_t Seek(std::int64_t offset, unsigned origin) override;
  int Write(const void* pData, unsigned nBytes) override;
  // The version, the real-type tag ("NE" for 4-byte reals, else "DBL") and an empty offset
  // table: 12 bytes.
  int WriteFileVerinfo() override;
  int WriteRecordHeader(int type, int id) override;
  // The header of type -1 and id 0.
  int WriteEndOfFile() override;

private:
  // Small record fields are collected and written in large pieces.
  CBufferedWriteFile m_file;
};
