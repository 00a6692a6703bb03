// The phase-angle variants of the scalar results shown as stored.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"ScalarDirect"};
}  // namespace

TVResultClassTable GetScalarDirectPhaseClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kPhaseAngle>();
}
