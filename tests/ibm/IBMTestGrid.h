#pragma once
// A mesh post unit with regular grid bodies and the display mesh of their cells, for the grid
// result tests and benchmarks. Node ids run over the grid points of each body from the body's
// first node id; element ids are the running cell number over all bodies + 1; a grid point is
// a node when a kept cell uses it.
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "base/Containers.h"
#include "datastore/PostPartialDList.h"
#include "ibm/IBMGlobalMesh.h"
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
};

inline Vec3 Rotate(const Mat3& r, const Vec3& p) {
  Vec3 q;
  for (int i = 0; i < 3; ++i) q[i] = r[i][0] * p[0] + r[i][1] * p[1] + r[i][2] * p[2];
  return q;
}
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
    std::int32_t nidStart = 1, cellStart = 0;
    for (const TGridBody& b : bodies) AddBody(b, nidStart, cellStart);
    mpu.CompileVolume(nullptr);
    display.SetCount(mpu.GetBodyCount());
    for (std::size_t i = 0; i < m_elemNodeIDs.size(); ++i) {
      m_elemNodes.emplace_back();
      for (const std::int32_t id : m_elemNodeIDs[i])
        m_elemNodes.back().push_back(mpu.GetBody().FindNodeIndex(id));
    }
    m_pos.resize(mpu.GetBody().GetNodeSize());
    for (std::size_t id = 0; id < m_nodePos.size(); ++id) {
      const std::int32_t nd = m_nodeUsed[id] ? mpu.GetBody().FindNodeIndex(std::int32_t(id)) : -1;
      if (nd >= 0) m_pos[nd] = m_nodePos[id];
    }
    for (std::size_t b = 0; b < bodies.size(); ++b) vertices.emplace_back();
  }

  std::span<const std::int32_t> GetElemNodes(std::int32_t e) const override {
    return m_elemNodes.at(e);
  }
  Vec3 GetNodePos(std::int32_t nd) const override { return m_pos.at(nd); }
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
      for (std::int32_t c = 0; c < nComp; ++c) part->GetComp(c)->push_back(value(c, m_pos[nd]));
    }
    return list;
  }

  CMPUPost mpu;
  CMPUData display;
  std::vector<std::vector<Vec3>> vertices;  // per body, filled by the tests

private:
  void AddBody(const TGridBody& b, std::int32_t& nidStart, std::int32_t& cellStart) {
    TMPUBodySet* set = mpu.MakeBodySet();
    set->m_nBodyID = static_cast<std::int32_t>(mpu.GetBodySets().size());
    TMPUBndrD* g = set->m_pBndrD = mpu.MakeBndrD();
    g->m_nElemOrder = b.order;
    g->m_nAlign = b.rot == Mat3{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}} ? 1 : 0;
    g->m_nNidStart = nidStart;
    for (int a = 0; a < 3; ++a) {
      g->m_aNumber[a] = b.cells[a] * b.order + 1;
      g->m_aOrigin[a] = b.origin[a];
      g->m_aOrigin2[a] = b.origin2[a];
      g->m_aExtent[a] = b.step * b.cells[a] * b.order;
      g->m_aStep[a] = {};
      g->m_aStep[a][a] = b.step;
      g->m_aRot[a] = b.rot[a];
    }
    const auto& n = g->m_aNumber;
    m_nodePos.resize(nidStart + n[0] * n[1] * n[2]);
    m_nodeUsed.resize(m_nodePos.size(), 0);
    for (std::int32_t k = 0; k < b.cells[2]; ++k)
      for (std::int32_t j = 0; j < b.cells[1]; ++j)
        for (std::int32_t i = 0; i < b.cells[0]; ++i) {
          const std::int32_t cell = cellStart + i + b.cells[0] * (j + b.cells[1] * k);
          if (b.keep && !b.keep(i, j, k)) continue;
          set->m_aElemID.push_back(cell + 1);
          auto& ids = m_elemNodeIDs.emplace_back();
          const std::int32_t nDisplay = b.order == 1 ? 8 : 27;
          for (std::int32_t d = 0; d < nDisplay; ++d) {
            const auto& x = pvk::ibm::kHexaNodeNatural[d];
            std::array<std::int32_t, 3> gp;
            for (int a = 0; a < 3; ++a)
              gp[a] = (std::array{i, j, k}[a]) * b.order + (x[a] + 1) * b.order / 2;
            const std::int32_t id = nidStart + gp[0] + n[0] * (gp[1] + n[1] * gp[2]);
            ids.push_back(id);
            Vec3 q{{gp[0] * b.step, gp[1] * b.step, gp[2] * b.step}};
            m_nodePos[id] = RotateBack(b.rot, q + b.origin) + b.origin2;
            m_nodeUsed[id] = 1;
          }
        }
    for (std::int32_t id = nidStart; id < std::int32_t(m_nodePos.size()); ++id)
      if (m_nodeUsed[id]) set->m_aNodeID.push_back(id);
    nidStart += n[0] * n[1] * n[2];
    cellStart += b.cells[0] * b.cells[1] * b.cells[2];
  }

  std::vector<std::vector<std::int32_t>> m_elemNodeIDs;
  std::vector<Vec3> m_nodePos;  // by node id
  std::vector<char> m_nodeUsed;
  std::vector<std::vector<std::int32_t>> m_elemNodes;
  std::vector<Vec3> m_pos;
};

}  // namespace ibmtest
