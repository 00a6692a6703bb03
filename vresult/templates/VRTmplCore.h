#pragma once
// What the scalar and vector result templates share: binding the data sets of a step by
// component id, and loading the bound components into the value columns of a block.
#include <cstdint>
#include <span>
#include <vector>

#include "base/Containers.h"
#include "core/ResultId.h"
#include "datastore/PostDSetType.h"
#include "vresult/VResultTypes.h"

class CPostDSet;
class CPostPartialD;
class CVResult;

namespace pvk::vrtmpl {

// How a template binds: the data set type it reads, whether a set of another result category
// fails the whole binding, and the slots that must hold a component (bit i for slot i; slots
// from 32 on are optional).
struct TBindRule {
  E_POST_DSET_TYPE nDSetType;
  bool bMatchCategory;
  std::uint32_t nRequiredSlots;
};

// The component id asked for a template id: the id itself, or its printed-circuit-board
// counterpart when the result was created for a board result id (0 when it has none).
std::int32_t AskedCompID(std::int32_t nResultCompID, std::int32_t nTmplID);

// The bindings of the result's location type, one slot per id. False when the rule asks for
// matching categories and a set of that location type has another one.
bool FindBindings(const CVResult& vr, const zar::MList<CPostDSet*>& dsets,
                  std::span<const std::int32_t> aIds, const TBindRule& rule,
                  std::vector<TVRDSet>& out);

// A column that the template computes from the loaded ones: it is sized, not filled.
constexpr std::int32_t kComputedColumn = -2;

// Loads a unit model result block of the result's amount and location types: column i takes
// the component of slot aSlotOfColumn[i] (-1: none; kComputedColumn: left for the caller to
// write every value). A column whose component is missing or fails is zero-filled, unless it
// is one of the required columns (bit i), which fails the load. All columns take the row
// count of the last component that loaded. 0 when the keys, every component or the entity
// information fail.
int LoadSlotColumns(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                    const TVResParam* pParam, std::span<const std::int32_t> aSlotOfColumn,
                    std::uint32_t nRequiredColumns);

// Case-information block: the component's values of the template id over the stored keys go
// to the case information and, as numbers, to column 0.
int LoadCaseInfo(const CVResult& vr, std::int32_t nTmplID, CPostPartialD* pData,
                 const TVRDSet* pVRDSet, const TVResParam* pParam);

// Vector component: column 0 takes the column of the direction (0 to 2); the other component
// columns must be zero (left unread, or zeroed with ZeroColumn).
void CopyDirection(CPostPartialD& data, std::int32_t nDir);
void ZeroColumn(CPostPartialD& data, std::int32_t nColumn);
// In-plane resultant: column 0, sized as the axes, becomes the magnitude of axes a and b (the
// third axis left unread, so zero) in one pass.
void CombineAxes(CPostPartialD& data, std::int32_t nAxisA, std::int32_t nAxisB);

// The binding step every template shares: clear, find, keep.
template <class TBase>
class CVRTmplBinder : public TBase {
protected:
  int BindSets(const zar::MList<CPostDSet*>& dsets, std::span<const std::int32_t> aIds,
               const TBindRule& rule) {
    this->ClearVRDSet();
    std::vector<TVRDSet> found;
    if (!FindBindings(*this, dsets, aIds, rule, found)) return 0;
    for (const TVRDSet& vrdSet : found) this->AddVRDSet(vrdSet);
    return this->IsEmptyVRDSet() ? 0 : 1;
  }
};

}  // namespace pvk::vrtmpl

// ---- Shared by the tensor-derived templates (nodal groups, SPR groups, reactions). ----

namespace pvk::vrtmpl {

// An SPR quantity stores eleven consecutive components; a group reads the first ten.
constexpr std::int32_t kSPRGroupSize = 10;

// The component ids of the SPR groups that start at the given ids, group after group.
template <std::int32_t... nFirst>
constexpr std::array<std::int32_t, kSPRGroupSize * sizeof...(nFirst)> SPRGroupIds() {
  std::array<std::int32_t, kSPRGroupSize * sizeof...(nFirst)> ids{};
  std::size_t i = 0;
  for (const std::int32_t nStart : {nFirst...})
    for (std::int32_t k = 0; k < kSPRGroupSize; ++k) ids[i++] = nStart + k;
  return ids;
}

// Column i takes slot i for every slot of the binding (up to 70): a missing or failing
// component is zero-filled, except the first, which fails the load. All columns take the row
// count of the last component that loaded. 0 when the keys, the first component or the
// entity information fail.
int LoadEverySlot(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                  const TVResParam* pParam);

// Reaction block: the rows are the reaction set's entities (ids and points from its
// reaction-key operation, the ids also as keys); column i takes slot i in stored row order,
// missing or failing ones zero-filled except the first. No entity information: the rows belong
// to geometry. Every column takes the row count of the keys.
int LoadReaction(const CVResult& vr, CPostPartialD* pData, const TVRDSet* pVRDSet,
                 const TVResParam* pParam);

}  // namespace pvk::vrtmpl
