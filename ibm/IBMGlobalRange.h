#pragma once
// The data range of a grid result: minimum and maximum with the index where each occurs.
#include <cstdint>

namespace pvk {

struct TDataRange {
  std::int32_t m_nMinIdx = -1;
  std::int32_t m_nMaxIdx = -1;
  double m_rMin = 0.0;
  double m_rMax = 0.0;

  bool operator==(const TDataRange&) const = default;
  bool IsSet() const { return m_nMaxIdx != -1; }

  // Strict comparisons, so that the first index wins a tie.
  void Offer(double v, std::int32_t idx) {
    if (!IsSet()) {
      m_rMin = m_rMax = v;
      m_nMinIdx = m_nMaxIdx = idx;
      return;
    }
    if (v > m_rMax) {
      m_rMax = v;
      m_nMaxIdx = idx;
    }
    if (v < m_rMin) {
      m_rMin = v;
      m_nMinIdx = idx;
    }
  }

  // A body that offered nothing is left out: its unset 0.0 values would otherwise enter the
  // range as if they were values.
  void Merge(const TDataRange& body) {
    if (!body.IsSet()) return;
    if (!IsSet()) {
      *this = body;
      return;
    }
    if (body.m_rMax > m_rMax) {
      m_rMax = body.m_rMax;
      m_nMaxIdx = body.m_nMaxIdx;
    }
    if (body.m_rMin < m_rMin) {
      m_rMin = body.m_rMin;
      m_nMinIdx = body.m_nMinIdx;
    }
  }
};

}  // namespace pvk
