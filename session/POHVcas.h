#pragma once
// Case hierarchy node of one step of a sub-case; owns the step's data sets and virtual
// results.
#include <memory>

#include "datastore/PostDSetContainer.h"
#include "qve_pvk_export.h"
#include "session/POHBase.h"
#include "session/POHTypes.h"
#include "vresult/VResultPackage.h"

class CPOHScas;

class PVK_API CPOHVcas : public CPOHBase {
  DECLARE_DYNCREATE(CPOHVcas)

public:
  CPOHVcas();
  ~CPOHVcas() override;

  void SetStepValue(double rValue) { m_rStepValue = rValue; }
  double GetStepValue() const { return m_rStepValue; }
  void SetSolverType(const pvk::E_POHV_SOLVER_TYPE& eType) { m_eSolverType = eType; }
  pvk::E_POHV_SOLVER_TYPE GetSolverType() const { return m_eSolverType; }
  CPostDSetContainer* GetDSetContainer() const { return m_pDSetContainer.get(); }
  CVResultPackage* GetPackage() const { return m_pPackage.get(); }

  // The has-step flag of the parent sub-case; 0 when the parent cannot be resolved.
  int IsStep() const;
  // For a real step, the value part of a "name = value" title without parentheses.
  CString GetStepValueName() const;

private:
  const CPOHScas* GetParentScas() const;

  double m_rStepValue = 0.0;
  pvk::E_POHV_SOLVER_TYPE m_eSolverType = pvk::POHV_SOLVER_DEFAULT;
  std::unique_ptr<CPostDSetContainer> m_pDSetContainer;
  std::unique_ptr<CVResultPackage> m_pPackage;
};
