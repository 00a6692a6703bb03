#include "core/PCBCode.h"

#include "core/ResultId.h"

namespace PZAR_PCB {

namespace {

// Results of group 1 are 7201 to 7210, of group 4 7301 to 7308.
struct TGroupResults {
  std::int32_t group;
  std::int32_t base;
  std::int32_t count;
  std::int32_t catType;
};
constexpr TGroupResults kGroups[] = {{1, 7200, 10, 102}, {4, 7300, 8, 103}};

const TGroupResults* FindGroup(std::int32_t code) {
  for (const auto& g : kGroups)
    if (g.group == GetGroupPCB(code)) return &g;
  return nullptr;
}

}  // namespace

std::int32_t GetOutputPCB(std::int32_t code) { return code / pvk::kPCBOutputScale; }
std::int32_t GetPropertyPCB(std::int32_t code) { return (code % pvk::kPCBOutputScale) / 1000; }
std::int32_t GetGroupPCB(std::int32_t code) { return (code % 1000) / 100; }
std::int32_t GetIdPCB(std::int32_t code) { return code % 100; }

std::int32_t GetComponentResCatType(std::int32_t code) {
  const TGroupResults* g = FindGroup(code);
  return g ? g->catType : 0;
}

std::int32_t GetComponentResID(std::int32_t code) {
  const TGroupResults* g = FindGroup(code);
  const std::int32_t id = GetIdPCB(code);
  return g && id >= 1 && id <= g->count ? g->base + id : 0;
}

std::int32_t GetComponentPCBResID(std::int32_t code, std::int32_t resId) {
  const TGroupResults* g = FindGroup(code);
  if (!g || resId <= g->base || resId > g->base + g->count) return 0;
  return (code / 100) * 100 + (resId - g->base);
}

}  // namespace PZAR_PCB
