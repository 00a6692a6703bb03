// The case-information results of envelopes and their phase-angle variants.
#define VRGEN_ScalarDirect_UnitEntity_CaseInfo VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_ScalarDirect_UnitEntity_CaseInfo.h"

#define VRGEN_TABLE_GETTER GetCaseInfoClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
