#pragma once
// The mesh post provider of a program without a host: the mesh post units of the result files
// that a post file manager holds, the analysis type of each result's sub-case and the fatigue
// settings of its unit. Without a host nobody picks a sigma level, so no result is scaled.
#include "ibm/MPUPostProvider.h"
#include "qve_pvk_export.h"

class CPostFileManager;

class PVK_API CPostFileMPUProvider : public IMPUPostProvider {
public:
  // Neither is owned; a null unit control keeps the result file's units.
  explicit CPostFileMPUProvider(const CPostFileManager& manager,
                                const zar::lib::MUnitCtrl* pUnitCtrl = nullptr)
      : m_manager(manager), m_pUnitCtrl(pUnitCtrl) {}

  CMPUPost* GetMPUPost(std::uint64_t key) const override;
  // The sub-case's analysis type; 0 for a result outside a live sub-case.
  std::int32_t GetAnalType(const CVResult& vr) const override;
  // The longest infinite life of the unit's fatigue settings; without any, the default of the
  // load options.
  double GetFatigueMax(const CVResult& vr) const override;
  bool GetSigmaFactor(const CVResult& vr, double& factor) const override;
  const zar::lib::MUnitCtrl* GetUnitCtrl() const override { return m_pUnitCtrl; }

private:
  const CPostFileManager& m_manager;
  const zar::lib::MUnitCtrl* m_pUnitCtrl;  // not owned
};
