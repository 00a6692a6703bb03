#pragma once
// The abstract record of a result file and the target that records write themselves to.
#include <cstdint>
#include <cstdio>

#include "qve_pvk_export.h"

class CFile;
class IPostFile;

// A record writer's data: the file written to, which it does not own.
class PVK_API IRecordD {
public:
  explicit IRecordD(CFile* pFile) : m_pFile(pFile) {}
  virtual ~IRecordD() = default;

  CFile* GetFile() const { return m_pFile; }

private:
  CFile* m_pFile;
};

class PVK_API IPostRecord {
public:
  virtual ~IPostRecord() = default;
  virtual std::int32_t GetType() const = 0;

  // Reads the body; succeeds only when the position afterwards is still before the end of
  // the file, since a well-formed file ends with the end-of-file header.
  int Scan(CFile& file);
  int WriteEcho(FILE* pFile);
  int Write(IRecordD* pData);

  void SetFile(IPostFile* pFile) { m_pFile = pFile; }
  IPostFile* GetFile() const { return m_pFile; }

protected:
  virtual int _Scan(CFile& file) = 0;
  virtual int _WriteEcho(FILE*) { return 0; }
  virtual int _Write(IRecordD*) { return 0; }

private:
  IPostFile* m_pFile = nullptr;  // not owned
};
