#pragma once
// What the view shows for one grid result: the virtual results that take part in the picture,
// one global data object per role, and the state flags that decide how they load and combine.
// The results belong to their packages; the item owns its data objects.
#include <array>
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "ibm/IBMGlobalD.h"
#include "qve_pvk_export.h"

class CVResult;

class PVK_API CIBMPDLItem {
public:
  // The roles of the results and of their data.
  enum E_ROLE : std::int32_t {
    ROLE_MAIN = 0,
    ROLE_DEFORM = 1,
    ROLE_IMAG = 2,  // the counterpart in the other id range
    ROLE_NONL = 3,  // the nonlinear partner
    ROLE_CAP = 4,   // the section cap of the main result
    ROLE_CAP_IMAG = 5,
    ROLE_FATIGUE = 6,
    N_ROLE = 7
  };
  // The state flags.
  enum E_STATE : std::uint32_t {
    STATE_POINT = 1,      // point values, or a facet result of ids 1301, 1305
    STATE_COMP = 2,       // the counterpart is a component-like result
    STATE_NONL = 4,       // a nonlinear partner exists
    STATE_MAGNITUDE = 8,  // main and counterpart combine into a magnitude or phase angle
    STATE_PHASE = 16,     // the phase-angle variant was set
    STATE_RMS = 32,       // the result belongs to an RMS case
  };
  static constexpr std::int32_t N_TEX_COORD = 3;

  CIBMPDLItem() = default;
  virtual ~CIBMPDLItem();
  CIBMPDLItem(const CIBMPDLItem&) = delete;
  CIBMPDLItem& operator=(const CIBMPDLItem&) = delete;

  std::uint32_t CheckState(std::uint32_t mask) const { return m_nState & mask; }
  // Filled and read by the host; null outside 0 to 2.
  zar::MArray<double>* GetTexCoord(std::int32_t i = 0);
  zar::MArray<zar::MVector<double, 3>>& GetNodePos() { return m_aNodePos; }

  CVResult* GetVResultMain() const { return m_apVResult[ROLE_MAIN]; }
  CVResult* GetVResultDeform() const { return m_apVResult[ROLE_DEFORM]; }
  CVResult* GetVResultImag() const { return m_apVResult[ROLE_IMAG]; }
  CVResult* GetVResultNonl() const { return m_apVResult[ROLE_NONL]; }
  CVResult* GetVResultFatigue() const { return m_apVResult[ROLE_FATIGUE]; }
  // Null until the role's result was set.
  CIBMGlobalD* GetMainD() const { return m_apData[ROLE_MAIN].get(); }
  CIBMGlobalD* GetDeformD() const { return m_apData[ROLE_DEFORM].get(); }
  CIBMGlobalD* GetImagD() const { return m_apData[ROLE_IMAG].get(); }
  CIBMGlobalD* GetNonlD() const { return m_apData[ROLE_NONL].get(); }
  CIBMGlobalD* GetCapD() const { return m_apData[ROLE_CAP].get(); }
  CIBMGlobalD* GetFatigueD() const { return m_apData[ROLE_FATIGUE].get(); }

  // Chooses the main result, its counterpart and nonlinear partner (and the caps of the first
  // two), creates their data objects and sets the state flags.
  void SetVResultMain(CVResult* pResult);
  void SetVResultDeform(CVResult* pResult);
  void SetVResultFatigue(CVResult* pResult);

  // Each loads its roles' data and returns 1, or 0 when a result is missing, the provider has
  // no mesh post unit for it or it cannot load its values.
  int LoadMainData(pvk::TDLoadOpt& opt, TIBMLoadParam& param);
  int LoadDeformData(pvk::TDLoadOpt& opt, TIBMLoadParam& param);
  int LoadCapData(pvk::TDLoadOpt& opt, TIBMLoadParam& param);
  int LoadFatigueData(pvk::TDLoadOpt& opt, TIBMLoadParam& param);

  // The legend drawn for the item was made anew; a view redraws what depends on it when the
  // count moved.
  void LegendChanged() { ++m_nLegendChange; }
  std::uint32_t GetLegendChangeCount() const { return m_nLegendChange; }

  void ClearCapData();
  // Flags to 0, the arrays emptied, no results, no data objects.
  void Clear();

protected:
  using PartialList = CIBMGlobalD::PartialList;

  void SetGlobalState(const CVResult* pResult);

  // The one-list load of one result into its data.
  int _LoadData(CVResult& vr, CIBMGlobalD& data, pvk::TDLoadOpt& opt, TIBMLoadParam& param);
  // A result and its partner into one data object. bPairShown: the data show the partner's
  // quantity (the phase angle of a complex pair), so the options carry the partner's id.
  int _LoadDataWithPair(CVResult& vr, CVResult& pair, CIBMGlobalD& data, pvk::TDLoadOpt& opt,
                        TIBMLoadParam& param, bool bPairShown = false);
  // The two-list load, with the partner when there is one.
  int _LoadCapData(CVResult& vr, CVResult* pPair, CIBMGlobalD& data, pvk::TDLoadOpt& opt,
                   TIBMLoadParam& param, bool bPairShown = false);
  // Component 0 of role nMain's data (the real parts) becomes, with role nImag's (the
  // imaginary parts), the magnitude of the complex values, or their phase angle when the
  // phase-angle variant was set.
  void _Equation(std::int32_t nMain, std::int32_t nImag);
  // Scales every value of the role's data by the provider's sigma factor of its result; 1
  // when it scaled.
  int _Sigma(std::int32_t nRole, TIBMLoadParam& param);

  static bool IsPhaseResult(const CVResult* pResult);

private:
  int LoadRole(CVResult& vr, CVResult* pPair, CIBMGlobalD& data, pvk::TDLoadOpt& opt,
               TIBMLoadParam& param, bool bTwoLists, bool bPairShown);
  // The main branches on roles nMain and nImag: paired, or both loaded and combined.
  int LoadCombined(std::int32_t nMain, std::int32_t nImag, bool bCap, pvk::TDLoadOpt& opt,
                   TIBMLoadParam& param);
  // Data that show the phase angle belong to the phase-angle result: it takes the main role.
  void TakePhaseRole(std::int32_t nMain, std::int32_t nImag);
  void SetRole(std::int32_t nRole, CVResult* pResult, std::unique_ptr<CIBMGlobalD> pData);

  std::uint32_t m_nState = 0;
  std::array<zar::MArray<double>, N_TEX_COORD> m_aTexCoord;
  zar::MArray<zar::MVector<double, 3>> m_aNodePos;
  std::array<CVResult*, N_ROLE> m_apVResult{};  // not owned
  std::array<std::unique_ptr<CIBMGlobalD>, N_ROLE> m_apData;
  std::uint32_t m_nLegendChange = 0;
};
