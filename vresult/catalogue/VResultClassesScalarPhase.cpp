// The phase-angle variants of the scalar results shown as stored.
#define VRGEN_ScalarDirect VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_ScalarDirect.h"

#define VRGEN_CLASS_PASS VRGEN_CLASS_TWIN
#define VRGEN_ROW_PASS VRGEN_ROW_TWIN
#define VRGEN_PAIR_PASS VRGEN_PAIR_TWIN
#define VRGEN_TABLE_GETTER GetScalarDirectPhaseClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
