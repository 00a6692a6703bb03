#include "render/PBodyAPI.h"

IPBodyAPI* IPBodyAPI::m_pInstance = nullptr;

IPBodyAPI::IPBodyAPI() { m_pInstance = this; }

IPBodyAPI::~IPBodyAPI() {
  // A destroyed host object must not stay reachable.
  if (m_pInstance == this) m_pInstance = nullptr;
}
