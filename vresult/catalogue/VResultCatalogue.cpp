#include "vresult/catalogue/VResultCatalogue.h"

#include <algorithm>
#include <iterator>

namespace {

#define PVK_CATALOGUE_WIDE(s) L##s
#define VRES_ROW(id, NAME, nameKey, legendKey, quantity, component, unit, category, ...) \
  {id,                                                                                   \
   PVK_CATALOGUE_WIDE(nameKey),                                                          \
   PVK_CATALOGUE_WIDE(legendKey),                                                        \
   PVK_CATALOGUE_WIDE(quantity),                                                         \
   PVK_CATALOGUE_WIDE(component),                                                        \
   unit,                                                                                 \
   category},
constexpr TVResCatalogueRow kRows[] = {
#include "vresult/catalogue/VResultCatalogue.def"
};
#undef PVK_CATALOGUE_WIDE

constexpr bool IsStrictlyAscending() {
  for (std::size_t i = 1; i < std::size(kRows); ++i)
    if (kRows[i - 1].nId >= kRows[i].nId) return false;
  return true;
}
// The lookup is a binary search: the table must stay in ascending id order.
static_assert(IsStrictlyAscending(), "catalogue rows must be in ascending id order");

}  // namespace

std::span<const TVResCatalogueRow> GetVResultCatalogue() { return kRows; }

const TVResCatalogueRow* FindVResultCatalogueRow(std::int32_t id) {
  const auto* it =
      std::lower_bound(std::begin(kRows), std::end(kRows), id,
                       [](const TVResCatalogueRow& r, std::int32_t v) { return r.nId < v; });
  return it != std::end(kRows) && it->nId == id ? it : nullptr;
}
