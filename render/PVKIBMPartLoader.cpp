#include "render/PVKIBMPartLoader.h"

#include "ibm/IBMPDLItem.h"
#include "render/PVKIBMPartLoaderHelperFatigue.h"
#include "render/PVKIBMPartLoaderHelperVolume.h"

CPVKIBMPartLoader::~CPVKIBMPartLoader() { GLEnd(); }

void CPVKIBMPartLoader::GLBegin(CIBMPDLItem* pItem, int nFlag) {
  if (nFlag == 0)
    CreateIBMPartLoader_Deform();
  else
    CreateIBMPartLoader(pItem);
}

int CPVKIBMPartLoader::GLLoad(CIBMPDLItem* pItem, TMPUBodySet* pSet) {
  return m_pHelper && pSet ? m_pHelper->GLCreateTexture(pItem, pSet) : 0;
}

void CPVKIBMPartLoader::GLEnd() {
  if (!m_pHelper) return;
  m_pHelper->GLInitTexture();
  m_pHelper.reset();
}

IPVKIBMPartLoaderHelper* CPVKIBMPartLoader::CreateIBMPartLoader(CIBMPDLItem* pItem) {
  const CIBMGlobalD* pMain = pItem ? pItem->GetMainD() : nullptr;
  m_pHelper.reset();
  if (!pMain || pMain->GetLOCType() == pvk::LOC_FACET) return nullptr;
  if (pMain->GetAMTType() == pvk::AMT_NODAL_FATIGUE)
    m_pHelper = std::make_unique<CPVKIBMPartLoaderHelperFatigue>();
  else if (pMain->GetLOCType() == pvk::LOC_IBM_VOLUME_NODE)
    m_pHelper = std::make_unique<CPVKIBMPartLoaderHelperNodal>();
  return m_pHelper.get();
}

IPVKIBMPartLoaderHelper* CPVKIBMPartLoader::CreateIBMPartLoader_Deform() {
  m_pHelper = std::make_unique<CPVKIBMPartLoaderHelperDeform>();
  return m_pHelper.get();
}
