// The case-information results of envelopes and their phase-angle variants.
#define VRGEN_ScalarDirect_UnitEntity_CaseInfo VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_ScalarDirect_UnitEntity_CaseInfo.h"

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

TVResultClassTable GetCaseInfoClassTable() { return {kClasses, kPairs}; }
