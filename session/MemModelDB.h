#pragma once
// A stand-alone model database held in memory, for tests and the command-line tools: node
// and element tables, the analysis result items of table 530, named load cases, solver
// answers, an opaque body model, and the geometry bodies of the parts with their pool 130.
// Its iterators are the addresses of its item records.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/MXEntityPool.h"
#include "core/ModelDBLink.h"
#include "qve_pvk_export.h"
#include "session/DPoolPtob.h"
#include "session/MemDBTable.h"

struct TMemDBNode {
  std::int32_t m_nID;
  zar::MVector<double, 3> m_vPos;
};

struct TMemDBElem {
  static constexpr std::size_t N_MAX_NODE = 20;  // quadratic hexahedron
  std::int32_t m_nID;
  std::int32_t m_nType;
  std::array<std::int32_t, N_MAX_NODE> m_aNodeID;  // the first node-count entries are used
};

// The analysis kind code sits at byte 99, where the host's records keep it.
struct TMemDBAnalysis {
  std::int32_t m_nID;
  std::uint8_t m_aReserved[95];
  std::uint8_t m_nKind;
};
static_assert(offsetof(TMemDBAnalysis, m_nKind) == IPreDBLinker::N_ANALYSIS_KIND_BYTE &&
              sizeof(TMemDBAnalysis) > IPreDBLinker::N_ANALYSIS_KIND_BYTE);

struct TMemDBLoadCase {
  std::int32_t m_nID;
};

class PVK_API CMemModelDB : public IPreDBLinker {
public:
  const IPreDBTable* GetNodeTable() const override { return &m_tblNode; }
  const IPreDBTable* GetElementTable() const override { return &m_tblElem; }
  // 530: the analysis result items; DPoolPtob::N_POOL (130): the part-to-body pool.
  const IPreDBTable* GetTable(std::int32_t tableNo) const override;
  void* GetBodyModel() const override { return m_pBodyModel; }
  std::int32_t GetElemType(std::uint64_t element) const override;
  const TPreElemTypeInfo* GetElemTypeInfo(std::uint64_t element) const override;
  // Load cases belong to the model, so every result item sees the same ones.
  std::uint64_t FindLoadCase(std::uint64_t dbItr, const CString& title) const override;
  int QuerySolver(std::int32_t solverId) const override;
  CString GetItemName(std::uint64_t dbItr) const override;

  // Each returns the new item's iterator, or 0 when the item is rejected: a taken id, an
  // unknown element type code or a node count that does not fit the type, a taken load case
  // name.
  std::uint64_t AddNode(std::int32_t id, double x, double y, double z);
  std::uint64_t AddElement(std::int32_t id, std::int32_t typeCode,
                           std::span<const std::int32_t> nodeIds);
  std::uint64_t AddElement(std::int32_t id, std::int32_t typeCode,
                           const zar::MArray<std::int32_t>& nodeIds) {
    return AddElement(id, typeCode, std::span<const std::int32_t>(nodeIds));
  }
  // Room for that many more nodes and elements, as a file's records count them.
  void Reserve(std::size_t nodes, std::size_t elements) {
    m_tblNode.Reserve(nodes);
    m_tblElem.Reserve(elements);
    m_aElemType.reserve(m_aElemType.size() + elements);
  }
  // Analysis items are numbered 1, 2, 3, ... in the order they are added.
  std::uint64_t AddAnalysisItem(std::uint8_t kindCode, const CString& name);
  std::uint64_t AddLoadCase(const CString& name);
  void SetSolverAnswer(std::int32_t solverId, int answer) { m_mapSolver[solverId] = answer; }
  void SetBodyModel(void* bodyModel) { m_pBodyModel = bodyModel; }
  // Puts the body into the geometry pool as the body of the part; its key, or 0 when the
  // body is null or the part has a body already (the body is then dropped).
  std::uint64_t AddBody(std::int32_t partID, std::unique_ptr<zar::cad::MXBody> pBody);
  const DPoolPtob& GetPartBodyPool() const { return m_poolPtob; }
  // The geometry the grid interpolation samples.
  zar::cad::MXEntityPool& GetEntityPool() { return m_poolEntity; }

  // Null when the iterator names no item of that kind.
  const TMemDBNode* GetNode(std::uint64_t dbItr) const { return m_tblNode.Find(dbItr); }
  const TMemDBElem* GetElement(std::uint64_t dbItr) const { return m_tblElem.Find(dbItr); }
  // Calls f(const TMemDBNode&) or f(const TMemDBElem&) for every node or element in key order.
  template <class F>
  void ForEachNode(F f) const {
    m_tblNode.ForEach(f);
  }
  template <class F>
  void ForEachElement(F f) const {
    m_tblElem.ForEach(f);
  }
  const TMemDBAnalysis* GetAnalysisItem(std::uint64_t dbItr) const {
    return m_tblAnalysis.Find(dbItr);
  }

private:
  CMemDBTable<TMemDBNode> m_tblNode;
  CMemDBTable<TMemDBElem> m_tblElem;
  // The type code of each element by key: the loaders ask for it element after element, and a
  // flat column of it stays in cache where the element records do not.
  std::vector<std::uint8_t> m_aElemType;
  CMemDBTable<TMemDBAnalysis> m_tblAnalysis;
  CMemDBTable<TMemDBLoadCase> m_tblLoadCase;
  std::unordered_map<std::wstring, std::uint64_t> m_mapLoadCase;
  std::unordered_map<std::uint64_t, CString> m_mapName;
  std::unordered_map<std::int32_t, int> m_mapSolver;
  void* m_pBodyModel = nullptr;  // not owned
  DPoolPtob m_poolPtob;
  zar::cad::MXEntityPool m_poolEntity;
};
