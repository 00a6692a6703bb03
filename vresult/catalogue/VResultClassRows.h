#pragma once
// The catalogue rows as the class generator reads them: for every row the template instance
// of its class, in .def order the run-time class names and component ids. A new template is
// included here and built by one generating source (VResultClasses*.cpp).
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "vresult/templates/VRTmpl_CNNT_ForcMoment_ZAR.h"
#include "vresult/templates/VRTmpl_CNNT_StrsStrn_ZAR.h"
#include "vresult/templates/VRTmpl_Comp6_ZAR.h"
#include "vresult/templates/VRTmpl_Fatigue.h"
#include "vresult/templates/VRTmpl_Fatigue_ZAR.h"
#include "vresult/templates/VRTmpl_MaxIntensity.h"
#include "vresult/templates/VRTmpl_Nonlinear_ZAR.h"
#include "vresult/templates/VRTmpl_PrinVector.h"
#include "vresult/templates/VRTmpl_PrinVector2D.h"
#include "vresult/templates/VRTmpl_Reaction_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp3_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp6_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp7_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp_ZAR.h"
#include "vresult/templates/VRTmpl_ScalarDirect.h"
#include "vresult/templates/VRTmpl_ScalarDirect_UnitEntity_CaseInfo.h"
#include "vresult/templates/VRTmpl_Tensor_ZAR.h"
#include "vresult/templates/VRTmpl_VectorComb.h"
#include "vresult/templates/VRTmpl_VectorComp.h"
#include "vresult/templates/VRTmpl_VectorComp_ZAR.h"
#include "vresult/templates/VRTmpl_VectorTotal.h"

namespace pvk::vrgen {

// Stands for the class of a catalogue row that has none; never defined.
template <class...>
class CVRTmpl_NoClass;

template <class... TIds>
constexpr std::array<std::int32_t, sizeof...(TIds)> Ids(TIds... ids) {
  return {ids...};
}

// The row of base result id nId: its template instance and component ids.
template <std::int32_t nId>
struct TVRRowClass;

#define PVK_VRGEN_UNPAREN(...) __VA_ARGS__
#define VRES_ROW(id, NAME, nk, lk, q, c, unit, cat, TMPL, ARGS, twin, COMPS, cls) \
  VRES_CLASS_ONLY(id, _, TMPL, ARGS, twin, COMPS)
#define VRES_CLASS_ONLY(id, cls, TMPL, ARGS, twin, COMPS) \
  template <>                                             \
  struct TVRRowClass<id> {                                \
    using type = CVRTmpl_##TMPL<PVK_VRGEN_UNPAREN ARGS>;  \
    static constexpr auto kComps = Ids COMPS;             \
  };
#include "vresult/catalogue/VResultCatalogue.def"
#undef PVK_VRGEN_UNPAREN

// A row with its class columns; rows without a class have the template "NoClass".
struct TVRClassRow {
  std::int32_t nId;
  std::string_view sTemplate;            // the template's name without the CVRTmpl_ prefix
  const char* pszName;                   // run-time name of the class
  const char* pszPhaseName;              // of the phase-angle class
  bool bPhaseAngle;                      // whether the phase-angle class exists
  std::span<const std::int32_t> aComps;  // the stored components that make the result available
};

constexpr bool Given(const char* psz) { return *psz != '\0'; }

// The run-time names are CVR_ + NAME + _ZAR and the same + Comp, unless the className column
// gives one: several rows share a NAME.
#define VRES_ROW(id, NAME, nk, lk, q, c, unit, cat, TMPL, ARGS, twin, COMPS, cls) \
  {id,                                                                            \
   #TMPL,                                                                         \
   Given(cls) ? cls : "CVR_" #NAME "_ZAR",                                        \
   Given(cls) ? cls "Comp" : "CVR_" #NAME "_ZARComp",                             \
   (twin) != 0,                                                                   \
   TVRRowClass<id>::kComps},
#define VRES_CLASS_ONLY(id, cls, TMPL, ARGS, twin, COMPS) \
  {id, #TMPL, #cls, #cls "Comp", (twin) != 0, TVRRowClass<id>::kComps},
inline constexpr TVRClassRow kClassRows[] = {
#include "vresult/catalogue/VResultCatalogue.def"
};

}  // namespace pvk::vrgen
