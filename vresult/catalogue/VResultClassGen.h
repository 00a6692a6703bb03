#pragma once
// Builds the result classes of the catalogue rows whose templates a generating source names,
// with their factory and component-type rows:
//   constexpr std::string_view kTemplates[] = {"VectorTotal", "VectorComb"};
//   TVResultClassTable GetVectorClassTable() {
//     return pvk::vrgen::BuildClassTable<kTemplates, pvk::vrgen::EVariants::kBoth>();
//   }
// Include it in generating sources only: the classes stay local to the source.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "base/Object.h"
#include "vresult/VResultRegistrar.h"
#include "vresult/VResult_ZAR.h"
#include "vresult/catalogue/VResultClassRows.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

namespace pvk::vrgen {

// The run-time class name of result id nId: of a row's class, or of its phase-angle class.
constexpr const char* ClassName(std::int32_t nId) {
  const auto* base = std::ranges::lower_bound(kClassRows, nId, {}, &TVRClassRow::nId);
  if (base != std::end(kClassRows) && base->nId == nId) return base->pszName;
  const auto* phase = std::ranges::lower_bound(
      kClassRows, nId, {}, [](const TVRClassRow& row) { return vrtmpl::PhaseAngleId(row.nId); });
  return phase->pszPhaseName;
}

// Which classes of its rows a source builds.
enum class EVariants { kBase, kPhaseAngle, kBoth };

// One class to build: a row of kClassRows, as it is or as its phase-angle variant.
struct TVREntry {
  std::size_t nRow;
  bool bPhaseAngle;
};

// Calls f for each class of the rows of the templates, in row order, a row's base class
// before its phase-angle class.
template <class F>
constexpr void ForEachEntry(std::span<const std::string_view> aTemplates, EVariants variants, F f) {
  for (std::size_t i = 0; i < std::size(kClassRows); ++i) {
    if (std::ranges::find(aTemplates, kClassRows[i].sTemplate) == aTemplates.end()) continue;
    if (variants != EVariants::kPhaseAngle) f(TVREntry{i, false});
    if (variants != EVariants::kBase && kClassRows[i].bPhaseAngle) f(TVREntry{i, true});
  }
}

// Each source has its own classes; nothing of them is seen outside it.
namespace {

// A thin class: the template instance with a fixed id and the run-time record of its name.
template <class TBase, std::int32_t nId>
class TVRClass final : public TBase {
public:
  static CRuntimeClass s_class;
  static CObject* CreateObject() { return new TVRClass; }
  CRuntimeClass* GetRuntimeClass() const override { return &s_class; }
  std::int32_t GetType() const override { return this->GetTypeOf(nId); }
};

template <class TBase, std::int32_t nId>
constinit CRuntimeClass TVRClass<TBase, nId>::s_class = {
    ClassName(nId), sizeof(TVRClass), 0xFFFF, &TVRClass::CreateObject, &CVResult_ZAR::GetThisClass};

template <const auto& kTemplates, EVariants variants>
constexpr std::size_t CountEntries() {
  std::size_t count = 0;
  ForEachEntry(kTemplates, variants, [&](TVREntry) { ++count; });
  return count;
}

template <const auto& kTemplates, EVariants variants>
constexpr auto kEntries = [] {
  std::array<TVREntry, CountEntries<kTemplates, variants>()> entries{};
  std::size_t n = 0;
  ForEachEntry(kTemplates, variants, [&](TVREntry entry) { entries[n++] = entry; });
  return entries;
}();

template <TVREntry entry>
constexpr TVResultClassReg ClassReg() {
  constexpr std::int32_t nId = kClassRows[entry.nRow].nId;
  using TBase = typename TVRRowClass<nId>::type;
  if constexpr (entry.bPhaseAngle) {
    constexpr std::int32_t nPhaseId = vrtmpl::PhaseAngleId(nId);
    return {nPhaseId, &TVRClass<TVRPhaseAngleOf<TBase>, nPhaseId>::s_class};
  } else {
    return {nId, &TVRClass<TBase, nId>::s_class};
  }
}

template <const auto& kList, std::size_t... I>
constexpr auto ClassRegs(std::index_sequence<I...>) {
  return std::array<TVResultClassReg, sizeof...(I)>{ClassReg<kList[I]>()...};
}

// One pair per component id of each class: the component makes the class's result available.
template <const auto& kList>
constexpr auto CompTypePairs() {
  constexpr std::size_t count = [] {
    std::size_t n = 0;
    for (const TVREntry& entry : kList) n += kClassRows[entry.nRow].aComps.size();
    return n;
  }();
  std::array<TCompTypeVResReg, count> pairs{};
  std::size_t n = 0;
  for (const TVREntry& entry : kList) {
    const TVRClassRow& row = kClassRows[entry.nRow];
    for (const std::int32_t comp : row.aComps)
      pairs[n++] = entry.bPhaseAngle
                       ? TCompTypeVResReg{vrtmpl::PhaseAngleId(comp), vrtmpl::PhaseAngleId(row.nId)}
                       : TCompTypeVResReg{comp, row.nId};
  }
  return pairs;
}

// The classes of the rows of kTemplates (names as in the catalogue's template column) and
// their component-type rows.
template <const auto& kTemplates, EVariants variants>
TVResultClassTable BuildClassTable() {
  static_assert(std::ranges::all_of(kTemplates,
                                    [](std::string_view name) {
                                      return std::ranges::find(kClassRows, name,
                                                               &TVRClassRow::sTemplate) !=
                                             std::end(kClassRows);
                                    }),
                "every template named has catalogue rows");
  static constexpr const auto& kList = kEntries<kTemplates, variants>;
  static constexpr auto kClasses = ClassRegs<kList>(std::make_index_sequence<kList.size()>());
  static constexpr auto kPairs = CompTypePairs<kList>();
  return {kClasses, kPairs};
}

}  // namespace
}  // namespace pvk::vrgen
