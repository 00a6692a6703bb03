#pragma once
// The global data of one displayed grid result: the partial data sets that a virtual result
// loads, rewritten into component arrays indexed per entity (DSI, DCT), the elements without
// result, and the data range over what is shown, per body and overall. One subclass exists
// per location type.
#include <array>
#include <cstdint>
#include <limits>
#include <memory>

#include "base/Containers.h"
#include "datastore/PostPartialDList.h"
#include "ibm/IBMGlobalParam.h"
#include "ibm/IBMGlobalRange.h"
#include "qve_pvk_export.h"
#include "vresult/VResultTypes.h"

class CMPUPost;
struct TMPUBodySet;

class PVK_API CIBMGlobalD {
public:
  using PartialList = std::shared_ptr<CPostPartialDList>;

  static constexpr std::int32_t N_CORNER_NODE = 8;
  static constexpr std::int32_t N_ELEM_ORG_NODE = 20;
  static constexpr std::int32_t N_HEAT_TOTAL_COMP = 3;
  static constexpr std::int32_t N_NONLINEAR_VAR = 7;
  static constexpr std::int32_t N_SPR_POLY = 10;
  static constexpr std::int32_t N_STR_TOTAL_COMP = 6;
  static constexpr std::int32_t N_MAX_COMP = pvk::TIBMGlobalD::N_MAX_COMP;
  // Magnitudes below this count as zero: 1e-12 taken in single precision.
  static constexpr double R_ZERO = static_cast<double>(1e-12f);

  CIBMGlobalD() = default;
  CIBMGlobalD(const CIBMGlobalD&) = default;
  CIBMGlobalD& operator=(const CIBMGlobalD&) = default;
  virtual ~CIBMGlobalD() = default;

  virtual void Clear() = 0;
  virtual int InitData(CMPUPost* pMPU, pvk::TDLoadOpt& opt, std::int32_t nComp) = 0;
  // Releases both lists: only the element classes take a pair.
  virtual int SetGlobal(TIBMLoadParam& param, PartialList list, PartialList pair);
  virtual int SetGlobal(TIBMLoadParam& param, PartialList list) = 0;
  virtual int UpdateDataRange(TIBMLoadParam& param) = 0;
  // 1 and the value at a point; 0 here, where no point has a value.
  virtual int GetPosValue(const zar::MVector<double, 3>& pos, double& value);

  pvk::TIBMGlobalD GetStruct() const;
  CMPUPost* GetMPU() const { return m_pMPU; }
  std::int32_t GetCompCnt() const { return m_nCompCnt; }
  const zar::MArray<std::int32_t>& GetID() const { return m_aID; }
  const zar::MArray<zar::MVector<double, 3>>& GetPos() const { return m_aPos; }
  const zar::MArray<std::int32_t>& GetDSI() const { return m_aDSI; }
  const zar::MArray<std::int32_t>& GetDCT() const { return m_aDCT; }
  const zar::MArray<unsigned char>& GetNoResult() const { return m_aNoResult; }
  const zar::MArray<pvk::TDataRange>& GetBndrRange() const { return m_aBndrRange; }
  // Null outside 0 to 69.
  const zar::MArray<double>* GetCompData(std::int32_t i) const;
  // For the display item, which combines and scales the values it loaded.
  zar::MArray<double>* GetCompData(std::int32_t i);
  const zar::MArray<double>& GetScalarComp() const { return m_aComp[0]; }
  std::int32_t GetDataCount() const { return static_cast<std::int32_t>(m_aComp[0].size()); }
  const pvk::TDataRange& GetDataRange() const { return m_range; }
  std::int32_t GetAMTType() const { return m_nAMTType; }
  std::int32_t GetLOCType() const { return m_nLOCType; }
  std::int32_t GetAnalType() const { return m_nAnalType; }
  std::int32_t GetResType() const { return m_nResType; }
  double GetFatMaximim() const { return m_rFatMax; }
  bool IsEmpty() const { return m_nCompCnt == 0 || m_aComp[0].empty(); }

protected:
  // The InitData of the classes that need bodies; bFatMax copies the fatigue maximum.
  int InitDataShared(CMPUPost* pMPU, const pvk::TDLoadOpt& opt, std::int32_t nComp,
                     bool bNeedBodies, bool bFatMax);
  // Empties every array (keeping capacity), unsets the range, forgets the unit.
  void ClearShared();
  // Grows each of the first component-count arrays by n values.
  int DataIncrease(std::int32_t n);
  // Appends n zeroed values to the first nComp arrays.
  void GrowComps(std::int32_t nComp, std::int32_t n);
  // The data range over the bodies' ranges, merged in body order.
  void MergeBndrRanges();

