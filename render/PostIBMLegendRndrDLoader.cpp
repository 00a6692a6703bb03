#include "render/PostIBMLegendRndrDLoader.h"

namespace pvk {

namespace {

constexpr unsigned short N_LOAD_VBO = 1;

}  // namespace

void CPostIBMLegendRndrDLoaderComp::SetUsedVBO(int used) {
  if (m_pLegend->GetLoadInfo() & N_LOAD_VBO) m_pLegend->SetUsedVBO(used);
}

void CIBMLegendRndrDLoader::Update(const TRndrDUpdateParam& param) {
  CIBMLegendRndrD& legend = *m_pComp->GetLegendRndrD();
  if (static_cast<std::uint32_t>(param.nUpdateKind) & legend.GetUpdateInfo()) legend.Update(param);
}

}  // namespace pvk
