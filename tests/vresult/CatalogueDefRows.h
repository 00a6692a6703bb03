#pragma once
// The catalogue table as the tests see it: every row of VResultCatalogue.def with its class
// columns.
#include <cstdint>
#include <string>
#include <vector>

struct TDefRow {
  std::int32_t id;
  std::string name;  // empty for a class without catalogue row
  std::wstring nameKey;
  std::wstring legendKey;
  std::string tmpl;
  std::vector<std::string> args;
  bool twin;
  std::vector<std::string> comps;
  std::string className;  // as written; empty: CVR_ + NAME + _ZAR
};

const std::vector<TDefRow>& GetDefRows();