  // Nodal values on the cells of the unit's bodies (IBMGlobalDVolume.cpp). A body's cells
  // have 8 result nodes when its cell order is 1, else 20.
  static std::int32_t ResultNodeCount(const TMPUBodySet& set);
  // Element indices of body set b's elements; -1 for ids that the unit does not know.
  zar::MArray<std::int32_t> BodyElems(std::int32_t b) const;
  // DSI and DCT per node, zeroed; one no-result flag per element, all 1.
  void InitVolumeArrays();
  // Flag 0 for each element whose result nodes all have a value; bAll8 counts 8 result nodes
  // for every cell.
  void SetVolumeNoResult(const zar::MArray<unsigned char>& hasValue, bool bAll8);
  // Marks every display node of the elements with a result (DCT = 1) and numbers them in
  // node order (DSI); the count of marked nodes.
  std::int32_t SetVolumeDataCount();
  // Per shown body: each result node of its cells with a result offers component 0 at its
  // node index, once over all bodies; then the bodies merge.
  void CalcVolumeRange(const CMPUData* pData, bool bAll8);
  // Per MPU node index, the row of the block that holds its value, -1 for none.
  zar::MArray<std::int32_t> NodeRows(const CPostPartialD& part) const;

  // Classification of the stored analysis and result types.
  bool IsComplex() const { return m_nAnalType == 112 || m_nAnalType == 113; }
  bool IsNonlinear() const { return m_nAnalType == 123; }
  bool IsTotalDisplacement() const { return m_nResType == 101; }
  bool IsVonMises() const;
  bool IsPrincipal() const { return GetStrPrinIdx() >= 0; }
  bool IsStress() const;
  bool IsStrain() const;
  bool IsEqStrs() const { return m_nResType == 60300 || m_nResType == 7701; }
  bool IsEfPlstStrn() const { return m_nResType == 60311 || m_nResType == 7702; }
  bool IsHeatTotal() const;
  bool IsHeatTransfer() const;
  bool IsNLVar() const;
  bool IsFatigueInputData() const { return m_nResType == 7211 || m_nResType == 60280; }
  bool IsFatigueOutputData() const { return m_nResType >= 9001 && m_nResType <= 9006; }
  bool IsFatigueData() const { return IsFatigueInputData() || IsFatigueOutputData(); }
  bool IsTopologyOptimization() const { return m_nResType == 7401; }
  std::int32_t GetBeginComp() const;
  std::int32_t GetStrPrinIdx() const;
  std::int32_t GetFatigueTypeIdx() const;
  std::int32_t GetFatigueSubTypeIdx() const;

  CMPUPost* m_pMPU = nullptr;  // not owned
  std::int32_t m_nCompCnt = 0;
  zar::MArray<std::int32_t> m_aID;
  zar::MArray<zar::MVector<double, 3>> m_aPos;
  zar::MArray<zar::MVector<double, 3>> m_aPos2;
  zar::MArray<std::int32_t> m_aDSI;
  zar::MArray<std::int32_t> m_aDCT;
  zar::MArray<unsigned char> m_aNoResult;
  zar::MArray<pvk::TDataRange> m_aBndrRange;
  std::array<double, 2> m_aExtent{std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::lowest()};
  std::array<zar::MArray<double>, N_MAX_COMP> m_aComp;
  pvk::TDataRange m_range;
  std::int32_t m_nAMTType = 0;
  std::int32_t m_nLOCType = 0;
  std::int32_t m_nAnalType = 0;
  std::int32_t m_nResType = 0;
  double m_rFatMax = 0.0;
  // Not owned: the display mesh of the last SetGlobal.
  const IIBMGlobalMesh* m_pMesh = nullptr;
};
