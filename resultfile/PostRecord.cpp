#include "resultfile/PostRecord.h"

#include "base/File.h"

int IPostRecord::Scan(CFile& file) {
  if (!_Scan(file)) return 0;
  return file.GetPosition() < file.GetLength() ? 1 : 0;
}

int IPostRecord::WriteEcho(FILE* pFile) { return _WriteEcho(pFile) ? 1 : 0; }

// A full disk or a closed file is a failed write, not an exception for the caller.
int IPostRecord::Write(IRecordD* pData) {
  try {
    return _Write(pData) ? 1 : 0;
  } catch (const CFileException&) {
    return 0;
  }
}
