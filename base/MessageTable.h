#pragma once
// The message table: display texts by key. Every key the library uses has a built-in English
// text, written out or derived from the key's name ("IDS_VRES_T1_TRANSLATION" reads
// "T1 Translation"). A UTF-8 file of KEY<TAB>text lines named by PVK_MESSAGE_FILE replaces or
// adds texts. An unknown key yields the key itself.
#include <cstddef>

#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::lib {

struct TMsgText {
  const wchar_t* key;
  const wchar_t* text;  // null: derive the text from the key's name
};

class PVK_API MMSGFunction {
public:
  static CString GetValue(const wchar_t* key);
  // Adds built-in texts; the table must outlive the process's use of it (static data).
  static void RegisterTexts(const TMsgText* texts, std::size_t count);
  // Reads the override file again (after PVK_MESSAGE_FILE changed).
  static void ReloadOverrides();
  // The text derived from a key's name.
  static CString TextFromKey(const wchar_t* key);
};

}  // namespace zar::lib
