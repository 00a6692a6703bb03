#pragma once
// The post session: owns the result file, sub-case and step pools.
#include <cstdint>
#include <memory>

#include "qve_pvk_export.h"
#include "session/POHPools.h"
#include "session/POHSession.h"

class PVK_API CQVEPOHSession : public IPOHSession {
public:
  CQVEPOHSession();
  CQVEPOHSession(const CQVEPOHSession&) = delete;
  CQVEPOHSession& operator=(const CQVEPOHSession&) = delete;
  ~CQVEPOHSession() override;

  pvk::E_POH_TYPE GetType() const override { return pvk::POH_TYPE_QVE; }
  // Null for a level that is not a pvk::E_POH_LEVEL.
  CPOHPoolBase* GetPOHPool(std::int32_t nLevel) override;
  const CPOHPoolBase* GetPOHPool(std::int32_t nLevel) const override;
  // Does nothing unless mcasItr names a live result file of this session.
  void Remove(std::uint64_t mcasItr) override;
  void RemoveByDBItr(std::uint64_t nDBItr) override;
  // Each pool: hash size to its element count, then ascending key order.
  void Optimize() override;
  // The step pool's map is left to the host.
  void BuildDBItrMap() override;

private:
  void RemoveSteps(const zar::MArray<std::uint64_t>& vcasItrs);

  std::unique_ptr<CPOHPoolQVEMcas> m_pPoolMcas;
  std::unique_ptr<CPOHPoolScas> m_pPoolScas;
  std::unique_ptr<CPOHPoolVcas> m_pPoolVcas;
};
