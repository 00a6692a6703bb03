// The stress intensities, nodal tensor equivalents, reactions, element and nodal fatigue and
// the nodal nonlinear set, with their phase-angle variants.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"MaxIntensity", "Tensor_ZAR",  "Reaction_ZAR",
                                           "Fatigue",      "Fatigue_ZAR", "Nonlinear_ZAR"};
}  // namespace

TVResultClassTable GetTensorClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBoth>();
}
