#pragma once
// The element output vector that the import builds per line-element component vector; the
// file owns it. It gathers per element the main vector's value and the values of the related
// corner vectors: one per element node (mid-side nodes averaged from their corners), or, when
// more than three components are related, one per related vector.
#include <cstdint>
#include <span>

#include "base/Containers.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

class CPZARRecordElemIDList;
class CPZARRecordVector;

class PVK_API CPZARElemOutVector : public IPostDataUnitResultLoader<double> {
public:
  static constexpr std::size_t N_MAX_RELATED = 8;

  // Takes the main vector and, for each of its related component ids in order, the vector
  // that the element id list finds for it. An id without a vector keeps its slot, empty, so
  // that every later vector stays with its own node. Both not owned.
  void SetVector(CPZARRecordVector* pMain, const CPZARRecordElemIDList* pElemList);
  CPZARRecordVector* GetMainVector() const { return m_pMain; }
  // One slot per related component id; null where no vector was found.
  const zar::MArray<CPZARRecordVector*>& GetRelatedVectors() const { return m_aRelated; }
  // More than three related components: one value per related vector (location type 3).
  bool IsMultiComponent() const { return m_bMultiComp; }

  // Per element of `ids` that the link finds, in their order: the main value, then the node or
  // related values; an empty slot gives 0, as an absent component does. The iterators
  // receive the elements. 0 without ids or link, or when the number of ids is not the main
  // vector's value count.
  int LoadData(zar::MArray<double>& out, zar::MArray<std::uint64_t>& dbItrs, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<double>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  // Not answered (0): the values are indexed by the element id list, which iterators do not
  // give.
  int LoadData(zar::MArray<double>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  int GetDataInfo(pvk::TVResDInfo* pInfo) override;
  std::int32_t GetDataCount() const override;

private:
  // Fills one element's values, zero before: main value, then per node or per related vector.
  void FillElement(std::size_t index, std::int32_t typeCode,
                   const zar::MArray<zar::MArray<double>>& related, double main,
                   std::span<double> out) const;

  CPZARRecordVector* m_pMain = nullptr;        // not owned
  zar::MArray<CPZARRecordVector*> m_aRelated;  // not owned
  bool m_bMultiComp = false;
};
