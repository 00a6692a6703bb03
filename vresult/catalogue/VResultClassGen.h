#pragma once
// Turns rows of VResultCatalogue.def into concrete result classes and registration rows.
//
// A generating source defines VRGEN_<TEMPLATE> as VRGEN_YES for each template it builds, then
// includes this header, and includes VResultClassGenPass.h once per pass with VRGEN_PASS
// naming the pass:
//   VRGEN_CLASS_BASE / VRGEN_CLASS_TWIN   the classes of a row / of its phase-angle variant
//   VRGEN_ROW_BASE / VRGEN_ROW_TWIN       their factory rows (TVResultClassReg)
//   VRGEN_PAIR_BASE / VRGEN_PAIR_TWIN     their component-type rows (TCompTypeVResReg)
// Rows of the other templates, and catalogue entries without a class, expand to nothing.
#include <cstdint>

#include "base/Object.h"
#include "vresult/VResultRegistrar.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/templates/VRTmplCore.h"

#define VRGEN_YES(PASS, ...) PASS(__VA_ARGS__)
#define VRGEN_NO(...)

#ifndef VRGEN_ScalarDirect
#define VRGEN_ScalarDirect VRGEN_NO
#endif
#ifndef VRGEN_ScalarDirect_UnitEntity_CaseInfo
#define VRGEN_ScalarDirect_UnitEntity_CaseInfo VRGEN_NO
#endif
#ifndef VRGEN_VectorComp_ZAR
#define VRGEN_VectorComp_ZAR VRGEN_NO
#endif
#ifndef VRGEN_VectorComp
#define VRGEN_VectorComp VRGEN_NO
#endif
#ifndef VRGEN_VectorTotal
#define VRGEN_VectorTotal VRGEN_NO
#endif
#ifndef VRGEN_VectorComb
#define VRGEN_VectorComb VRGEN_NO
#endif
#ifndef VRGEN_Comp6_ZAR
#define VRGEN_Comp6_ZAR VRGEN_NO
#endif
#ifndef VRGEN_Reaction_ZAR
#define VRGEN_Reaction_ZAR VRGEN_NO
#endif
#ifndef VRGEN_CNNT_ForcMoment_ZAR
#define VRGEN_CNNT_ForcMoment_ZAR VRGEN_NO
#endif
#ifndef VRGEN_CNNT_StrsStrn_ZAR
#define VRGEN_CNNT_StrsStrn_ZAR VRGEN_NO
#endif
#ifndef VRGEN_Fatigue
#define VRGEN_Fatigue VRGEN_NO
#endif
#ifndef VRGEN_Fatigue_ZAR
#define VRGEN_Fatigue_ZAR VRGEN_NO
#endif
#ifndef VRGEN_Tensor_ZAR
#define VRGEN_Tensor_ZAR VRGEN_NO
#endif
#ifndef VRGEN_Nonlinear_ZAR
#define VRGEN_Nonlinear_ZAR VRGEN_NO
#endif
#ifndef VRGEN_SPR_Comp_ZAR
#define VRGEN_SPR_Comp_ZAR VRGEN_NO
#endif
#ifndef VRGEN_SPR_Comp3_ZAR
#define VRGEN_SPR_Comp3_ZAR VRGEN_NO
#endif
#ifndef VRGEN_SPR_Comp6_ZAR
#define VRGEN_SPR_Comp6_ZAR VRGEN_NO
#endif
#ifndef VRGEN_SPR_Comp7_ZAR
#define VRGEN_SPR_Comp7_ZAR VRGEN_NO
#endif
#ifndef VRGEN_PrinVector
#define VRGEN_PrinVector VRGEN_NO
#endif
#ifndef VRGEN_PrinVector2D
#define VRGEN_PrinVector2D VRGEN_NO
#endif
#ifndef VRGEN_MaxIntensity
#define VRGEN_MaxIntensity VRGEN_NO
#endif
// Rows without a class.
#define VRGEN_NoClass VRGEN_NO

#define VRGEN_UNPAREN(...) __VA_ARGS__
#define VRGEN_IF_0(...)
#define VRGEN_IF_1(...) __VA_ARGS__
#define VRGEN_PHASE(x) ((x) + pvk::vrtmpl::kPhaseOffset)

// The phase-angle arguments: every id moves by the phase offset, directions, axes and base
// classes stay.
#define VRGEN_TWARGS_ScalarDirect(c) VRGEN_PHASE(c)
#define VRGEN_TWARGS_ScalarDirect_UnitEntity_CaseInfo(c) VRGEN_PHASE(c)
#define VRGEN_TWARGS_VectorComp_ZAR(d, c1, c2, c3, B) \
  d, VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3), B
#define VRGEN_TWARGS_VectorComp(d, c1, c2, c3) d, VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3)
#define VRGEN_TWARGS_VectorTotal(t, c1, c2, c3) \
  VRGEN_PHASE(t), VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3)
#define VRGEN_TWARGS_VectorComb(id, a, b, c1, c2, c3) \
  VRGEN_PHASE(id), a, b, VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3)
