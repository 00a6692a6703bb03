#pragma once
// The rows of the result catalogue (VResultCatalogue.def) as a sorted table.
#include <cstdint>
#include <span>

#include "qve_pvk_export.h"

struct TVResCatalogueRow {
  std::int32_t nId;
  const wchar_t* pszNameKey;
  const wchar_t* pszLegendKey;
  const wchar_t* pszQuantity;
  const wchar_t* pszComponent;
  std::int32_t nUnit;
  std::int32_t nCategory;
};

// Every row in ascending id order.
PVK_API std::span<const TVResCatalogueRow> GetVResultCatalogue();
// The row of a base result id, or null.
PVK_API const TVResCatalogueRow* FindVResultCatalogueRow(std::int32_t id);
