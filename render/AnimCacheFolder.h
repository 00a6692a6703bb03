#pragma once
// The animation cache folder tree: "TarvoAni/" below the host's folder or the per-user
// temporary folder, and one folder per process in it named with the process id ("%p").
// Both are private folders of this user, never links.
#include "base/CString.h"

namespace pvk::render {

// The animation folder, ending with '/'; empty when there is no temporary folder.
CString AnimFolderPath(const wchar_t* folder);
// Removes the folders of processes that no longer run, with the stream and memory files
// left in them; only this user's entries go, and no link is followed.
void RemoveStaleAnimFolders(const CString& animFolder);
// Makes the animation folder, clears it of stale folders and makes this process's folder.
// Returns the process folder, ending with '/', or empty when a folder cannot be had.
CString MakeAnimProcessFolder(const wchar_t* folder);

}  // namespace pvk::render
