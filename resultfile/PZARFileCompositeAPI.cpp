#include "resultfile/PZARFileCompositeAPI.h"

#include <algorithm>
#include <string>

#include "base/MsgOut.h"
#include "resultfile/PZARSourceSites.h"

namespace PZAR_Composite {

namespace {

int Digits(const std::string& text, std::size_t first, std::size_t count) {
  return std::stoi(text.substr(first, count));
}

// info[2] from the position code's quotient; 0 when the quotient has no class.
unsigned PositionClass(bool withPly, int quotient) {
  if (withPly) return quotient == 0 ? 3u : quotient == 1 ? 4u : 0u;
  return quotient == 0 ? 1u : quotient == 2 ? 2u : 0u;
}

}  // namespace

int GetCompositeInformation(const zar::MArray<std::int32_t>& plyIds, std::int32_t comp,
                            unsigned int info[6]) {
  std::fill(info, info + 6, 0u);
  if (comp < 0) return 0;
  const std::string text = std::to_string(comp);
  if (text.size() < 8 || text.size() > 10) return 0;
  const std::size_t p = text.size() - 8;
  const int kind = Digits(text, p, 1);
  if (kind != 1 && kind != 2) return 0;
  info[3] = static_cast<unsigned>(kind);
  const int ply = Digits(text, p + 1, 4);
  if (ply > 0 && static_cast<std::size_t>(ply) > plyIds.size()) {
    zar::lib::nsMsgOutFormat(L"PLY info not exist (solver output problem)");
    zar::lib::nsMsgOutFormat(L"in %S at line %d\n", pzar_site::kPlyInfoMissing.szUnit,
                             pzar_site::kPlyInfoMissing.nLine);
    return 0;
  }
  info[0] = ply == 0 ? 1u : 2u;
  if (ply > 0) info[1] = static_cast<unsigned>(plyIds[static_cast<std::size_t>(ply - 1)]);
  const int component = Digits(text, p + 5, 1);
  if (component < 1 || component > 5) return 0;
  info[4] = static_cast<unsigned>(component);
  const int position = Digits(text, p + 6, 2);
  info[2] = PositionClass(ply > 0, position / 20);
  if (info[2] == 0) return 0;
  info[5] = static_cast<unsigned>(position % 20);
  return 1;
}

int IsComposite(const unsigned int info[6], int& plyId) {
  plyId = 0;
  if (info[0] == 2) {
    plyId = static_cast<int>(info[1]);
    return 3;
  }
  if (info[0] == 1) return info[2] == 1 ? 1 : info[2] == 2 ? 2 : 0;
  return 0;
}

std::int32_t GetCompositeRltCatType(int compositeClass) {
  return compositeClass >= 1 && compositeClass <= 3 ? 96 + compositeClass : 0;
}

}  // namespace PZAR_Composite
