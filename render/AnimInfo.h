#pragma once
// The frame state of one animation: a deformation that swings back and forth through its
// frames, or a list of virtual results shown one per frame.
#include <cstdint>

#include "base/Containers.h"
#include "ibm/IBMGlobalRange.h"
#include "qve_pvk_export.h"

class CVResult;

class PVK_API CAnimInfo {
public:
  CAnimInfo() = default;
  CAnimInfo(const CAnimInfo&) = default;
  CAnimInfo& operator=(const CAnimInfo&) = default;
  virtual ~CAnimInfo() = default;

  void SetAnimationRun(int bRun) { m_bAnimationRun = bRun; }
  int IsAnimationRun() const { return m_bAnimationRun; }
  void SetMultiSet(int bMultiSet) { m_bMultiSet = bMultiSet; }
  int IsMultiSet() const { return m_bMultiSet; }
  void SetHalfCycle(int bHalfCycle) { m_bHalfCycle = bHalfCycle; }
  int IsHalfCycle() const { return m_bHalfCycle; }
  // The level and the for-all-sub-cases flag belong to the host; they are only kept.
  void SetLevel(std::uint64_t nLevel) { m_nLevel = nLevel; }
  std::uint64_t GetLevel() const { return m_nLevel; }
  void SetCurrentFrame(int nFrame) { m_nCurrentFrame = nFrame; }
  int GetCurrentFrame() const { return m_nCurrentFrame; }
  void SetFrameNum(int nFrameNum) { m_nFrameNum = nFrameNum; }
  int GetFrameNum() const { return m_nFrameNum; }
  void SetIncresing(int bIncreasing) { m_bIncreasing = bIncreasing; }
  int IsIncresing() const { return m_bIncreasing; }
  void SetPositiveDeform(int bPositive) { m_bPositiveDeform = bPositive; }
  int IsPositiveDeform() const { return m_bPositiveDeform; }
  void SetForAllSubcase(int bForAll) { m_bForAllSubcase = bForAll; }
  int IsForAllSubcase() const { return m_bForAllSubcase; }

  void SetDataRangeMain(const pvk::TDataRange& range) { m_rangeMain = range; }
  pvk::TDataRange GetDataRangeMain() const { return m_rangeMain; }
  void SetDataRangeDeform(const pvk::TDataRange& range) { m_rangeDeform = range; }
  pvk::TDataRange GetDataRangeDeform() const { return m_rangeDeform; }

  // The results are not owned.
  void SetVResultList(const zar::MArray<CVResult*>& list) { m_vresults = list; }
  const zar::MArray<CVResult*>& GetVResultList() const { return m_vresults; }
  void ClearVResultList() { m_vresults.clear(); }
  // Null when the index is outside the list.
  CVResult* GetVResult(std::int32_t nIndex) const;

  void InitFrameInfo();
  void ResetFrameInfo();
  // Forward and backward through the frames, wrapping around.
  void IncreaseFrame();
  void DecreaseFrame();
  // Back and forth through the frames; the deformation's sign flips at every return to 0.
  void RotateFrame();
  // The next frame of the animation's kind.
  void NextFrame();
  void SetInitialIncreasingFrame(std::int32_t nFrame);
  void SetInitialDecreasingFrame(std::int32_t nFrame);

private:
  // The highest frame index; 0 also when there are no frames, so that the current frame never
  // leaves the valid range.
  int LastFrame() const { return m_nFrameNum > 0 ? m_nFrameNum - 1 : 0; }

  int m_bAnimationRun = 0;
  int m_bMultiSet = 0;
  int m_bHalfCycle = 1;
  std::uint64_t m_nLevel = 3;
  int m_nCurrentFrame = 0;
  int m_nFrameNum = 0;
  int m_bIncreasing = 1;
  int m_bPositiveDeform = 1;
  int m_bForAllSubcase = 1;
  pvk::TDataRange m_rangeMain;
  pvk::TDataRange m_rangeDeform;
  zar::MArray<CVResult*> m_vresults;
};
