// The vector results (components, totals, in-plane resultants) and the nodal tensor, with their
// phase-angle variants.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"VectorComp_ZAR", "VectorComp", "VectorTotal",
                                           "VectorComb", "Comp6_ZAR"};
}  // namespace

TVResultClassTable GetVectorClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBoth>();
}
