#pragma once
// One text line of a legend's title or information block, laid out as it is streamed.
#include <cstdint>

#include "base/CString.h"

namespace pvk {

enum E_LEGEND_OBJ_KIND : std::int32_t {
  LEGEND_OBJ_TEXT = 0,
  LEGEND_OBJ_TITLE = 1,
  LEGEND_OBJ_BLANK = 2,
};

struct T_LEGEND_OBJ {
  static constexpr int N_TEXT = 128;  // UTF-16 code units, the terminating zero included

  std::int32_t nKind = LEGEND_OBJ_TEXT;
  char16_t szText[N_TEXT] = {};

  // Keeps as much of the text as fits before the terminating zero; a character outside the
  // basic plane is kept whole or not at all.
  void SetText(const CString& text);
  // Up to the first zero, or the whole array when a stream left none.
  CString GetText() const;
};
static_assert(sizeof(T_LEGEND_OBJ) == 260);

T_LEGEND_OBJ MakeLegendObj(std::int32_t nKind, const CString& text);

}  // namespace pvk
