#pragma once
// Path pieces and folder services. Paths use '/'; a folder path ends with '/'. Pieces are
// cut lexically; only the existence tests, CreateFolder and GetTempFolderPath touch the file
// system.
#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

class PVK_API MFileCtrl {
public:
  // Absolute, lexically normalised path: folder, name and extension.
  static CString GetFilePathNameExt(const wchar_t* path);
  // GetFilePathNameExt without the extension and its dot.
  static CString GetFilePathName(const wchar_t* path);
  // Name with extension, without the folder.
  static CString GetFileNameExt(const wchar_t* path);
  // Name without folder and extension.
  static CString GetFileTitle(const wchar_t* path);
  // Folder part, ending with '/'; empty when the path names no folder.
  static CString GetFolderPath(const wchar_t* path);
  // Extension without the dot; empty when there is none. A leading dot (".profile") does not
  // start an extension.
  static CString GetFileExt(const wchar_t* path);

  // Existence tests follow symbolic links.
  static bool IsPathExist(const wchar_t* path);
  static bool IsFileExist(const wchar_t* path);
  static bool IsFolderExist(const wchar_t* path);

  // Creates the folder and any missing parents. Private folders are made with mode 0700 and
  // count only when the final folder is a real folder (not a link) owned by this user, so a
  // folder planted in a shared temporary folder is not taken over; one of ours found open to
  // others is closed to mode 0700.
  static bool CreateFolder(const wchar_t* path, bool bPrivate = false);
  // The system's temporary folder, which is per user on the platform this ports: here
  // temp_directory_path() + "pvk-<uid>/", created private when missing, so that one user's
  // cache folders never lock the others out. Empty when there is no temporary folder or the
  // folder is not a real folder of this user (another user's, or a link).
  static CString GetTempFolderPath();
};

}  // namespace zar::lib
