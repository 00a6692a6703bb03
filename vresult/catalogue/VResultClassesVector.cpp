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

#define VRGEN_TABLE_GETTER GetVectorClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
