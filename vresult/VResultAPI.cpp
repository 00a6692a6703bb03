#include "vresult/VResultAPI.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

constexpr std::int32_t kSolidStrs = 312000;
constexpr std::int32_t kSolidStrn = 311000;
constexpr std::int32_t kShellStrs = 412000;
constexpr std::int32_t kShellStrn = 411000;
constexpr std::int32_t kBarStrs = 142000;
constexpr std::int32_t kBarStrn = 141000;

// Writes base + each offset.
void Put(std::int32_t* ids, std::int32_t base, std::initializer_list<std::int32_t> offsets) {
  for (const std::int32_t offset : offsets) *ids++ = base + offset;
}

// The principal groups of a solid: the value and its x, y, z direction cosines, A, B, C.
constexpr std::array<std::array<std::int32_t, 4>, 3> kPrincipalGroups{{
    {107, 127, 130, 133},
    {109, 128, 131, 134},
    {108, 129, 132, 135},
}};

CVResultAPI::E_COMB_VAR_SOLID_PRINCP_IDXS MainIdx(std::int32_t id, std::int32_t base) {
  for (std::int32_t g = 0; g < 3; ++g)
    if (id == base + kPrincipalGroups[g][0])
      return static_cast<CVResultAPI::E_COMB_VAR_SOLID_PRINCP_IDXS>(g);
  return CVResultAPI::COMB_VAR_SOLID_PRINCP_A;
}

// The group of `id` (-1 when it names none).
std::int32_t GroupOf(std::int32_t id, std::int32_t base) {
  for (std::int32_t g = 0; g < 3; ++g)
    if (id == base + kPrincipalGroups[g][0]) return g;
  return -1;
}

void CosIdx(std::int32_t id, std::int32_t base, std::int32_t& principal, std::int32_t& axis) {
  const std::int32_t first = base + 127;
  if (id < first || id > first + 8) return;
  principal = (id - first) % 3;
  axis = (id - first) / 3;
}

// The in-plane components of the layer that `id` belongs to.
void ShellLayer(std::int32_t id, std::int32_t base, std::int32_t ids[3]) {
  struct TLayer {
    std::int32_t first;
    std::array<std::int32_t, 5> members;
  };
  static constexpr TLayer kLayers[] = {
      {101, {107, 108, 112, 114, 121}},
      {131, {137, 138, 182, 184, 191}},
      {151, {157, 158, 162, 164, 171}},
  };
  for (const TLayer& layer : kLayers) {
    if (std::find(layer.members.begin(), layer.members.end(), id - base) != layer.members.end()) {
      Put(ids, base + layer.first, {0, 1, 3});
      return;
    }
  }
}

}  // namespace

void CVResultAPI::GetSolidStrsFactor_VonMises(double& f1, double& f2) {
  f1 = 0.5;
  f2 = 3.0;
}
void CVResultAPI::GetSolidStrnFactor_VonMises(double& f1, double& f2) {
  f1 = 2.0 / 9.0;
  f2 = 1.0 / 3.0;
}
void CVResultAPI::GetSolidStrsFactor_Octahedral(double& f1, double& f2) {
  f1 = 1.0 / 9.0;
  f2 = 2.0 / 3.0;
}
void CVResultAPI::GetSolidStrnFactor_Octahedral(double& f1, double& f2) {
  f1 = 1.0 / 9.0;
  f2 = 1.0 / 6.0;
}
void CVResultAPI::GetSolidStrnFactor_Mean(double& f) { f = -1.0 / 3.0; }
void CVResultAPI::GetBarStrsFactor_VonMises(double& f1, double& f2) {
  f1 = 1.0;
  f2 = 3.0;
}
void CVResultAPI::GetBarStrnFactor_VonMises(double& f1, double& f2) {
  f1 = 4.0 / 9.0;
  f2 = 1.0 / 3.0;
}
void CVResultAPI::GetShellStrsFactor_MaxShear(double& f) { f = 1.0; }
void CVResultAPI::GetShellStrnFactor_MaxShear(double& f) { f = 2.0; }

void CVResultAPI::GetSolidStrsVariables(std::int32_t ids[6]) {
  Put(ids, kSolidStrs, {101, 102, 103, 104, 105, 106});
}
void CVResultAPI::GetSolidStrnVariables(std::int32_t ids[6]) {
  Put(ids, kSolidStrn, {101, 102, 103, 104, 105, 106});
}
void CVResultAPI::GetSolidStrsVariables_Mean(std::int32_t ids[3]) {
  Put(ids, kSolidStrs, {101, 102, 103});
}
void CVResultAPI::GetSolidStrnVariables_Mean(std::int32_t ids[3]) {
  Put(ids, kSolidStrn, {101, 102, 103});
}
void CVResultAPI::GetSolidStrsVariables_MaxShear(std::int32_t ids[3]) {
  Put(ids, kSolidStrs, {107, 109, 108});
}
void CVResultAPI::GetSolidStrnVariables_MaxShear(std::int32_t ids[3]) {
  Put(ids, kSolidStrn, {107, 109, 108});
}

