// The SPR results of one, three, six and seven component groups, with the phase-angle
// variants of the single groups.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"SPR_Comp_ZAR", "SPR_Comp3_ZAR", "SPR_Comp6_ZAR",
                                           "SPR_Comp7_ZAR"};
}  // namespace

TVResultClassTable GetSPRClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBoth>();
}
