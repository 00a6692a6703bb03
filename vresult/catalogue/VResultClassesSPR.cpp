// The SPR results of one, three, six and seven component groups, with the phase-angle
// variants of the single groups.
#define VRGEN_SPR_Comp_ZAR VRGEN_YES
#define VRGEN_SPR_Comp3_ZAR VRGEN_YES
#define VRGEN_SPR_Comp6_ZAR VRGEN_YES
#define VRGEN_SPR_Comp7_ZAR VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_SPR_Comp3_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp6_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp7_ZAR.h"
#include "vresult/templates/VRTmpl_SPR_Comp_ZAR.h"

// A phase-angle group starts at the phase-angle id of its first component. Only single
// groups have phase-angle variants.
#define VRGEN_TWARGS_SPR_Comp_ZAR(first) VRGEN_PHASE(first)

#define VRGEN_TABLE_GETTER GetSPRClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
