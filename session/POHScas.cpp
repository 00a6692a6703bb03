#include "session/POHScas.h"

IMPLEMENT_DYNCREATE(CPOHScas, CPOHBase)

namespace {
int LoadAll(CPOHScas::ElemKeyLoader* pLoader, zar::MArray<std::int32_t>& keys) {
  return pLoader ? pLoader->LoadData(keys, nullptr, nullptr) : 0;
}
}  // namespace

int CPOHScas::LoadElemKeyOnMcas(zar::MArray<std::int32_t>& keys) const {
  return LoadAll(m_pElemIDListOnMcas, keys);
}

int CPOHScas::LoadActElemKey(zar::MArray<std::int32_t>& keys) const {
  return LoadAll(m_pActElemIDListLoader, keys);
}

int CPOHScas::LoadDectElemKey(zar::MArray<std::int32_t>& keys) const {
  return LoadAll(m_pDectElemIDListLoader, keys);
}
