#include "ibm/PostFileMPUProvider.h"

#include <algorithm>

#include "ibm/IBMPDLResultCase.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PostFile.h"
#include "session/POHScas.h"
#include "session/PostFileManager.h"
#include "vresult/VResult.h"

CMPUPost* CPostFileMPUProvider::GetMPUPost(std::uint64_t key) const {
  const IPostFile* pFile = key ? m_manager.GetPostFile(key) : nullptr;
  return pFile ? pFile->GetMPUPost() : nullptr;
}

std::int32_t CPostFileMPUProvider::GetAnalType(const CVResult& vr) const {
  const CPOHScas* pSubCase = pvk::ibm::FindResultSubCase(vr);
  return pSubCase ? pSubCase->GetMecAnalType() : 0;
}

double CPostFileMPUProvider::GetFatigueMax(const CVResult& vr) const {
  const CMPUPost* pMPU = GetMPUPost(vr.GetPOHMcas());
  if (!pMPU || pMPU->GetFatDList().empty()) return pvk::TDLoadOpt{}.rFatigueMax;
  double rMax = pMPU->GetFatDList().front()->m_rInfiniteLife;
  for (const auto& pFatD : pMPU->GetFatDList()) rMax = std::max(rMax, pFatD->m_rInfiniteLife);
  return rMax;
}

bool CPostFileMPUProvider::GetSigmaFactor(const CVResult&, double&) const { return false; }
