#include "session/POHMcas.h"

IMPLEMENT_DYNCREATE(CPOHMcas, CPOHBase)

void CPOHMcas::SetUnitIndex(const zar::lib::T_UNIT_INDEX* pUnitIndex) {
  if (pUnitIndex) m_unitIndex = *pUnitIndex;
}
