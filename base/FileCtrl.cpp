#include "base/FileCtrl.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "base/ConvertString.h"

namespace zar::lib {

namespace {

std::wstring_view View(const wchar_t* path) { return path ? std::wstring_view(path) : L""; }

std::string Narrow(const wchar_t* path) { return MConvertString::ToMultiByte(View(path), CP_UTF8); }

std::size_t NameStart(std::wstring_view path) {
  const std::size_t slash = path.rfind(L'/');
  return slash == std::wstring_view::npos ? 0 : slash + 1;
}

// Position of the extension's dot within the name, or npos.
std::size_t ExtDot(std::wstring_view name) {
  if (name == L"..") return std::wstring_view::npos;
  const std::size_t dot = name.rfind(L'.');
  return dot == 0 ? std::wstring_view::npos : dot;
}

bool StatPath(const wchar_t* path, struct stat& st) {
  return path && *path && ::stat(Narrow(path).c_str(), &st) == 0;
}

// A real folder (no link) of this user, closed to others: one found open (made by an older
// version, or loosened by hand) is tightened, so that no one else can plant or read files in it.
bool HoldPrivateFolder(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && st.st_uid == ::geteuid();
  if (ok && (st.st_mode & 077) != 0) ok = ::fchmod(fd, st.st_mode & 0700) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

CString MFileCtrl::GetFilePathNameExt(const wchar_t* path) {
  if (View(path).empty()) return {};
  std::error_code ec;
  const std::filesystem::path abs = std::filesystem::absolute(Narrow(path), ec);
  if (ec) return CString(View(path));
  return MConvertString::ToWide(abs.lexically_normal().native(), CP_UTF8);
}

CString MFileCtrl::GetFilePathName(const wchar_t* path) {
  const CString full = GetFilePathNameExt(path);
  const std::wstring_view view = full.str();
  const std::size_t start = NameStart(view);
  const std::size_t dot = ExtDot(view.substr(start));
  return dot == std::wstring_view::npos ? full : CString(view.substr(0, start + dot));
}

CString MFileCtrl::GetFileNameExt(const wchar_t* path) {
  const std::wstring_view view = View(path);
  return CString(view.substr(NameStart(view)));
}

CString MFileCtrl::GetFileTitle(const wchar_t* path) {
  const std::wstring_view name = View(path).substr(NameStart(View(path)));
  return CString(name.substr(0, ExtDot(name)));
}

CString MFileCtrl::GetFolderPath(const wchar_t* path) {
  const std::wstring_view view = View(path);
  return CString(view.substr(0, NameStart(view)));
}

CString MFileCtrl::GetFileExt(const wchar_t* path) {
  const std::wstring_view name = View(path).substr(NameStart(View(path)));
  const std::size_t dot = ExtDot(name);
  return dot == std::wstring_view::npos ? CString() : CString(name.substr(dot + 1));
}

bool MFileCtrl::IsPathExist(const wchar_t* path) {
  struct stat st;
  return StatPath(path, st);
}

bool MFileCtrl::IsFileExist(const wchar_t* path) {
  struct stat st;
  return StatPath(path, st) && !S_ISDIR(st.st_mode);
}

bool MFileCtrl::IsFolderExist(const wchar_t* path) {
  struct stat st;
  return StatPath(path, st) && S_ISDIR(st.st_mode);
}

bool MFileCtrl::CreateFolder(const wchar_t* path, bool bPrivate) {
  std::string narrow = Narrow(path);
  // A trailing '/' would make lstat follow a link in the last place.
  while (narrow.size() > 1 && narrow.back() == '/') narrow.pop_back();
  if (narrow.empty()) return false;
  const mode_t mode = bPrivate ? 0700 : 0777;
  // Failures on the way (a parent that exists, or one we may not create) are judged by the
  // final test alone.
  for (std::size_t i = narrow.find('/', 1); i != std::string::npos; i = narrow.find('/', i + 1))
    ::mkdir(narrow.substr(0, i).c_str(), mode);
  ::mkdir(narrow.c_str(), mode);
  if (bPrivate) return HoldPrivateFolder(narrow);
  struct stat st;
  return ::stat(narrow.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

CString MFileCtrl::GetTempFolderPath() {
  std::error_code error;
  const std::filesystem::path system = std::filesystem::temp_directory_path(error);
  if (error) return {};
  const std::string name = "pvk-" + std::to_string(::geteuid());
  const CString folder = MConvertString::ToWide((system / name).native(), CP_UTF8);
  return CreateFolder(folder, true) ? folder + L"/" : CString();
}

}  // namespace zar::lib
