#include "ibm/MPUGlobalMesh.h"

#include "base/MXEntityPool.h"
#include "ibm/MeshPostUnit.h"
#include "session/DPoolPtob.h"

CMPUGlobalMesh::CMPUGlobalMesh(const CMPUPost& mpu, const IPreDBLinker* pLinker,
                               const zar::cad::MXEntityPool* pEntityPool)
    : m_mpu(mpu) {
  const auto nSet = static_cast<std::int32_t>(mpu.GetBodySets().size());
  m_aVertex.resize(nSet);
  for (std::int32_t b = 0; b < nSet; ++b) {
    const zar::cad::MXBody* pBody = GetEntity(mpu, b, pLinker, pEntityPool);
    if (!pBody) continue;
    m_aVertex[b].reserve(pBody->GetVertexSize());
    for (std::int32_t f = 0; f < pBody->GetFaceCount(); ++f)
      if (const zar::cad::MXTessellation* pTess = pBody->GetFace(f).GetFinestTessellation())
        m_aVertex[b].insert(m_aVertex[b].end(), pTess->m_aPos.begin(), pTess->m_aPos.end());
  }
}

std::span<const std::int32_t> CMPUGlobalMesh::GetElemNodes(std::int32_t elem) const {
  return m_mpu.GetBody().GetElemNodes(elem);
}

zar::MVector<double, 3> CMPUGlobalMesh::GetNodePos(std::int32_t node) const {
  return m_mpu.GetBody().GetNodePos(node);
}

std::span<const zar::MVector<double, 3>> CMPUGlobalMesh::GetBodyVertices(std::int32_t body) const {
  if (!m_mpu.IsBodyShown(body) || static_cast<std::size_t>(body) >= m_aVertex.size()) return {};
  return m_aVertex[body];
}

const zar::cad::MXBody* CMPUGlobalMesh::GetEntity(const CMPUPost& mpu, std::int32_t body,
                                                  const IPreDBLinker* pLinker,
                                                  const zar::cad::MXEntityPool* pEntityPool) {
  const auto& sets = mpu.GetBodySets();
  if (!pLinker || !pEntityPool || !mpu.IsBodyShown(body) ||
      static_cast<std::size_t>(body) >= sets.size() || !sets[body]->m_pBndrD)
    return nullptr;
  const auto* pPool = dynamic_cast<const DPoolPtob*>(pLinker->GetTable(DPoolPtob::N_POOL));
  if (!pPool) return nullptr;
  const std::uint64_t key = pPool->GetBodyK(sets[body]->m_pBndrD->m_nPartID);
  return key ? zar::cad::MXBody::FromEntity(pEntityPool->Find(key)) : nullptr;
}
