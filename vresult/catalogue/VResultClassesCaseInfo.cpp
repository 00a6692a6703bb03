// The case-information results of envelopes and their phase-angle variants.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"ScalarDirect_UnitEntity_CaseInfo"};
}  // namespace

TVResultClassTable GetCaseInfoClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBoth>();
}
