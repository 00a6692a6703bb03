#pragma once
// Base of every virtual result: one displayable result quantity of one location type in one
// step. It holds no values; it binds the data sets and components it needs when initialised
// and combines their values into partial data blocks on every load.
#include <cstdint>
#include <vector>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/UnitIndex.h"
#include "core/PostObject.h"
#include "core/ResultId.h"
#include "qve_pvk_export.h"
#include "vresult/VResultTypes.h"

class CPostDSet;
class CPostPartialD;
class CPostPartialDList;
class IPOHSession;

class PVK_API CVResult : public CPostObject {
  DECLARE_DYNCREATE(CVResult)

public:
  using VRDSetList = zar::MList<TVRDSet>;

  CVResult() = default;
  ~CVResult() override = default;

  CString GetName() const override;
  virtual std::int32_t GetType() const { return 0; }
  virtual CString GetLegendName() const;
  // Quantity and component texts of the legend; the base leaves both as they are.
  virtual void GetNameForLegend(CString& /*quantity*/, CString& /*component*/) const {}
  virtual std::int32_t GetUnit() const { return 0; }
  virtual std::int32_t GetResCatType() const { return 0; }

  // Binds the data sets of the step; non-zero when at least one binding was made.
  int Init(const zar::MList<CPostDSet*>& dsets) { return _Init(dsets); }

  // The entity ids of all bindings in order; returns their number (0 with an empty output
  // for a null output).
  std::int32_t LoadKey(zar::MArray<std::int32_t>* pKeys, TVResParam* pParam) const;
  // The model iterators of those ids (element results through the element table, node
  // results through the node table of the load context's link); ids without one are
  // skipped. 0 with an empty output when no id maps or the location type has no table.
  int LoadKeyItr(zar::MArray<std::uint64_t>* pItrs, TVResParam* pParam) const;
  // One block per binding, converted from the result file's length and force units into the
  // current ones; 1 when at least one binding loaded, 0 without a list or a load context. A
  // binding that fails leaves an empty block.
  int LoadData(CPostPartialDList* pList, TVResParam* pParam);
  // The same without unit conversion.
  int LoadDataNU(CPostPartialDList* pList, TVResParam* pParam);

  void GetDataInfo(std::vector<pvk::TVResDInfo>& infos) const;
  int IsLineRes() const;
  int NeedNodeLocalCycs() const;

  // The session whose pools hold the step this result belongs to; the parent walks need it
  // to tell live pool entries from stale iterators. Not owned.
  void SetPOHSession(const IPOHSession* pSession) { m_pSession = pSession; }
  const IPOHSession* GetPOHSession() const { return m_pSession; }
  // The owning step (the parent iterator), its sub-case and its result file; 0 when a link
  // is missing or names no live entry.
  std::uint64_t GetPOHVcas() const { return GetParent(); }
  std::uint64_t GetPOHScas() const;
  std::uint64_t GetPOHBcas() const { return GetPOHScas(); }
  std::uint64_t GetPOHMcas() const;

  std::int32_t GetCompID() const { return m_nCompID; }
  void SetCompID(std::int32_t nCompID) { m_nCompID = nCompID; }
  pvk::TDLoadOpt& GetDLoadOpt() { return m_loadOpt; }
  const pvk::TDLoadOpt& GetDLoadOpt() const { return m_loadOpt; }
  void SetLocType(pvk::LOC_TYPE locType) { m_loadOpt.nLOCType = locType; }
  pvk::LOC_TYPE GetLocType() const { return m_loadOpt.nLOCType; }
  void SetAMTType(pvk::AMT_TYPE amtType) { m_loadOpt.nAMTType = amtType; }
  int IsSPR() const { return pvk::IsSPRAmtType(m_loadOpt.nAMTType) ? 1 : 0; }

  void ClearVRDSet() { m_listVRDSet.clear(); }
  bool IsEmptyVRDSet() const { return m_listVRDSet.empty(); }
  const VRDSetList& GetVRDSet() const { return m_listVRDSet; }

  // A printed-circuit-board result id (id / 10,000,000 is 5).
  static bool IsPCBResID(std::int32_t id) { return pvk::IsPCBId(id); }

protected:
  virtual int _Init(const zar::MList<CPostDSet*>& /*dsets*/) { return 0; }
  virtual int _LoadPartial(CPostPartialD* /*pData*/, TVRDSet* /*pVRDSet*/, TVResParam* /*pParam*/) {
    return 0;
  }

  int SetGlobal(CPostPartialD* pData, TVRDSet* pVRDSet, TVResParam* pParam) {
    return _LoadPartial(pData, pVRDSet, pParam);
  }
  // Appends a copy; returns the new number of bindings.
  std::int32_t AddVRDSet(const TVRDSet& vrdSet);
  // What a concrete class answers for GetType: its fixed id, or the component id when that
  // is a printed-circuit-board result id.
  std::int32_t GetTypeOf(std::int32_t nFixedId) const {
    return IsPCBResID(m_nCompID) ? m_nCompID : nFixedId;
  }

private:
  // The unit system of the result file above the owning step; null when the walk fails.
  const zar::lib::T_UNIT_INDEX* FindResultFileUnit() const;
  // Clears the list and loads one block per binding; converts with pUnit when given.
  int LoadBlocks(CPostPartialDList* pList, TVResParam* pParam, const zar::lib::T_UNIT_INDEX* pUnit);
  void ConvertUnits(CPostPartialD& data, const zar::lib::MUnitCtrl& ctrl,
                    const zar::lib::T_UNIT_INDEX& unit) const;

  pvk::TDLoadOpt m_loadOpt;
  std::int32_t m_nCompID = 0;
  VRDSetList m_listVRDSet{10};
  const IPOHSession* m_pSession = nullptr;  // not owned
};
