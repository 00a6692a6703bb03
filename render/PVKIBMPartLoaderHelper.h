#pragma once
// The helpers that turn one grid result of a display item into the textures a grid body's
// shaders sample: one texel per grid point of the body set's grid record, the texel of node id
// n at n minus the grid's first node id. Grid points without a value keep 0.0.
//
// Failures (a grid whose size is impossible for its body, data that hold no value per grid
// node, a texture the backend refuses) return 0 and keep the reason; node ids outside the grid
// are skipped, counted and reported as a warning.
#include <cstdint>
#include <memory>
#include <span>

#include "base/CString.h"
#include "base/Containers.h"
#include "ibm/IBMGlobalD.h"
#include "ibm/MPURecords.h"
#include "ibm/MeshPostUnit.h"
#include "qve_pvk_export.h"
#include "render/PartHelper.h"
#include "render/Texture.h"

class CIBMPDLItem;

class PVK_API IPVKIBMPartLoaderHelper : public zar::render::MPartHelper {
public:
  // A body may fill its bounding grid sparsely, but not more sparsely than this: a grid with
  // more points per node of its body set is refused rather than allocated.
  static constexpr std::int64_t N_MAX_GRID_POINT_PER_NODE = 64;

  virtual TMPUBndrD* GetBndrData() = 0;
  // Each returns 1, or 0 with the reason kept.
  virtual int SetInit(CIBMPDLItem* pItem, TMPUBodySet* pSet) = 0;
  virtual int SetData(CIBMPDLItem* pItem, TMPUBodySet* pSet) = 0;
  // Deletes the textures.
  virtual void GLInitTexture() = 0;
  // Makes the textures from the buffers, replacing (and deleting) those made before.
  virtual int GLSetTexture(CIBMPDLItem* pItem, TMPUBodySet* pSet) = 0;

  // SetInit, SetData and GLSetTexture; 1 when all succeeded.
  int GLCreateTexture(CIBMPDLItem* pItem, TMPUBodySet* pSet);
  void GLDeleteTexture() { GLInitTexture(); }

  zar::MArray<std::uint64_t>* GetChildGKey() const { return m_pChildGKey; }
  void SetChildGKey(zar::MArray<std::uint64_t>* pKeys) { m_pChildGKey = pKeys; }
  const CString& GetReason() const { return m_strReason; }
  // Nodes of the last SetData skipped for an id outside the grid or a value index past the
  // data.
  std::int64_t GetSkippedNodeCount() const { return m_nSkippedNode; }

protected:
  // Keeps the reason, sends it as a warning and returns 0.
  int Fail(const CString& reason);
  // The grid point count of the grid record, or -1 with the reason kept when a count is
  // negative, the points overflow 32-bit node ids, or they are too many for the body set.
  std::int64_t CheckGrid(const TMPUBndrD& grid, const TMPUBodySet& set);
  // The number of values of the data, or -1 with the reason kept when the data (named by
  // what) are missing, not indexed per node of their mesh post unit, or lack one of comps.
  std::int64_t CheckNodalData(const CIBMGlobalD* pData, std::span<const std::int32_t> comps,
                              const wchar_t* what);
  // Calls f(texel, data start index) for each node of the set that the data's unit knows and
  // that has a value. Node ids outside the grid's nPoints and start indices at or past
  // nValues are skipped, counted and reported.
  template <class F>
  void ForEachTexel(const CIBMGlobalD& data, std::int64_t nValues, const TMPUBodySet& set,
                    const TMPUBndrD& grid, std::int64_t nPoints, F f);
  // Keeps the reason of a texture that failed (the texture has warned already); returns 0.
  int TextureFailed(const zar::oglib::MTexture& tex);
  // A volume texture of the grid's extents over texels of one format.
  int MakeVolumeTexture(std::unique_ptr<zar::oglib::MTexture>& tex, const TMPUBndrD& grid,
                        unsigned internalFormat, unsigned format, std::span<const float> texels);

private:
  void ReportSkipped(std::int64_t skipped);

  zar::MArray<std::uint64_t>* m_pChildGKey = nullptr;  // not owned
  CString m_strReason;
  std::int64_t m_nSkippedNode = 0;
};

template <class F>
void IPVKIBMPartLoaderHelper::ForEachTexel(const CIBMGlobalD& data, std::int64_t nValues,
                                           const TMPUBodySet& set, const TMPUBndrD& grid,
                                           std::int64_t nPoints, F f) {
  const CMPUBody& body = data.GetMPU()->GetBody();
  const zar::MArray<std::int32_t>& dsi = data.GetDSI();
  const zar::MArray<std::int32_t>& dct = data.GetDCT();
  const std::int64_t first = grid.m_nNidStart;
  std::int64_t skipped = 0;
  for (const std::int32_t id : set.m_aNodeID) {
    const std::int64_t texel = id - first;
    if (texel < 0 || texel >= nPoints) {
      ++skipped;
      continue;
    }
    const std::int32_t node = body.FindNodeIndex(id);
    if (node < 0 || dct[node] == 0) continue;
    if (dsi[node] < 0 || dsi[node] >= nValues)
      ++skipped;
    else
      f(texel, dsi[node]);
  }
  ReportSkipped(skipped);
}
