// The phase-angle variants of the scalar results shown as stored.
#define VRGEN_ScalarDirect VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_ScalarDirect.h"

namespace {

#define VRGEN_PASS(...) VRGEN_CLASS_TWIN(__VA_ARGS__)
#include "vresult/catalogue/VResultClassGenPass.h"
#undef VRGEN_PASS

#define VRGEN_PASS(...) VRGEN_ROW_TWIN(__VA_ARGS__)
const TVResultClassReg kClasses[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

#define VRGEN_PASS(...) VRGEN_PAIR_TWIN(__VA_ARGS__)
const TCompTypeVResReg kPairs[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

}  // namespace

TVResultClassTable GetScalarDirectPhaseClassTable() { return {kClasses, kPairs}; }
