#pragma once
// A mesh post unit compiled from regular grids and volume flags, for the grid result tests and
// benchmarks: the cells a body keeps are flagged, and with them the grid points they use. The
// tessellation vertices of each body are the tests' to fill.
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "base/Containers.h"
#include "datastore/PostPartialDList.h"
#include "ibm/IBMGlobalMesh.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/ShapeFuncHexa.h"

namespace ibmtest {

using Vec3 = zar::MVector<double, 3>;
using Mat3 = std::array<std::array<double, 3>, 3>;

struct TGridBody {
  std::int32_t order = 1;  // 1: 8-node cells, 2: 20-node cells
  std::array<std::int32_t, 3> cells{2, 2, 2};
  double step = 1.0;  // grid point spacing along every axis
  Vec3 origin{};
  Mat3 rot{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};  // rows: the grid axes
  Vec3 origin2{};
  std::function<bool(std::int32_t, std::int32_t, std::int32_t)> keep;  // null keeps all
  // 1: one more grid point along the axis of a quadratic grid, the half cell it ends is no cell
  std::array<std::int32_t, 3> halfCell{};
};

inline Vec3 RotateBack(const Mat3& r, const Vec3& q) {
  Vec3 p;
  for (int i = 0; i < 3; ++i) p[i] = r[0][i] * q[0] + r[1][i] * q[1] + r[2][i] * q[2];
  return p;
}

// A rotation by angle about the unit axis (Rodrigues), as rows.
inline Mat3 AxisRotation(Vec3 axis, double angle) {
  axis.Normalize();
  const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
  const double x = axis[0], y = axis[1], z = axis[2];
  return {{{t * x * x + c, t * x * y + s * z, t * x * z - s * y},
           {t * x * y - s * z, t * y * y + c, t * y * z + s * x},
           {t * x * z + s * y, t * y * z - s * x, t * z * z + c}}};
}

class CTestGrid : public IIBMGlobalMesh {
public:
  explicit CTestGrid(const std::vector<TGridBody>& bodies) {
    zar::MArray<char> nodeFlags, cellFlags;
    std::int32_t nidStart = 1;
    for (const TGridBody& b : bodies) AddBody(b, nidStart, nodeFlags, cellFlags);
    mpu.SetVolumeData(std::move(nodeFlags), std::move(cellFlags));
    mpu.CompileVolume(nullptr);
    m_pMesh = std::make_unique<CMPUGlobalMesh>(mpu, nullptr, nullptr);
    display.SetCount(mpu.GetBodyCount());
    vertices.resize(bodies.size());
  }

  std::span<const std::int32_t> GetElemNodes(std::int32_t e) const override {
    return m_pMesh->GetElemNodes(e);
  }
  Vec3 GetNodePos(std::int32_t nd) const override { return m_pMesh->GetNodePos(nd); }
  std::span<const Vec3> GetBodyVertices(std::int32_t b) const override { return vertices.at(b); }

  // A block of nodal values of every node: value(c, world position).
  template <class F>
  std::shared_ptr<CPostPartialDList> Values(pvk::AMT_TYPE amt, std::int32_t nComp, F value,
                                            std::function<bool(std::int32_t)> has = {}) const {
    auto list = std::make_shared<CPostPartialDList>();
    CPostPartialD* part = list->Add();
    part->Init(amt, pvk::LOC_NODE, nComp);
    for (std::int32_t nd = 0; nd < mpu.GetBody().GetNodeSize(); ++nd) {
      const std::int32_t id = mpu.GetBody().GetNodeID(nd);
      if (has && !has(id)) continue;
      part->GetKey()->push_back(id);
      for (std::int32_t c = 0; c < nComp; ++c)
        part->GetComp(c)->push_back(value(c, GetNodePos(nd)));
    }
    return list;
  }

  CMPUPost mpu;
  CMPUData display;
  std::vector<std::vector<Vec3>> vertices;  // per body, filled by the tests

private:
  // The grid record of the body and its flags: the kept cells in the unit's walk order, the
  // grid points of their display nodes by node id.
  void AddBody(const TGridBody& b, std::int32_t& nidStart, zar::MArray<char>& nodeFlags,
               zar::MArray<char>& cellFlags) {
    TMPUBndrD* g = mpu.MakeBndrD();
    g->m_nPartID = static_cast<std::int32_t>(mpu.GetBndrDList().size());
    g->m_nElemOrder = b.order;
    g->m_nAlign = b.rot == Mat3{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}} ? 1 : 0;
    g->m_nNidStart = nidStart;
    for (int a = 0; a < 3; ++a) {
      g->m_aNumber[a] = b.cells[a] * b.order + 1 + b.halfCell[a];
      g->m_aOrigin[a] = b.origin[a];
      g->m_aOrigin2[a] = b.origin2[a];
      g->m_aExtent[a] = b.step * (g->m_aNumber[a] - 1);
      g->m_aStep[a] = {};
      g->m_aStep[a][a] = b.step;
      g->m_aRot[a] = b.rot[a];
    }
    const auto& n = g->m_aNumber;
    nodeFlags.resize(nidStart + n[0] * n[1] * n[2], 0);
    const std::int32_t nDisplay = b.order == 1 ? 8 : 27;
    // The import flags a half cell like a whole one.
    for (std::int32_t k = 0; k < b.cells[2] + b.halfCell[2]; ++k)
      for (std::int32_t j = 0; j < b.cells[1] + b.halfCell[1]; ++j)
        for (std::int32_t i = 0; i < b.cells[0] + b.halfCell[0]; ++i) {
          const bool whole = i < b.cells[0] && j < b.cells[1] && k < b.cells[2];
          const bool kept = whole && (!b.keep || b.keep(i, j, k));
          cellFlags.push_back(kept || !whole);
          for (std::int32_t d = 0; kept && d < nDisplay; ++d) {
            const auto& x = pvk::ibm::kHexaNodeNatural[d];
            const std::int32_t gi = i * b.order + (x[0] + 1) * b.order / 2;
            const std::int32_t gj = j * b.order + (x[1] + 1) * b.order / 2;
            const std::int32_t gk = k * b.order + (x[2] + 1) * b.order / 2;
            nodeFlags[nidStart + gi + n[0] * (gj + n[1] * gk)] = 1;
          }
        }
    nidStart += n[0] * n[1] * n[2];
  }

  std::unique_ptr<CMPUGlobalMesh> m_pMesh;
};

}  // namespace ibmtest
