#include "FuzzSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "base/ConvertString.h"
#include "base/MsgOut.h"

namespace pvk_fuzz {

namespace {

namespace fs = std::filesystem;

// Memory-backed on Linux; the system's temporary folder where it is missing.
constexpr const char* kTmpfs = "/dev/shm";

std::string g_folder;

void RemoveFolder() {
  std::error_code ec;
  fs::remove_all(g_folder, ec);
}

std::string MakeFolder() {
  std::error_code ec;
  const fs::path base = fs::is_directory(kTmpfs, ec) ? fs::path(kTmpfs) : fs::temp_directory_path();
  std::string pattern = (base / "pvk-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
  return pattern;
}

}  // namespace

void Init() {
  if (!g_folder.empty()) return;
  g_folder = MakeFolder();
  std::atexit(RemoveFolder);
  // The post cache folders of the sessions go there too.
  ::setenv("TMPDIR", g_folder.c_str(), 1);
  zar::lib::SetMsgSink([](zar::lib::EMsgLevel, const CString&) {});
}

std::string Put(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = g_folder + "/" + name;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot write " + path);
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n <= 0) {
      ::close(fd);
      throw std::runtime_error("cannot write " + path);
    }
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return path;
}

void Drop(const std::string& name) { ::unlink((g_folder + "/" + name).c_str()); }

FILE* NullEcho() {
  static FILE* const pNull = std::fopen("/dev/null", "w");
  return pNull;
}

CString Wide(const std::string& utf8) { return zar::lib::MConvertString::ToWide(utf8, CP_UTF8); }

}  // namespace pvk_fuzz
