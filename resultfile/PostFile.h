#pragma once
// The abstract result file that the file managers hold.
#include <cstdint>
#include <memory>

#include "qve_pvk_export.h"

class CMPUPost;
class IPOHSession;
class IPreDBLinker;

class PVK_API IPostFile {
public:
  IPostFile();
  virtual ~IPostFile();
  IPostFile(const IPostFile&) = delete;
  IPostFile& operator=(const IPostFile&) = delete;

  virtual std::int32_t GetFileType() const = 0;
  virtual int CreatePOH(IPOHSession* pSession, IPreDBLinker* pLinker, std::uint64_t dbItr) = 0;
  virtual int CreateINFO(IPreDBLinker*) { return 1; }
  virtual int RebuildMPU(IPreDBLinker*) { return 1; }
  virtual int DeleteFileW() = 0;

  std::int32_t GetVersion() const { return m_nVersion; }
  void SetVersion(std::int32_t version) { m_nVersion = version; }
  std::int32_t GetFloatSize() const { return m_nFloatSize; }
  void SetFloatSize(std::int32_t size) { m_nFloatSize = size; }
  std::uint64_t GetPOHMcasItr() const { return m_nPOHMcasItr; }
  CMPUPost* GetMPUPost() const { return m_pMPUPost.get(); }

protected:
  void SetPOHMcasItr(std::uint64_t itr) { m_nPOHMcasItr = itr; }

private:
  std::int32_t m_nVersion = -1;  // -1 until a header was read
  std::int32_t m_nFloatSize = 8;
  std::uint64_t m_nPOHMcasItr = 0;
  std::unique_ptr<CMPUPost> m_pMPUPost;
};
