#pragma once
// Case hierarchy node of one sub-case (analysis case) of a result file.
#include <cstdint>

#include "base/Containers.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"
#include "session/POHBase.h"

class PVK_API CPOHScas : public CPOHBase {
  DECLARE_DYNCREATE(CPOHScas)

public:
  using ElemKeyLoader = IPostDataUnitResultLoader<std::int32_t>;

  CPOHScas() = default;
  ~CPOHScas() override = default;

  void SetMecAnalType(std::int32_t nType) { m_nMecAnalType = nType; }
  std::int32_t GetMecAnalType() const { return m_nMecAnalType; }
  void SetHasStep(int nHasStep) { m_nHasStep = nHasStep; }
  int HasStep() const { return m_nHasStep; }

  // The loaders belong to the result file's records.
  void SetElemIDListOnMcas(ElemKeyLoader* pLoader) { m_pElemIDListOnMcas = pLoader; }
  void SetActElemIDListLoader(ElemKeyLoader* pLoader) { m_pActElemIDListLoader = pLoader; }
  void SetDectElemIDListLoader(ElemKeyLoader* pLoader) { m_pDectElemIDListLoader = pLoader; }
  int HasElemKeyOnMcas() const { return m_pElemIDListOnMcas != nullptr; }
  int HasActElemKey() const { return m_pActElemIDListLoader != nullptr; }
  int HasDectElemKey() const { return m_pDectElemIDListLoader != nullptr; }

  // The loader's result; 0 with the array untouched when there is no loader.
  int LoadElemKeyOnMcas(zar::MArray<std::int32_t>& keys) const;
  int LoadActElemKey(zar::MArray<std::int32_t>& keys) const;
  int LoadDectElemKey(zar::MArray<std::int32_t>& keys) const;

private:
  std::int32_t m_nMecAnalType = 0;
  int m_nHasStep = 0;
  ElemKeyLoader* m_pElemIDListOnMcas = nullptr;      // not owned
  ElemKeyLoader* m_pActElemIDListLoader = nullptr;   // not owned
  ElemKeyLoader* m_pDectElemIDListLoader = nullptr;  // not owned
};
