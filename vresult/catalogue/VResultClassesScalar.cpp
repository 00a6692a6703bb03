// The scalar results shown as stored, base ids.
#include "vresult/catalogue/VResultClassGen.h"

namespace {
constexpr std::string_view kTemplates[] = {"ScalarDirect"};
}  // namespace

TVResultClassTable GetScalarDirectClassTable() {
  return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBase>();
}
