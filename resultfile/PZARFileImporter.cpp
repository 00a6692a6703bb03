#include "resultfile/PZARFileImporter.h"

#include "resultfile/PZARFileImportHelper140.h"

CPZARFileImporter::CPZARFileImporter(PZAR_RECORD_VER::E_VER version, std::int32_t fileType) {
  if (version == PZAR_RECORD_VER::VER_130)
    m_pHelper = std::make_unique<CPZARFileImportHelper_130>(fileType);
  else if (version == PZAR_RECORD_VER::VER_140 || version == PZAR_RECORD_VER::VER_150)
    m_pHelper = std::make_unique<CPZARFileImportHelper_140>(fileType);
}

CPZARFileImporter::~CPZARFileImporter() = default;

void CPZARFileImporter::Initialize(TPostImportInfo* pInfo) {
  if (m_pHelper) m_pHelper->Initialize(pInfo);
}

void CPZARFileImporter::Import() {
  if (m_pHelper) m_pHelper->Import();
}

std::uint64_t CPZARFileImporter::CreatePOHMcas() {
  return m_pHelper ? m_pHelper->CreatePOHMcas() : 0;
}

int CPZARFileImporter::CreatePOHMcas_without_DBOperation(CPOHMcas* pMcas) {
  return m_pHelper ? m_pHelper->CreatePOHMcas_without_DBOperation(pMcas) : 0;
}

void CPZARFileImporter::GetVolumeData(zar::MArray<char>* pNodeFlags,
                                      zar::MArray<char>* pCellFlags) const {
  if (!m_pHelper) return;
  if (pNodeFlags) *pNodeFlags = m_pHelper->GetVolumeNodeFlags();
  if (pCellFlags) *pCellFlags = m_pHelper->GetVolumeCellFlags();
}

void CPZARFileImporter::GetFacetNodeData(zar::MArray<int>* pIDs,
                                         zar::MArray<zar::MVector<double, 3>>* pPos) const {
  if (!m_pHelper) return;
  if (pIDs) *pIDs = m_pHelper->GetFacetNodeIDs();
  if (pPos) *pPos = m_pHelper->GetFacetNodePos();
}

void CPZARFileImporter::GetFacetElemData(zar::MArray<int>* pA, zar::MArray<int>* pB,
                                         zar::MArray<int>* pC, zar::MArray<int>* pD) const {
  if (!m_pHelper) return;
  zar::MArray<int>* out[4] = {pA, pB, pC, pD};
  for (std::size_t i = 0; i < 4; ++i)
    if (out[i]) *out[i] = m_pHelper->GetFacetElemData()[i];
}
