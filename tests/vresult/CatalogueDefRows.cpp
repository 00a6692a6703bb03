#include "CatalogueDefRows.h"

#include <sstream>

namespace {

struct TRawRow {
  std::int32_t id;
  const char* name;
  const wchar_t* nameKey;
  const wchar_t* legendKey;
  const char* tmpl;
  const char* args;
  int twin;
  const char* comps;
  const char* className;
};

#define VRES_ROW(id, NAME, nk, lk, q, c, unit, cat, TMPL, ARGS, twin, COMPS, cls) \
  {id, #NAME, L"" nk, L"" lk, #TMPL, #ARGS, twin, #COMPS, cls},
#define VRES_CLASS_ONLY(id, cls, TMPL, ARGS, twin, COMPS) \
  {id, "", L"", L"", #TMPL, #ARGS, twin, #COMPS, #cls},
constexpr TRawRow kRaw[] = {
#include "vresult/catalogue/VResultCatalogue.def"
};

// "(1, 2, CVResult_ZAR)" -> {"1", "2", "CVResult_ZAR"}
std::vector<std::string> SplitTuple(std::string s) {
  std::vector<std::string> out;
  for (char& ch : s)
    if (ch == '(' || ch == ')' || ch == ',') ch = ' ';
  std::istringstream in(s);
  for (std::string item; in >> item;) out.push_back(item);
  return out;
}

}  // namespace

const std::vector<TDefRow>& GetDefRows() {
  static const std::vector<TDefRow> rows = [] {
    std::vector<TDefRow> out;
    for (const TRawRow& r : kRaw)
      out.push_back({r.id, r.name, r.nameKey, r.legendKey, r.tmpl, SplitTuple(r.args), r.twin != 0,
                     SplitTuple(r.comps), r.className});
    return out;
  }();
  return rows;
}
