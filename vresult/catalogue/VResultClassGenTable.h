// The three generating passes of a source that builds result classes from the catalogue: the
// classes, their factory rows and their component-type rows, and the table getter named by
// VRGEN_TABLE_GETTER. Include it once, after VResultClassGen.h and the template headers. A
// source that builds only the base classes or only the phase-angle variants defines
// VRGEN_CLASS_PASS, VRGEN_ROW_PASS and VRGEN_PAIR_PASS itself; by default both are built.
#ifndef VRGEN_CLASS_PASS
#define VRGEN_CLASS_PASS(...) VRGEN_CLASS_BASE(__VA_ARGS__) VRGEN_CLASS_TWIN(__VA_ARGS__)
#define VRGEN_ROW_PASS(...) VRGEN_ROW_BASE(__VA_ARGS__) VRGEN_ROW_TWIN(__VA_ARGS__)
#define VRGEN_PAIR_PASS(...) VRGEN_PAIR_BASE(__VA_ARGS__) VRGEN_PAIR_TWIN(__VA_ARGS__)
#endif

namespace {

#define VRGEN_PASS VRGEN_CLASS_PASS
#include "vresult/catalogue/VResultClassGenPass.h"
#undef VRGEN_PASS

#define VRGEN_PASS VRGEN_ROW_PASS
const TVResultClassReg kClasses[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

#define VRGEN_PASS VRGEN_PAIR_PASS
const TCompTypeVResReg kPairs[] = {
#include "vresult/catalogue/VResultClassGenPass.h"
};
#undef VRGEN_PASS

}  // namespace

TVResultClassTable VRGEN_TABLE_GETTER() { return {kClasses, kPairs}; }
