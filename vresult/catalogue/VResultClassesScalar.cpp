// The scalar results shown as stored, base ids.
#define VRGEN_ScalarDirect VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_ScalarDirect.h"

namespace {

#define VRGEN_PASS(...) VRGEN_CLASS_BASE(__VA_ARGS__)
#include "vresult/catalogue/VResultClassGenPass.h"
#undef VRGEN_PASS

#define VRGEN_PASS(...) VRGEN_ROW_BASE(__VA_ARGS__)
const TVResultClassReg kClasses[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

#define VRGEN_PASS(...) VRGEN_PAIR_BASE(__VA_ARGS__)
const TCompTypeVResReg kPairs[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

}  // namespace

TVResultClassTable GetScalarDirectClassTable() { return {kClasses, kPairs}; }
