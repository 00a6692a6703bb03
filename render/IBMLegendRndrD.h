#pragma once
// The legend of a displayed grid result: its title block (category title, blank line, legend
// name), its information block (result file, sub-case and step names, unit), the ranks of its
// legend value function and the share of the item's values in each band. It streams itself
// into four blocks, each a count and an element size (64-bit) followed by the elements:
//   size = 64 + 260 * (top + bottom) + 8 * (values + percents).
#include <cstdint>
#include <span>

#include "qve_pvk_export.h"
#include "render/PostLegendRndrData.h"
#include "render/PostRndrDStream.h"

class CIBMGlobalD;
class CLegendBandCounter;
class CVResult;

namespace pvk {

class PVK_API CIBMLegendRndrD : public IPostLegendRndrData, public IPostRndrDStream {
public:
  explicit CIBMLegendRndrD(unsigned short updateInfo) : IPostLegendRndrData(updateInfo, 0) {}

  void Clear() override;
  int HasData() const override { return !m_aValue.empty() || !m_aPercent.empty(); }
  E_RNDRD_ANIMATE_LEVEL GetAnimateLevel() const override { return RNDRD_ANIMATE_RESULT; }

  const zar::MTArray<T_LEGEND_OBJ>& GetTopLegendObjs() const override { return m_aTop; }
  const zar::MTArray<T_LEGEND_OBJ>& GetBtmLegendObjs() const override { return m_aBtm; }
  const zar::MTArray<double>& GetValues() const override { return m_aValue; }
  const zar::MTArray<double>& GetPercents() const override { return m_aPercent; }

  std::uint64_t GetInstSize(TStreamInfo* pInfo) const override;
  int Stream2Data(CFile* pFile, TInstSizeIter& it) override;
  int Stream2Data(const char*& pBuf, TInstSizeIter& it) override;
  int Data2Stream(CFile* pFile, TInstSizeIter& it) const override;
  int Data2Stream(char*& pBuf, TInstSizeIter& it) const override;

  // All four lists from the argument's item and legend value function, then the item hears
  // that its legend changed. 0, with the lists untouched, without either.
  int MakeLegendD(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info);

protected:
  void _UpdateInitialize(T_RNDRD_ARG*, const TRndrDMPUInfo*) override { Clear(); }
  void _UpdateChangeResult(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) override {
    MakeLegendD(arg, info);
  }
  void _UpdateChangeOption(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) override {
    MakeLegendD(arg, info);
  }
  void _UpdateSetPlaneResult(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) override {
    MakeLegendD(arg, info);
  }
  void _UpdatePlaneResultData(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) override {
    MakeLegendD(arg, info);
  }
  void _UpdateShowHide(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) override {
    MakeLegendD(arg, info);
  }

  // The ranks of the legend value function.
  void _MakeValueD(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info);
  // The share of the main data's values in each band, by the kind of the data; data of no
  // counted kind zero the ranks, and so do data without a finite value.
  void _MakePercentD(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info);
  // The values of the facets that have one.
  void _MakePercentDFacet(const CIBMGlobalD& data);
  // Every point value.
  void _MakePercentDVector(const CIBMGlobalD& data);
  // Every sampled value: tessellation vertices, or display nodes of the cells.
  void _MakePercentDElem(const CIBMGlobalD& data);
  // Every node value of nodal volume data.
  void _MakePercentDVolume(const CIBMGlobalD& data);

private:
  void CountPercents(std::span<const double> values);
  void CountPercents(const CLegendBandCounter& counter);
  // The record into exactly nSize bytes, or nothing and false when it does not fill them.
  void Write(char* pBuf) const;
  bool Read(const char* pBuf, std::uint64_t nSize);
  void MakeTopBlock(const CVResult* pResult);
  void MakeBtmBlock(const CVResult* pResult, const T_RNDRD_ARG& arg);

  zar::MTArray<T_LEGEND_OBJ> m_aTop;
  zar::MTArray<T_LEGEND_OBJ> m_aBtm;
  zar::MTArray<double> m_aValue;
  zar::MTArray<double> m_aPercent;
};

}  // namespace pvk
