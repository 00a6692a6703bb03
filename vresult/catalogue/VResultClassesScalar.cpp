// The scalar results shown as stored, base ids.
#define VRGEN_ScalarDirect VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_ScalarDirect.h"

#define VRGEN_CLASS_PASS VRGEN_CLASS_BASE
#define VRGEN_ROW_PASS VRGEN_ROW_BASE
#define VRGEN_PAIR_PASS VRGEN_PAIR_BASE
#define VRGEN_TABLE_GETTER GetScalarDirectClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
