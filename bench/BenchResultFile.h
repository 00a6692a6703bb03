#pragma once
// Result files for benchmarks: written once through the library's writer into the temporary
// folder, fsynced so that no writeback disturbs the timed runs, and removed at exit.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "base/CString.h"
#include "resultfile/PZARFileWriter140.h"

class BenchResultFile {
public:
  // `fill` writes the records between the version information and the end marker.
  BenchResultFile(const std::string& name, const std::function<bool(CPZARFileWriter_140&)>& fill,
                  std::int32_t floatSize = 8) {
    m_path = (std::filesystem::temp_directory_path() /
              ("pvk-" + name + "-" + std::to_string(::getpid()) + ".pzar"))
                 .string();
    CPZARFileWriter_140 writer(floatSize);
    const bool ok = writer.OpenFile(Wide(), 1, 0) && writer.WriteFileVerinfo() && fill(writer) &&
                    writer.WriteEndOfFile();
    if (ok) writer.GetFile()->Flush();
    if (!ok || !writer.CloseFile()) std::abort();
  }
  ~BenchResultFile() { std::filesystem::remove(m_path); }
  BenchResultFile(const BenchResultFile&) = delete;
  BenchResultFile& operator=(const BenchResultFile&) = delete;

  CString Wide() const { return CString(std::wstring(m_path.begin(), m_path.end())); }
  const std::string& Path() const { return m_path; }

private:
  std::string m_path;
};
