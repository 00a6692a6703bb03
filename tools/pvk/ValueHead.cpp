#include "ValueHead.h"

#include <algorithm>
#include <vector>

#include "PvkCommands.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"

namespace pvk_values {

namespace {

// The 1-based position of an iterator among its siblings.
std::int32_t Number(const std::vector<std::uint64_t>& itrs, std::uint64_t itr) {
  return static_cast<std::int32_t>(std::find(itrs.begin(), itrs.end(), itr) - itrs.begin()) + 1;
}

}  // namespace

TValuesHead StepHead(const CPvkSession& session, const std::string& file, std::uint64_t scas,
                     std::uint64_t step) {
  TValuesHead head;
  head.file = file;
  head.subcaseNumber = Number(session.Subcases(), scas);
  head.subcase = pvk_text::Utf8(session.Scas(scas).GetName());
  head.stepNumber = Number(session.Steps(scas), step);
  head.step = pvk_text::Utf8(session.Vcas(step).GetName());
  return head;
}

TResultHead ResultHead(const CVResult& vr, const zar::lib::T_UNIT_INDEX& units) {
  return {"", vr.GetType(), pvk_text::Utf8(vr.GetName()), UnitText(vr, units)};
}

}  // namespace pvk_values