#define VRGEN_TWARGS_Comp6_ZAR(c1, c2, c3, c4, c5, c6, B)                              \
  VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3), VRGEN_PHASE(c4), VRGEN_PHASE(c5), \
      VRGEN_PHASE(c6), B

// A thin class: the template instance, a fixed id and a run-time class record of that name.
#define VRGEN_DEFINE(Type, nId, szName, ...)                                        \
  class Type final : public __VA_ARGS__ {                                           \
  public:                                                                           \
    static CRuntimeClass s_class;                                                   \
    static const AFX_CLASSINIT s_init;                                              \
    static CObject* CreateObject() { return new Type; }                             \
    CRuntimeClass* GetRuntimeClass() const override { return &s_class; }            \
    std::int32_t GetType() const override { return GetTypeOf(nId); }                \
  };                                                                                \
  CRuntimeClass Type::s_class = {szName, sizeof(Type), 0xFFFF, &Type::CreateObject, \
                                 &CVResult_ZAR::GetThisClass};                      \
  const AFX_CLASSINIT Type::s_init(&Type::s_class);

#define VRGEN_CLASS_BASE(TMPL, id, Type, TwinType, szName, szTwin, ARGS, twin, COMPS) \
  VRGEN_DEFINE(Type, id, szName, CVRTmpl_##TMPL<VRGEN_UNPAREN ARGS>)
#define VRGEN_CLASS_TWIN(TMPL, id, Type, TwinType, szName, szTwin, ARGS, twin, COMPS) \
  VRGEN_IF_##twin(                                                                    \
      VRGEN_DEFINE(TwinType, VRGEN_PHASE(id), szTwin, CVRTmpl_##TMPL<VRGEN_TWARGS_##TMPL ARGS>))

#define VRGEN_ROW_BASE(TMPL, id, Type, TwinType, szName, szTwin, ARGS, twin, COMPS) \
  {id, &Type::s_class},
#define VRGEN_ROW_TWIN(TMPL, id, Type, TwinType, szName, szTwin, ARGS, twin, COMPS) \
  VRGEN_IF_##twin({VRGEN_PHASE(id), &TwinType::s_class}, )

// One component-type row per component id of the row.
#define VRGEN_PAIR(id, c) {c, id},
#define VRGEN_TWIN_PAIR(id, c) {VRGEN_PHASE(c), VRGEN_PHASE(id)},
#define VRGEN_PAIR_BASE(TMPL, id, Type, TwinType, szName, szTwin, ARGS, twin, COMPS) \
  VRGEN_FOR_EACH(VRGEN_PAIR, id, VRGEN_UNPAREN COMPS)
#define VRGEN_PAIR_TWIN(TMPL, id, Type, TwinType, szName, szTwin, ARGS, twin, COMPS) \
  VRGEN_IF_##twin(VRGEN_FOR_EACH(VRGEN_TWIN_PAIR, id, VRGEN_UNPAREN COMPS))

#define VRGEN_CAT(a, b) VRGEN_CAT_(a, b)
#define VRGEN_CAT_(a, b) a##b
#define VRGEN_COUNT(...) VRGEN_COUNT_(__VA_ARGS__, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define VRGEN_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, _11, _12, N, ...) N
#define VRGEN_FOR_EACH(M, id, ...) \
  VRGEN_CAT(VRGEN_FE_, VRGEN_COUNT(__VA_ARGS__))(M, id, __VA_ARGS__)
#define VRGEN_FE_1(M, id, c) M(id, c)
#define VRGEN_FE_2(M, id, c, ...) M(id, c) VRGEN_FE_1(M, id, __VA_ARGS__)
#define VRGEN_FE_3(M, id, c, ...) M(id, c) VRGEN_FE_2(M, id, __VA_ARGS__)
#define VRGEN_FE_4(M, id, c, ...) M(id, c) VRGEN_FE_3(M, id, __VA_ARGS__)
#define VRGEN_FE_5(M, id, c, ...) M(id, c) VRGEN_FE_4(M, id, __VA_ARGS__)
#define VRGEN_FE_6(M, id, c, ...) M(id, c) VRGEN_FE_5(M, id, __VA_ARGS__)
#define VRGEN_FE_7(M, id, c, ...) M(id, c) VRGEN_FE_6(M, id, __VA_ARGS__)
#define VRGEN_FE_8(M, id, c, ...) M(id, c) VRGEN_FE_7(M, id, __VA_ARGS__)
#define VRGEN_FE_9(M, id, c, ...) M(id, c) VRGEN_FE_8(M, id, __VA_ARGS__)
#define VRGEN_FE_10(M, id, c, ...) M(id, c) VRGEN_FE_9(M, id, __VA_ARGS__)
#define VRGEN_FE_11(M, id, c, ...) M(id, c) VRGEN_FE_10(M, id, __VA_ARGS__)
#define VRGEN_FE_12(M, id, c, ...) M(id, c) VRGEN_FE_11(M, id, __VA_ARGS__)
