#include "resultfile/PZARFileWriter140.h"

#include <array>
#include <cstring>

CPZARFileWriter_140::CPZARFileWriter_140(std::int32_t floatSize)
    : IPostFileWriter(kVersion, floatSize) {}

CPZARFileWriter_140::~CPZARFileWriter_140() { CloseFile(); }

int CPZARFileWriter_140::OpenFile(const CString& path, int bCreate, std::int64_t offset) {
  CloseFile();
  const unsigned flags =
      CFile::modeReadWrite | CFile::typeBinary | (bCreate ? CFile::modeCreate : 0u);
  try {
    CFileException error;
    if (!m_file.Open(path, flags, &error)) throw error;
    if (!bCreate) m_file.Seek(offset, CFile::begin);
    return 1;
  } catch (const CFileException&) {
    m_file.Abort();
    return 0;
  }
}

int CPZARFileWriter_140::CloseFile() {
  try {
    m_file.Close();
    return 1;
  } catch (const CFileException&) {
    return 0;
  }
}

std::int64_t CPZARFileWriter_140::Seek(std::int64_t offset, unsigned origin) {
  try {
    return static_cast<std::int64_t>(m_file.Seek(offset, origin));
  } catch (const CFileException&) {
    return -1;
  }
}

int CPZARFileWriter_140::Write(const void* pData, unsigned nBytes) {
  try {
    m_file.Write(pData, nBytes);
    return 1;
  } catch (const CFileException&) {
    return 0;
  }
}

int CPZARFileWriter_140::WriteFileVerinfo() {
  std::array<char, 12> bytes{};
  const std::int32_t version = GetVersion();
  std::memcpy(bytes.data(), &version, 4);
  std::memcpy(bytes.data() + 4, GetFloatSize() == 4 ? "NE" : "DBL", GetFloatSize() == 4 ? 2 : 3);
  return Write(bytes.data(), bytes.size());
}

int CPZARFileWriter_140::WriteRecordHeader(int type, int id) {
  const std::array<std::int32_t, 2> header{type, id};
  return Write(header.data(), sizeof(header));
}

// Reports a failed write: a file without its end marker is not complete.
int CPZARFileWriter_140::WriteEndOfFile() { return WriteRecordHeader(-1, 0); }
