// The vector results (components, totals, in-plane resultants) and the nodal tensor, with their
// phase-angle variants.
#define VRGEN_VectorComp_ZAR VRGEN_YES
#define VRGEN_VectorComp VRGEN_YES
#define VRGEN_VectorTotal VRGEN_YES
#define VRGEN_VectorComb VRGEN_YES
#define VRGEN_Comp6_ZAR VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_Comp6_ZAR.h"
#include "vresult/templates/VRTmpl_VectorComb.h"
#include "vresult/templates/VRTmpl_VectorComp.h"
#include "vresult/templates/VRTmpl_VectorComp_ZAR.h"
#include "vresult/templates/VRTmpl_VectorTotal.h"

namespace {

#define VRGEN_PASS(...) VRGEN_CLASS_BASE(__VA_ARGS__) VRGEN_CLASS_TWIN(__VA_ARGS__)
#include "vresult/catalogue/VResultClassGenPass.h"
#undef VRGEN_PASS

#define VRGEN_PASS(...) VRGEN_ROW_BASE(__VA_ARGS__) VRGEN_ROW_TWIN(__VA_ARGS__)
const TVResultClassReg kClasses[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

#define VRGEN_PASS(...) VRGEN_PAIR_BASE(__VA_ARGS__) VRGEN_PAIR_TWIN(__VA_ARGS__)
const TCompTypeVResReg kPairs[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

}  // namespace

TVResultClassTable GetVectorClassTable() { return {kClasses, kPairs}; }
