#pragma once
// The mesh post unit: the display mesh of a result file's implicit-boundary-method grids.
// The result file fills it after the import (grid, material, fatigue, optimisation and board
// blocks, volume and facet data) and compiles it; the grid results read it.
#include <cstdint>
#include <memory>
#include <utility>

#include "base/CString.h"
#include "base/Containers.h"
#include "ibm/MPUBody.h"
#include "ibm/MPUData.h"
#include "ibm/MPUFacet.h"
#include "ibm/MPUIndexMap.h"
#include "ibm/MPURecords.h"
#include "qve_pvk_export.h"

class PVK_API CMPUPost {
public:
  template <class T>
  using TOwnedList = zar::MArray<std::unique_ptr<T>>;

  CMPUPost() = default;
  virtual ~CMPUPost() = default;
  CMPUPost(const CMPUPost&) = delete;
  CMPUPost& operator=(const CMPUPost&) = delete;

  // Empties what the implicit-boundary-method records fill and what the compiles build.
  // The volume and facet data stay, since they are copied in before the records are read.
  void Clear();

  // Each returns a new empty block owned by the unit.
  TMPUBndrD* MakeBndrD() { return MakeIn(m_aBndrD); }
  TMPUFatMatD* MakeFatMatD() { return MakeIn(m_aFatMatD); }
  TMPUFatD* MakeFatD() { return MakeIn(m_aFatD); }
  TMPUMatD* MakeMatD() { return MakeIn(m_aMatD); }
  TMPUBodySet* MakeBodySet() { return MakeIn(m_aBodySet); }

  const TOwnedList<TMPUBndrD>& GetBndrDList() const { return m_aBndrD; }
  const TOwnedList<TMPUFatMatD>& GetFatMatDList() const { return m_aFatMatD; }
  const TOwnedList<TMPUFatD>& GetFatDList() const { return m_aFatD; }
  const TOwnedList<TMPUMatD>& GetMatDList() const { return m_aMatD; }
  const TOwnedList<TMPUBodySet>& GetBodySets() const { return m_aBodySet; }

  // The fixed design domain grid ids of a topology optimisation.
  zar::MArray<std::int32_t>& GetOptimizeD() { return m_aOptimizeD; }
  const zar::MArray<std::int32_t>& GetOptimizeD() const { return m_aOptimizeD; }
  // The property ids of a printed-circuit-board post-processing.
  zar::MArray<std::int32_t>& GetPCBD() { return m_aPCBD; }
  const zar::MArray<std::int32_t>& GetPCBD() const { return m_aPCBD; }

  // Grid node flags by grid node id, cell flags by running cell number.
  void SetVolumeData(zar::MArray<char> nodeFlags, zar::MArray<char> cellFlags);
  const zar::MArray<char>& GetGridNodeFlags() const { return m_aGridNodeFlag; }
  const zar::MArray<char>& GetCellFlags() const { return m_aCellFlag; }
  void SetFacetNodeData(zar::MArray<std::int32_t> ids, zar::MArray<zar::MVector<double, 3>> pos);
  // The meaning of the four arrays is given with CMPUFacet.
  void SetFacetElemData(zar::MArray<std::int32_t> facetIDs, zar::MArray<std::int32_t> elemIDs,
                        zar::MArray<std::int32_t> bodyIDs, zar::MArray<std::int32_t> nodeIDs);

  // With volume data, builds one body set per grid record (in record order, with the part's
  // fatigue, fatigue material and material records) and the volume mesh of the flagged nodes
  // and cells (see MPUVolume.h). Without volume data, the body sets made by hand stay and
  // their ids are numbered. 0, with the volume mesh and the body sets empty and the reason
  // kept, when the grids and the flags do not fit together. The grids carry everything the
  // mesh needs: the host's body model is not read, nor kept.
  int CompileVolume(void* bodyModel);
  // Builds the facet structure from the facet data; 0, with it empty and the reason kept,
  // when the facet arrays do not fit together.
  int CompileFacet();
  int RebuildMPU(void* bodyModel);
  // Why the last compile failed; empty after one that succeeded.
  const CString& GetVolumeReason() const { return m_strVolumeReason; }
  const CString& GetFacetReason() const { return m_facet.GetReason(); }

  const CMPUBody& GetBody() const { return m_body; }
  const CMPUFacet& GetFacet() const { return m_facet; }

  // The bodies: the body sets in order, then the bodies that only have facets. A body's
  // data index names its record in the display's CMPUData.
  std::int32_t GetBodyCount() const { return static_cast<std::int32_t>(m_aBodyID.size()); }
  std::int32_t FindBodyIndex(std::int32_t bodyID) const { return FindMPUIndex(m_mapBody, bodyID); }
  std::int32_t GetBodyID(std::int32_t idx) const { return GetMPUId(m_aBodyID, idx); }
  bool IsBodyShown(std::int32_t idx) const { return IsBodyIndex(idx) && m_aBodyShown[idx]; }
  void SetBodyShown(std::int32_t idx, bool shown);
  std::int32_t GetBodyDataIndex(std::int32_t idx) const { return IsBodyIndex(idx) ? idx : -1; }
  // Whether the body counts for data ranges: shown here, and shown and flagged as showing
  // results in the display.
  bool IsBodyShowingResult(std::int32_t idx, const CMPUData* data) const;
  // A display of every body, each shown and showing results.
  CMPUData MakeData() const;

private:
  template <class T>
  static T* MakeIn(TOwnedList<T>& list) {
    return list.emplace_back(std::make_unique<T>()).get();
  }
  bool IsBodyIndex(std::int32_t idx) const { return idx >= 0 && idx < GetBodyCount(); }
  void RebuildBodyList();
  int BuildGridBodies();
  void AttachRecords(TMPUBodySet& set) const;

  TOwnedList<TMPUBndrD> m_aBndrD;
  TOwnedList<TMPUFatMatD> m_aFatMatD;
  TOwnedList<TMPUFatD> m_aFatD;
  TOwnedList<TMPUMatD> m_aMatD;
  TOwnedList<TMPUBodySet> m_aBodySet;
  zar::MArray<std::int32_t> m_aOptimizeD;
  zar::MArray<std::int32_t> m_aPCBD;
  zar::MArray<char> m_aGridNodeFlag;
  zar::MArray<char> m_aCellFlag;

  CString m_strVolumeReason;
  CMPUBody m_body;
  CMPUFacet m_facet;
  zar::MArray<std::int32_t> m_aBodyID;
  TMPUIndexMap m_mapBody;
  zar::MArray<unsigned char> m_aBodyShown;
};
