#pragma once
// Stand-in for the geometry library's bodies: entities of the geometry pool whose faces carry
// triangle tessellations. It offers what the grid interpolation reads of a body: its faces
// and the vertex positions of their finest tessellation.
#include <cstdint>
#include <utility>

#include "base/Containers.h"
#include "qve_pvk_export.h"

namespace zar::cad {

// One tessellation of a face: the vertex positions (its position pool) and the triangles as
// three indices into them.
struct MXTessellation {
  zar::MArray<zar::MVector<double, 3>> m_aPos;
  zar::MArray<std::int32_t> m_aTri;
};

class PVK_API MXFace {
public:
  // Levels are added from coarse to fine.
  void AddTessellation(MXTessellation tess) { m_aLevel.push_back(std::move(tess)); }
  std::int32_t GetTessellationCount() const { return static_cast<std::int32_t>(m_aLevel.size()); }
  // The finest level; null for a face without tessellation.
  const MXTessellation* GetFinestTessellation() const {
    return m_aLevel.empty() ? nullptr : &m_aLevel.back();
  }
  std::int32_t GetVertexSize() const {
    const MXTessellation* pTess = GetFinestTessellation();
    return pTess ? static_cast<std::int32_t>(pTess->m_aPos.size()) : 0;
  }

private:
  zar::MArray<MXTessellation> m_aLevel;
};

class PVK_API MXEntity {
public:
  static constexpr std::int32_t N_TYPE_BODY = 5;

  virtual ~MXEntity() = default;
  virtual std::int32_t GetType() const = 0;
  // The key the pool gave the entity; 0 outside a pool.
  std::uint64_t GetKey() const { return m_nKey; }

private:
  friend class MXEntityPool;
  std::uint64_t m_nKey = 0;
};

class PVK_API MXBody final : public MXEntity {
public:
  std::int32_t GetType() const override { return N_TYPE_BODY; }
  // The entity as a body; null when it is none.
  static const MXBody* FromEntity(const MXEntity* pEntity) {
    return pEntity && pEntity->GetType() == N_TYPE_BODY ? static_cast<const MXBody*>(pEntity)
                                                        : nullptr;
  }

  MXFace& AddFace() { return m_aFace.emplace_back(); }
  std::int32_t GetFaceCount() const { return static_cast<std::int32_t>(m_aFace.size()); }
  const MXFace& GetFace(std::int32_t idx) const { return m_aFace.at(idx); }
  // Over all faces, at their finest tessellation.
  std::int32_t GetVertexSize() const {
    std::int32_t n = 0;
    for (const MXFace& face : m_aFace) n += face.GetVertexSize();
    return n;
  }

private:
  zar::MArray<MXFace> m_aFace;
};

}  // namespace zar::cad
