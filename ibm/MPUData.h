#pragma once
// The current display's view of the mesh post unit: per body record, whether the display
// shows the body and whether the body shows results. Only bodies that are shown and so
// flagged count for data ranges.
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

class PVK_API CMPUData {
public:
  std::int32_t GetCount() const { return static_cast<std::int32_t>(m_aShowResult.size()); }
  // New records are shown and show results.
  void SetCount(std::int32_t n) {
    m_aShown.resize(n > 0 ? n : 0, 1);
    m_aShowResult.resize(n > 0 ? n : 0, 1);
  }
  // False for an index without a record.
  bool IsShown(std::int32_t idx) const { return IsIndex(idx) && m_aShown[idx]; }
  void SetShown(std::int32_t idx, bool shown) {
    if (IsIndex(idx)) m_aShown[idx] = shown;
  }
  bool IsShowResult(std::int32_t idx) const { return IsIndex(idx) && m_aShowResult[idx]; }
  void SetShowResult(std::int32_t idx, bool show) {
    if (IsIndex(idx)) m_aShowResult[idx] = show;
  }

private:
  bool IsIndex(std::int32_t idx) const { return idx >= 0 && idx < GetCount(); }

  zar::MArray<unsigned char> m_aShown;
  zar::MArray<unsigned char> m_aShowResult;
};
