#pragma once
// The rows of the result catalogue (VResultCatalogue.def) as a sorted table.
#include <cstdint>
#include <span>

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
std::span<const TVResCatalogueRow> GetVResultCatalogue();
// The row of a base result id, or null.
const TVResCatalogueRow* FindVResultCatalogueRow(std::int32_t id);
