#pragma once
// The catalogue table as the tests see it: every row of VResultCatalogue.def with its class
// columns, and what the tests know of each template.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "datastore/AmtType.h"

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

// A template's preset amount type, the positions of its arguments that hold component ids, and
// the argument that holds the result's own id (-1: none; -2: the one the first argument
// indexes from `ownBase`; -3: the one the third argument indexes from `ownBase`).
struct TTmplInfo {
  pvk::AMT_TYPE amt;
  std::set<std::size_t> idArgs;
  int ownArg;
  int ownBase = 0;
};
// Every template by name ("NoClass": rows without a class).
const std::map<std::string, TTmplInfo>& GetTemplates();

// The row's template arguments as numbers (0 for a base class), its component ids moved by
// `offset` (an absent id, 0, stays 0).
std::vector<std::int32_t> TemplateArgs(const TDefRow& row, std::int32_t offset);
