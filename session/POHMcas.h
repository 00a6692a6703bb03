#pragma once
// Case hierarchy node of one imported result file.
#include "base/UnitIndex.h"
#include "qve_pvk_export.h"
#include "session/POHBase.h"

class IPreDBLinker;

class PVK_API CPOHMcas : public CPOHBase {
  DECLARE_DYNCREATE(CPOHMcas)

public:
  CPOHMcas() = default;
  ~CPOHMcas() override = default;

  void SetResultFilePath(const wchar_t* szPath) { m_strResultFilePath = szPath; }
  CString GetResultFilePath() const { return m_strResultFilePath; }
  // Copies the record; a null record is ignored.
  void SetUnitIndex(const zar::lib::T_UNIT_INDEX* pUnitIndex);
  zar::lib::T_UNIT_INDEX* GetUnitIndex() { return &m_unitIndex; }
  const zar::lib::T_UNIT_INDEX* GetUnitIndex() const { return &m_unitIndex; }
  void SetPreDBLinker(IPreDBLinker* pLinker) { m_pPreDBLinker = pLinker; }
  const IPreDBLinker* GetPreDBLinker() const { return m_pPreDBLinker; }

private:
  IPreDBLinker* m_pPreDBLinker = nullptr;  // not owned
  // N, m, s, J until the import reads the solver's units; temperature stays Celsius, the
  // solver's default scale, when the result file does not name one.
  zar::lib::T_UNIT_INDEX m_unitIndex{2, 0, 0, 0, 2};
  CString m_strResultFilePath;
};