CVResultAPI::E_COMB_VAR_SOLID_PRINCP_IDXS CVResultAPI::GetSolidStrsVariables_PrincpMainIdx(
    std::int32_t id) {
  return MainIdx(id, kSolidStrs);
}
CVResultAPI::E_COMB_VAR_SOLID_PRINCP_IDXS CVResultAPI::GetSolidStrnVariables_PrincpMainIdx(
    std::int32_t id) {
  return MainIdx(id, kSolidStrn);
}

void CVResultAPI::GetSolidStrnVariables_PrincpIdx(std::int32_t id, std::int32_t ids[12]) {
  const std::int32_t first = GroupOf(id, kSolidStrn);
  if (first < 0) return;
  for (std::int32_t g = 0; g < 3; ++g)
    for (std::int32_t i = 0; i < 4; ++i)
      ids[g * 4 + i] = kSolidStrn + kPrincipalGroups[(first + g) % 3][i];
}

void CVResultAPI::GetSolidStrsVariables_PrincpIdx(std::int32_t id, std::int32_t idx[12]) {
  const std::int32_t first = GroupOf(id, kSolidStrs);
  if (first < 0) return;
  for (std::int32_t i = 0; i < 12; ++i) idx[i] = (first * 4 + i) % 12;
}

void CVResultAPI::GetSolidStrsVariables_PrincpCosIdx(std::int32_t id, std::int32_t& principal,
                                                     std::int32_t& axis) {
  CosIdx(id, kSolidStrs, principal, axis);
}
void CVResultAPI::GetSolidStrnVariables_PrincpCosIdx(std::int32_t id, std::int32_t& principal,
                                                     std::int32_t& axis) {
  CosIdx(id, kSolidStrn, principal, axis);
}

void CVResultAPI::GetShellStrsVariables(std::int32_t id, std::int32_t ids[3]) {
  ShellLayer(id, kShellStrs, ids);
}
void CVResultAPI::GetShellStrnVariables(std::int32_t id, std::int32_t ids[3]) {
  ShellLayer(id, kShellStrn, ids);
}
void CVResultAPI::GetShellStrsVariables_MaxShear(std::int32_t ids[3]) {
  Put(ids, kShellStrs, {112, 182, 162});
}
void CVResultAPI::GetShellStrsVariables_MaxVonMises(std::int32_t ids[3]) {
  Put(ids, kShellStrs, {114, 184, 164});
}
void CVResultAPI::GetShellStrsVariables_MaxPricipal(std::int32_t ids[3]) {
  Put(ids, kShellStrs, {107, 137, 157});
}
void CVResultAPI::GetShellStrsVariables_MinPricipal(std::int32_t ids[3]) {
  Put(ids, kShellStrs, {108, 138, 158});
}
void CVResultAPI::GetShellStrnVariables_MaxShear(std::int32_t ids[3]) {
  Put(ids, kShellStrn, {112, 182, 162});
}
void CVResultAPI::GetShellStrnVariables_MaxVonMises(std::int32_t ids[3]) {
  Put(ids, kShellStrn, {114, 184, 164});
}
void CVResultAPI::GetShellStrnVariables_MaxPricipal(std::int32_t ids[3]) {
  Put(ids, kShellStrn, {107, 137, 157});
}
void CVResultAPI::GetShellStrnVariables_MinPricipal(std::int32_t ids[3]) {
  Put(ids, kShellStrn, {108, 138, 158});
}

void CVResultAPI::GetShellForcVariables(std::int32_t id, std::int32_t ids[3]) {
  if (id == 410411 || id == 410412) Put(ids, 410400, {2, 3, 4});
  if (id == 410414 || id == 410415) Put(ids, 410400, {6, 7, 8});
}
void CVResultAPI::GetShellForcVariables_MaxForc(std::int32_t ids[2]) { Put(ids, 410400, {11, 12}); }
void CVResultAPI::GetShellForcVariables_MaxMoment(std::int32_t ids[2]) {
  Put(ids, 410400, {14, 15});
}
void CVResultAPI::GetShellForcVariables_MaxTransverseShear(std::int32_t ids[2]) {
  Put(ids, 410400, {9, 10});
}

void CVResultAPI::GetBarStrsVariables_VonMises(std::int32_t ids[4]) {
  Put(ids, kBarStrs, {106, 119, 120, 111});
}
void CVResultAPI::GetBarStrnVariables_VonMises(std::int32_t ids[4]) {
  Put(ids, kBarStrn, {106, 119, 120, 111});
}
void CVResultAPI::GetBarStrsVariables_Combined(std::int32_t ids[4]) {
  Put(ids, kBarStrs, {102, 103, 104, 105});
}
void CVResultAPI::GetBarStrnVariables_Combined(std::int32_t ids[4]) {
  Put(ids, kBarStrn, {102, 103, 104, 105});
}
