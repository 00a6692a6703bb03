#include "render/AnimInfo.h"

namespace {
// A back-and-forth walk needs two frames to turn around in.
constexpr int kMinRotateFrames = 2;

// Neighbouring frames in 64 bits, so that any frame a caller sets steps without overflow.
std::int64_t After(int nFrame) { return std::int64_t{nFrame} + 1; }
std::int64_t Before(int nFrame) { return std::int64_t{nFrame} - 1; }
}  // namespace

CVResult* CAnimInfo::GetVResult(std::int32_t nIndex) const {
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_vresults.size()) return nullptr;
  return m_vresults[static_cast<std::size_t>(nIndex)];
}

void CAnimInfo::InitFrameInfo() {
  m_nCurrentFrame = 0;
  m_bIncreasing = 1;
  m_bPositiveDeform = 1;
}

void CAnimInfo::ResetFrameInfo() { InitFrameInfo(); }

void CAnimInfo::IncreaseFrame() {
  const std::int64_t next = After(m_nCurrentFrame);
  m_nCurrentFrame = next >= m_nFrameNum ? 0 : static_cast<int>(next);
}

void CAnimInfo::DecreaseFrame() {
  const std::int64_t next = Before(m_nCurrentFrame);
  m_nCurrentFrame = next < 0 ? LastFrame() : static_cast<int>(next);
}

// With fewer than two frames there is nowhere to go: turning at F - 2 and at -1 would leave
// the frame outside 0 .. F - 1 for good.
void CAnimInfo::RotateFrame() {
  if (m_nFrameNum < kMinRotateFrames) {
    m_nCurrentFrame = 0;
    return;
  }
  const std::int64_t next = m_bIncreasing ? After(m_nCurrentFrame) : Before(m_nCurrentFrame);
  if (m_bIncreasing ? next < m_nFrameNum : next >= 0) {
    m_nCurrentFrame = static_cast<int>(next);
  } else if (m_bIncreasing) {
    m_nCurrentFrame = m_nFrameNum - 2;
    m_bIncreasing = 0;
  } else {
    m_nCurrentFrame = 1;
    m_bIncreasing = 1;
    m_bPositiveDeform = !m_bPositiveDeform;
  }
}

void CAnimInfo::NextFrame() {
  if (m_bMultiSet)
    IncreaseFrame();
  else
    RotateFrame();
}

void CAnimInfo::SetInitialIncreasingFrame(std::int32_t nFrame) {
  m_bIncreasing = 1;
  const std::int64_t next = After(nFrame);
  m_nCurrentFrame = next < m_nFrameNum ? static_cast<int>(next) : 0;
}

void CAnimInfo::SetInitialDecreasingFrame(std::int32_t nFrame) {
  m_bIncreasing = 0;
  const std::int64_t next = Before(nFrame);
  m_nCurrentFrame = next >= 0 ? static_cast<int>(next) : LastFrame();
}
