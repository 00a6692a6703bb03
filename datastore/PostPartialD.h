#pragma once
// One block of result values on their way to the displays: rows (keys) with up to 70 value
// columns, the entity indexing of the rows, and the amount and location types of the result.
#include <array>
#include <cstdint>

#include "base/Containers.h"
#include "core/DataTypes.h"
#include "datastore/AmtType.h"
#include "qve_pvk_export.h"

// Flat view of a block for the displays; valid until the block changes.
struct TPostPartialD {
  static constexpr std::int32_t N_MAX_COMP = 70;

  std::int32_t nAMTType = 0;
  std::int32_t nLOCType = 0;
  std::int32_t nCompCnt = 0;
  std::int32_t nKeyCnt = 0;
  std::int32_t nDataCnt = 0;
  const std::int32_t* pKey = nullptr;  // null when empty, as every pointer here
  const std::int32_t* pDSI = nullptr;
  const std::int32_t* pDCT = nullptr;
  std::array<const double*, N_MAX_COMP> pComp{};  // only the first nCompCnt can be set
  std::uint64_t nCaseInfoCnt = 0;
  const unsigned int* pCaseInfo = nullptr;
};

class PVK_API CPostPartialD {
public:
  static constexpr std::int32_t N_MAX_COMP = TPostPartialD::N_MAX_COMP;

  CPostPartialD() = default;
  CPostPartialD(const CPostPartialD&) = default;
  CPostPartialD& operator=(const CPostPartialD&) = default;
  virtual ~CPostPartialD() = default;

  // n = 0 takes the amount type's default column count. 0, with nothing changed, when the
  // count is below 1 or above 70; otherwise the block is cleared and takes the three values.
  int Init(pvk::AMT_TYPE amt, pvk::LOC_TYPE loc, std::int32_t n);
  // Empties the keys, face keys and positions and the columns, keeping their storage for the
  // next fill, and zeroes the types and the column count. The indexing (DSI, DCT) and the
  // case information stay: whoever fills a block sets them anew.
  void Clear();
  // Clear, and the indexing and case information with it: a block that another fill re-uses.
  void Reset();
  // The keys, indexing or column i (null outside 0 to 69) holding the storage of the last fill
  // at its size, so that a refill of as many rows writes each value once instead of zero
  // filling first. Its values are stale: the filler writes every one or resets the block.
  zar::MArray<std::int32_t>* GetKeyForOverwrite();
  zar::MArray<std::int32_t>* GetDSIForOverwrite();
  zar::MArray<std::int32_t>* GetDCTForOverwrite();
  zar::MArray<double>* GetCompForOverwrite(std::int32_t i);
  TPostPartialD GetStruct() const;

  zar::MArray<std::int32_t>* GetFKey() { return &m_aFKey; }
  zar::MArray<zar::MVector<double, 3>>* GetFPos() { return &m_aFPos; }
  const zar::MArray<zar::MVector<double, 3>>* GetPos() const { return &m_aFPos; }
  zar::MArray<std::int32_t>* GetKey();
  const zar::MArray<std::int32_t>* GetKey() const { return &m_aKey; }
  zar::MArray<std::int32_t>* GetDSI();
  const zar::MArray<std::int32_t>* GetDSI() const { return &m_aDSI; }
  zar::MArray<std::int32_t>* GetDCT();
  const zar::MArray<std::int32_t>* GetDCT() const { return &m_aDCT; }
  std::int32_t GetCompCnt() const { return m_nCompCnt; }
  // Null for a column index outside 0 to 69.
  zar::MArray<double>* GetComp(std::int32_t i);
  const zar::MArray<double>* GetComp(std::int32_t i) const;
  zar::MArray<double>* GetScalarComp() { return GetComp(0); }
  const zar::MArray<double>* GetScalarComp() const { return &m_aComp[0]; }
  // The size of column 0.
  std::int32_t GetDataCount() const { return static_cast<std::int32_t>(m_aComp[0].size()); }
  zar::MArray<unsigned int>* GetCaseInfo() { return &m_aCaseInfo; }
  const zar::MArray<unsigned int>* GetCaseInfo() const { return &m_aCaseInfo; }
  pvk::AMT_TYPE GetAMTType() const { return m_nAMTType; }
  pvk::LOC_TYPE GetLOCType() const { return m_nLOCType; }

private:
  // Storage that a clear took out of sight with the values of its last fill; a copy of the
  // block does not carry it.
  template <class T>
  struct TSpare {
    zar::MArray<T> a;
    TSpare() = default;
    TSpare(const TSpare&) {}
    TSpare& operator=(const TSpare&) { return *this; }
  };

  zar::MArray<std::int32_t> m_aFKey;
  zar::MArray<zar::MVector<double, 3>> m_aFPos;
  zar::MArray<std::int32_t> m_aKey;
  zar::MArray<std::int32_t> m_aDSI;
  zar::MArray<std::int32_t> m_aDCT;
  std::int32_t m_nCompCnt = 0;
  std::array<zar::MArray<double>, N_MAX_COMP> m_aComp;
  zar::MArray<unsigned int> m_aCaseInfo;
  TSpare<std::int32_t> m_spareKey, m_spareDSI, m_spareDCT;
  std::array<TSpare<double>, N_MAX_COMP> m_spareComp;
  pvk::AMT_TYPE m_nAMTType = static_cast<pvk::AMT_TYPE>(0);
  pvk::LOC_TYPE m_nLOCType = static_cast<pvk::LOC_TYPE>(0);
};
