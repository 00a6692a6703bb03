// The stress intensities, nodal tensor equivalents, reactions, element and nodal fatigue and
// the nodal nonlinear set, with their phase-angle variants.
#define VRGEN_MaxIntensity VRGEN_YES
#define VRGEN_Tensor_ZAR VRGEN_YES
#define VRGEN_Reaction_ZAR VRGEN_YES
#define VRGEN_Fatigue VRGEN_YES
#define VRGEN_Fatigue_ZAR VRGEN_YES
#define VRGEN_Nonlinear_ZAR VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_Fatigue.h"
#include "vresult/templates/VRTmpl_Fatigue_ZAR.h"
#include "vresult/templates/VRTmpl_MaxIntensity.h"
#include "vresult/templates/VRTmpl_Nonlinear_ZAR.h"
#include "vresult/templates/VRTmpl_Reaction_ZAR.h"
#include "vresult/templates/VRTmpl_Tensor_ZAR.h"

// The phase-angle arguments: every id moves by the phase offset.
#define VRGEN_TWARGS_MaxIntensity(c) VRGEN_PHASE(c)
#define VRGEN_TWARGS_Fatigue(c) VRGEN_PHASE(c)
#define VRGEN_TWARGS_Tensor_ZAR(c1, c2, c3, c4, c5, c6)                                \
  VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3), VRGEN_PHASE(c4), VRGEN_PHASE(c5), \
      VRGEN_PHASE(c6)
#define VRGEN_TWARGS_Reaction_ZAR(own, c1, c2, c3) \
  VRGEN_PHASE(own), VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3)
#define VRGEN_TWARGS_Fatigue_ZAR(own, c1, c2, c3, c4, c5, c6)                           \
  VRGEN_PHASE(own), VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3), VRGEN_PHASE(c4), \
      VRGEN_PHASE(c5), VRGEN_PHASE(c6)
#define VRGEN_TWARGS_Nonlinear_ZAR(c1, c2, c3, c4, c5, c6, c7, c8)                     \
  VRGEN_PHASE(c1), VRGEN_PHASE(c2), VRGEN_PHASE(c3), VRGEN_PHASE(c4), VRGEN_PHASE(c5), \
      VRGEN_PHASE(c6), VRGEN_PHASE(c7), VRGEN_PHASE(c8)

#define VRGEN_TABLE_GETTER GetTensorClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
