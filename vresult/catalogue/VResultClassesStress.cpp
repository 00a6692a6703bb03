// The element stress, strain and force components and the principal values with their
// directions, with their phase-angle variants.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"CNNT_StrsStrn_ZAR", "CNNT_ForcMoment_ZAR", "PrinVector",
                                           "PrinVector2D"};
}  // namespace

TVResultClassTable GetStressClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBoth>();
}
