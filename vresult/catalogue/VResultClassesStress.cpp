// The element stress, strain and force components and the principal values with their
// directions, with their phase-angle variants.
#define VRGEN_CNNT_StrsStrn_ZAR VRGEN_YES
#define VRGEN_CNNT_ForcMoment_ZAR VRGEN_YES
#define VRGEN_PrinVector VRGEN_YES
#define VRGEN_PrinVector2D VRGEN_YES
#include "vresult/catalogue/VResultClassGen.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmpl_CNNT_ForcMoment_ZAR.h"
#include "vresult/templates/VRTmpl_CNNT_StrsStrn_ZAR.h"
#include "vresult/templates/VRTmpl_PrinVector.h"
#include "vresult/templates/VRTmpl_PrinVector2D.h"

// An absent component (id 0) stays absent in the phase-angle variant.
#define VRGEN_PHASE_ID(x) ((x) == 0 ? 0 : VRGEN_PHASE(x))
#define VRGEN_TWARGS_CNNT_StrsStrn_ZAR(a, s, i, c1, c2, c3, c4, c5, c6, B)                 \
  a, s, i, VRGEN_PHASE_ID(c1), VRGEN_PHASE_ID(c2), VRGEN_PHASE_ID(c3), VRGEN_PHASE_ID(c4), \
      VRGEN_PHASE_ID(c5), VRGEN_PHASE_ID(c6), B
#define VRGEN_TWARGS_CNNT_ForcMoment_ZAR(i, c1, c2, c3, c4, c5, c6, c7, c8, B)       \
  i, VRGEN_PHASE_ID(c1), VRGEN_PHASE_ID(c2), VRGEN_PHASE_ID(c3), VRGEN_PHASE_ID(c4), \
      VRGEN_PHASE_ID(c5), VRGEN_PHASE_ID(c6), VRGEN_PHASE_ID(c7), VRGEN_PHASE_ID(c8), B
#define VRGEN_TWARGS_PrinVector(d, o, a, ax, ay, az, b, bx, by, bz, c, cx, cy, cz)       \
  d, VRGEN_PHASE(o), VRGEN_PHASE(a), VRGEN_PHASE(ax), VRGEN_PHASE(ay), VRGEN_PHASE(az),  \
      VRGEN_PHASE(b), VRGEN_PHASE(bx), VRGEN_PHASE(by), VRGEN_PHASE(bz), VRGEN_PHASE(c), \
      VRGEN_PHASE(cx), VRGEN_PHASE(cy), VRGEN_PHASE(cz)
#define VRGEN_TWARGS_PrinVector2D(m, major, minor, xx, yy, xy, s) \
  m, VRGEN_PHASE(major), VRGEN_PHASE(minor), VRGEN_PHASE(xx), VRGEN_PHASE(yy), VRGEN_PHASE(xy), s

#define VRGEN_TABLE_GETTER GetStressClassTable
#include "vresult/catalogue/VResultClassGenTable.h"
