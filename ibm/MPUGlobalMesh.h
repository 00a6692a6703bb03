#pragma once
// The display mesh of a mesh post unit as the grid results read it: the cells and nodes the
// unit compiled, and the tessellation of each body set's part. A part's geometry body is
// found as the host's model finds it: the part-to-body pool (130) of the model database gives
// the body's key, the geometry entity pool the body.
#include <cstdint>
#include <span>

#include "base/Containers.h"
#include "ibm/IBMGlobalMesh.h"
#include "qve_pvk_export.h"

class CMPUPost;
class IPreDBLinker;
namespace zar::cad {
class MXBody;
class MXEntityPool;
}  // namespace zar::cad

class PVK_API CMPUGlobalMesh final : public IIBMGlobalMesh {
public:
  // Gathers the vertices of the geometry of every body set that GetEntity finds, for one load
  // of a result; without a link or an entity pool the bodies have none. The unit must outlive
  // the mesh and keep its compiled mesh.
  CMPUGlobalMesh(const CMPUPost& mpu, const IPreDBLinker* pLinker,
                 const zar::cad::MXEntityPool* pEntityPool);

  std::span<const std::int32_t> GetElemNodes(std::int32_t elem) const override;
  zar::MVector<double, 3> GetNodePos(std::int32_t node) const override;
  // Empty for a body that the unit does not show.
  std::span<const zar::MVector<double, 3>> GetBodyVertices(std::int32_t body) const override;

  // The geometry body of body set `body`'s grid part; null when the unit does not show the
  // body, the part has no body in the pool or its entity is no body.
  static const zar::cad::MXBody* GetEntity(const CMPUPost& mpu, std::int32_t body,
                                           const IPreDBLinker* pLinker,
                                           const zar::cad::MXEntityPool* pEntityPool);

private:
  const CMPUPost& m_mpu;
  zar::MArray<zar::MArray<zar::MVector<double, 3>>> m_aVertex;  // per body set
};
