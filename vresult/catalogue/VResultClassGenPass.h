// One generating pass of VResultClassGen.h over the catalogue: the row macros, then the rows
// (the .def undefines its row macros at its end, so every pass includes this file anew).
// Every pass receives: template, id, class, phase-angle class, their run-time names, template
// arguments, twin flag, component ids. Several rows share a NAME, so the C++ class names also
// carry the id; the run-time names are those of the catalogue.
#define VRES_ROW(id, NAME, nk, lk, q, c, unit, cat, TMPL, ARGS, twin, COMPS, cls)      \
  VRGEN_##TMPL(VRGEN_PASS, TMPL, id, CVR_##NAME##_ZAR_##id, CVR_##NAME##_ZARComp_##id, \
               (("" cls)[0] ? cls : "CVR_" #NAME "_ZAR"),                              \
               (("" cls)[0] ? cls "Comp" : "CVR_" #NAME "_ZARComp"), ARGS, twin, COMPS)
#define VRES_CLASS_ONLY(id, cls, TMPL, ARGS, twin, COMPS)                                       \
  VRGEN_##TMPL(VRGEN_PASS, TMPL, id, cls##_##id, cls##Comp_##id, #cls, #cls "Comp", ARGS, twin, \
               COMPS)

#include "vresult/catalogue/VResultCatalogue.def"
