// Writes the grid sample as a format-140 result file with 8-byte reals: the grids, their
// materials and fatigue settings, the parts' surfaces as facet blocks, and one static step of
// nodal results on the grid nodes.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "SampleIbm.h"
#include "SampleRecords.h"
#include "base/CString.h"
#include "base/ConvertString.h"
#include "resultfile/PZARFileWriter140.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVector.h"

namespace {

using Values = std::vector<double>;
using Corner = std::array<std::int32_t, 3>;

constexpr std::int32_t kFatigueMat = 1;
constexpr std::int32_t kFacetNodeBase = 10000;  // facet node id = this + grid node id
constexpr std::int32_t kTriangle = 4;           // element type code of a 3-node triangle
constexpr std::int32_t kCurvePoints = 5;
constexpr std::int32_t kVonMisesMeasure = 1;  // the fatigue stress measure

// The corners of each face of a cell (in cell steps), counter-clockwise seen from outside, and
// the neighbour across it.
struct TFace {
  std::array<Corner, 4> corner;
  Corner neighbour;
};
constexpr std::array<TFace, 6> kFaces = {{
    {{{{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}}, {-1, 0, 0}},
    {{{{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {1, 0, 1}}}, {1, 0, 0}},
    {{{{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}}, {0, -1, 0}},
    {{{{0, 1, 0}, {0, 1, 1}, {1, 1, 1}, {1, 1, 0}}}, {0, 1, 0}},
    {{{{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}}}, {0, 0, -1}},
    {{{{0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}}}, {0, 0, 1}},
}};

bool IsInsideCell(const TSampleGrid& g, const Corner& c) {
  const auto cells = g.Cells();
  for (std::size_t a = 0; a < 3; ++a)
    if (c[a] < 0 || c[a] >= cells[a]) return false;
  return g.IsInside(c[0], c[1], c[2]);
}

class CIbmSampleWriter : public CSampleRecordWriter {
public:
  CIbmSampleWriter() : CSampleRecordWriter(8) {}

  bool Write(const std::string& path) {
    const bool ok = Open(path) && Solver(L"PVK IBM SAMPLE") && Grids() && Surfaces() && Step();
    return Finish() && ok;
  }

private:
  bool Grids() {
    bool ok = true;
    for (const TSampleGrid& g : m_sample.Grids()) ok = ok && Grid(g) && Material(g) && Fatigue(g);
    return ok && FatigueMaterial();
  }

  bool Grid(const TSampleGrid& g) {
    CRecordIBMGridInfoD info(m_writer.GetFile());
    info.m_nFrame = g.local ? 0 : 1;
    info.m_nPartID = g.partID;
    info.m_nElemOrder = g.order;
    info.m_nNidStart = g.nidStart;
    info.m_aNumber = g.number;
    info.m_aMinimum = g.minimum;
    info.m_aMaximum = g.maximum;
    info.m_aLocalOrigin = g.origin;
    info.m_aLocalZ = g.axisZ;
    info.m_aLocalXZ = g.axisX;
    return Add(PZAR_RECORD_TYPE::IBM_GRID_INFO, info.m_nFrame, info);
  }

  // Steel, with a linear hardening table over the plastic strain.
  bool Material(const TSampleGrid& g) {
    CRecordIBMGridMatlD matl(m_writer.GetFile());
    TMPUMatD& d = matl.m_data;
    d.m_nPartID = g.partID;
    d.m_rE = 210000.0;
    d.m_rNu = 0.3;
    d.m_rY0 = 250.0;
    d.m_rTableXMax = 0.1;
    d.m_aTable = {250.0, 300.0, 350.0};
    return Add(PZAR_RECORD_TYPE::IBM_GRID_MATL, 0, matl);
  }

  bool Fatigue(const TSampleGrid& g) {
    CRecordIBMFatigueD fat(m_writer.GetFile());
    fat.m_data = {g.partID, kFatigueMat, kVonMisesMeasure, {10, 11, 12}, CSampleIbm::kMaxLife, 1e6};
    return Add(PZAR_RECORD_TYPE::IBM_FATIGUE, 0, fat);
  }

  // Three damage curves, one per fatigue type, rising evenly over their stress range.
  bool FatigueMaterial() {
    CRecordIBMFatMatD mat(m_writer.GetFile());
    TMPUFatMatD& d = mat.m_data;
    d.m_nMatID = kFatigueMat;
    d.m_nPointCnt = kCurvePoints;
    for (std::size_t c = 0; c < 3; ++c) {
      d.m_aLower[c] = CSampleIbm::CurveLower(static_cast<std::int32_t>(c));
      d.m_aUpper[c] = CSampleIbm::kCurveUpper;
      for (std::int32_t i = 0; i < kCurvePoints; ++i)
        d.m_aTable[c].push_back(100.0 * i / (kCurvePoints - 1));
    }
    return Add(PZAR_RECORD_TYPE::IBM_FAT_MAT, 0, mat);
  }

  // Each part's surface: the faces of its cells that no other cell of the part shares, each
  // split into two triangles, in a node and an element block keyed by the part id.
  bool Surfaces() {
    zar::MArray<pzar_writer::TNodeBlock> nodes;
    zar::MArray<pzar_writer::TElemBlock> elems;
    std::int32_t facet = 0;
    for (const TSampleGrid& g : m_sample.Grids()) {
      pzar_writer::TNodeBlock& nb = nodes.emplace_back();
      pzar_writer::TElemBlock& eb = elems.emplace_back();
      nb.nKey = eb.nKey = g.partID;
      const auto cells = g.Cells();
      for (std::int32_t ck = 0; ck < cells[2]; ++ck)
        for (std::int32_t cj = 0; cj < cells[1]; ++cj)
          for (std::int32_t ci = 0; ci < cells[0]; ++ci)
            if (g.IsInside(ci, cj, ck)) AddCellFaces(g, {ci, cj, ck}, nb, eb, facet);
    }
    return pzar_writer::WriteNodeRecord(m_writer, nodes) &&
           pzar_writer::WriteElementRecord(m_writer, elems);
  }

  void AddCellFaces(const TSampleGrid& g, const Corner& cell, pzar_writer::TNodeBlock& nb,
                    pzar_writer::TElemBlock& eb, std::int32_t& facet) {
    for (const TFace& face : kFaces) {
      const Corner next = {cell[0] + face.neighbour[0], cell[1] + face.neighbour[1],
                           cell[2] + face.neighbour[2]};
      if (IsInsideCell(g, next)) continue;
      std::array<std::int32_t, 4> ids{};
      for (std::size_t q = 0; q < 4; ++q) {
        const std::int32_t i = (cell[0] + face.corner[q][0]) * g.order;
        const std::int32_t j = (cell[1] + face.corner[q][1]) * g.order;
        const std::int32_t k = (cell[2] + face.corner[q][2]) * g.order;
        ids[q] = kFacetNodeBase + g.NodeID(i, j, k);
        if (std::find(nb.aIDs.begin(), nb.aIDs.end(), ids[q]) != nb.aIDs.end()) continue;
        const TSamplePoint p = g.Pos(i, j, k);
        nb.aIDs.push_back(ids[q]);
        nb.aXYZ.push_back({{p[0], p[1], p[2]}});
      }
      for (const auto& tri : {std::array<std::size_t, 3>{0, 1, 2}, {0, 2, 3}}) {
        pzar_writer::TElemEntry& e = eb.aElems.emplace_back();
        e.nID = ++facet;
        e.nType = kTriangle;
        for (std::size_t v = 0; v < 3; ++v) e.aNodes[v] = ids[tri[v]];
      }
    }
  }

  bool Step() {
    const auto& ids = m_sample.NodeIDs();
    return Case(L"STATIC", 1) && OutputSet(1.0, L"Step 1") &&
           IDs(PZAR_RECORD_TYPE::NODE_ID_LIST, {ids.begin(), ids.end()}) && Results();
  }

  bool Results() {
    using S = CSampleIbm;
    auto disp = [](const TSamplePoint& p) { return S::Displacement(p); };
    bool ok = Vector(101, L"DISPLACEMENT", [&](const TSamplePoint& p) {
      const TSamplePoint u = disp(p);
      return std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]);
    });
    for (std::size_t a = 0; a < 3; ++a)
      ok = ok && Vector(102 + static_cast<std::int32_t>(a), L"DISPLACEMENT",
                        [&](const TSamplePoint& p) { return disp(p)[a]; });
    for (std::size_t c = 0; c < 6; ++c) {
      auto stress = [c](const TSamplePoint& p) { return S::Stress(p)[c]; };
      ok = ok && Vector(7201 + static_cast<std::int32_t>(c), L"NODAL STRESS", stress) &&
           Vector(9007 + static_cast<std::int32_t>(c), L"FATIGUE STRESS", stress);
    }
    ok = ok && Vector(7401, L"MATERIAL DENSITY", S::Density);
    for (std::int32_t t = 0; ok && t < 3; ++t) {
      auto damage = [t](const TSamplePoint& p) { return S::Damage(p, t); };
      ok = Vector(9001 + 2 * t, L"FATIGUE DAMAGE", damage) &&
           Vector(9002 + 2 * t, L"FATIGUE LIFE", [&](const TSamplePoint& p) {
             const double d = damage(p);
             return d > 100.0 / S::kMaxLife ? 100.0 / d : S::kMaxLife;
           });
    }
    return ok;
  }

  // A node vector of `f` at every grid node of the sample.
  bool Vector(std::int32_t comp, const wchar_t* name,
              const std::function<double(const TSamplePoint&)>& f) {
    Values values;
    for (const TSamplePoint& p : m_sample.NodePos()) values.push_back(f(p));
    return CSampleRecordWriter::Vector(comp, 0, values, name);
  }

  CSampleIbm m_sample;
};

}  // namespace

std::string WriteIbmSampleFile(const std::string& path) {
  return WriteWhole({path}, [](const std::vector<std::string>& parts) -> std::string {
    return CIbmSampleWriter().Write(parts[0]) ? std::string() : "cannot write the result file";
  });
}
