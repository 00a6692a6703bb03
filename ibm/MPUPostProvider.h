#pragma once
// What a display-list item asks its host about a grid result: the mesh post unit that the
// result is shown on, the settings its values load with, and the sigma factor that scales the
// results of an RMS case.
#include <cstdint>

#include "qve_pvk_export.h"

class CMPUPost;
class CVResult;
namespace zar::lib {
class MUnitCtrl;
}

class PVK_API IMPUPostProvider {
public:
  virtual ~IMPUPostProvider() = default;

  // Not owned. The mesh post unit of the result file that `key` names (its result file
  // iterator, CVResult::GetPOHMcas); null for none.
  virtual CMPUPost* GetMPUPost(std::uint64_t key) const = 0;
  // The mechanical analysis type that the result's values load with.
  virtual std::int32_t GetAnalType(const CVResult& vr) const = 0;
  // The longest fatigue life that the result's values are capped at.
  virtual double GetFatigueMax(const CVResult& vr) const = 0;
  // True, with the factor, when the result's values are scaled by a sigma factor.
  virtual bool GetSigmaFactor(const CVResult& vr, double& factor) const = 0;
  // Not owned. The unit system the values are shown in; null keeps the result file's units.
  virtual const zar::lib::MUnitCtrl* GetUnitCtrl() const = 0;
};
