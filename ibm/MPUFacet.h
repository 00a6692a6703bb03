#pragma once
// The facet mesh of the mesh post unit: triangles grouped by element and by body.
//
// The facet data arrive as facet nodes (ids and coordinates) and four element arrays:
//   0: facet id, one per facet;
//   1: id of the element that owns the facet, one per facet;
//   2: id of the body that owns the facet, one per facet;
//   3: the facet's three node ids, three per facet.
#include <array>
#include <cstdint>
#include <span>
#include <utility>

#include "base/CString.h"
#include "base/Containers.h"
#include "ibm/MPUIndexMap.h"
#include "qve_pvk_export.h"

// One facet: indices of its three nodes in the facet node arrays, -1 for an unknown node id.
struct TMPUFacetRec {
  std::int32_t m_aNode[3];
};
static_assert(sizeof(TMPUFacetRec) == 12);

struct TMPUFacetGroup {
  std::int32_t m_nBodyID;
  zar::MArray<std::int32_t> m_aFacetID;
};

// A view into the facet structure; valid until the facet mesh changes.
struct TMPUFacetStruct {
  const zar::MArray<TMPUFacetGroup>* m_pGroup;
  const TMPUIndexMap* m_pFacetMap;  // facet id to facet index
};

class PVK_API CMPUFacet {
public:
  static constexpr std::size_t N_ELEM_ARRAY = 4;
  using TElemArrays = std::array<zar::MArray<std::int32_t>, N_ELEM_ARRAY>;

  void SetNodeData(zar::MArray<std::int32_t> ids, zar::MArray<zar::MVector<double, 3>> pos);
  void SetElemData(TElemArrays elem) { m_aElemIn = std::move(elem); }
  // Builds the structure from the data set in; 0 when the array sizes do not fit together or
  // a facet id repeats, which leaves the structure empty and keeps the reason.
  int Compile();
  // Why the last compile failed; empty after one that succeeded.
  const CString& GetReason() const { return m_strReason; }
  // Empties the structure and keeps the data set in.
  void ClearStruct();

  TMPUFacetStruct GetStruct() const { return {&m_aGroup, &m_mapFacet}; }
  std::int32_t GetFacetSize() const { return static_cast<std::int32_t>(m_aFacet.size()); }
  std::int32_t GetElemSize() const { return static_cast<std::int32_t>(m_aElemID.size()); }
  std::int32_t FindFacetIndex(std::int32_t id) const { return FindMPUIndex(m_mapFacet, id); }
  std::int32_t FindElemIndex(std::int32_t id) const { return FindMPUIndex(m_mapElem, id); }
  // The index of the body's facet group.
  std::int32_t FindGroupIndex(std::int32_t bodyID) const { return FindMPUIndex(m_mapBody, bodyID); }
  std::int32_t GetFacetID(std::int32_t idx) const { return GetMPUId(m_aFacetID, idx); }
  std::int32_t GetElemID(std::int32_t idx) const { return GetMPUId(m_aElemID, idx); }
  const TMPUFacetRec& GetFacet(std::int32_t idx) const { return m_aFacet.at(idx); }
  std::int32_t GetElemFacetCount(std::int32_t idx) const { return m_aElemFacetCnt.at(idx); }
  // Indices of the element's facets, in facet order.
  std::span<const std::int32_t> GetElemFacets(std::int32_t idx) const;
  const zar::MArray<std::int32_t>& GetNodeID() const { return m_aNodeIDIn; }
  const zar::MArray<zar::MVector<double, 3>>& GetNodePos() const { return m_aNodePosIn; }

private:
  // Why the arrays do not fit together; empty when they do.
  CString CheckInput() const;
  // The element index of the new facet; -1 when its id is taken.
  std::int32_t AddFacet(std::size_t f, const TMPUIndexMap& nodeMap);
  std::int32_t AddToElem(std::int32_t elemID);
  void AddToGroup(std::int32_t bodyID, std::int32_t facetID);
  void BuildElemFacets(const zar::MArray<std::int32_t>& facetElem);

  zar::MArray<std::int32_t> m_aNodeIDIn;
  zar::MArray<zar::MVector<double, 3>> m_aNodePosIn;
  TElemArrays m_aElemIn;
  CString m_strReason;

  zar::MArray<TMPUFacetRec> m_aFacet;
  zar::MArray<std::int32_t> m_aFacetID;
  TMPUIndexMap m_mapFacet;
  zar::MArray<std::int32_t> m_aElemID;
  TMPUIndexMap m_mapElem;
  zar::MArray<std::int32_t> m_aElemFacetCnt;
  zar::MArray<std::int32_t> m_aElemFacetStart;
  zar::MArray<std::int32_t> m_aElemFacet;  // facet indices, element after element
  zar::MArray<TMPUFacetGroup> m_aGroup;
  TMPUIndexMap m_mapBody;
};
