#include "CatalogueDefRows.h"

#include <cctype>
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

const std::map<std::string, TTmplInfo>& GetTemplates() {
  static const std::map<std::string, TTmplInfo> templates = {
      {"ScalarDirect", {pvk::AMT_SCALAR, {0}, 0}},
      {"ScalarDirect_UnitEntity_CaseInfo", {pvk::AMT_SCALAR, {0}, 0}},
      {"VectorComp_ZAR", {pvk::AMT_VECTOR, {1, 2, 3}, -2, 1}},
      {"VectorComp", {pvk::AMT_VECTOR, {1, 2}, -2, 1}},
      {"VectorTotal", {pvk::AMT_VECTOR, {0, 1, 2, 3}, 0}},
      {"VectorComb", {pvk::AMT_VECTOR, {0, 3, 4, 5}, 0}},
      {"Comp6_ZAR", {pvk::AMT_TENSOR6, {0, 1, 2, 3, 4, 5}, -1}},
      {"CNNT_StrsStrn_ZAR", {pvk::AMT_SCALAR, {3, 4, 5, 6, 7, 8}, -3, 3}},
      {"CNNT_ForcMoment_ZAR", {pvk::AMT_SCALAR, {1, 2, 3, 4, 5, 6, 7, 8}, -2, 1}},
      {"PrinVector", {pvk::AMT_PRINCIPAL_3D, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}, 1}},
      {"PrinVector2D", {pvk::AMT_PRINCIPAL_2D, {1, 2, 3, 4, 5}, -2, 1}},
      {"MaxIntensity", {pvk::AMT_SCALAR, {0}, -1}},
      {"Tensor_ZAR", {pvk::AMT_TENSOR, {0, 1, 2, 3, 4, 5}, -1}},
      {"SPR_Comp_ZAR", {pvk::AMT_SPR1, {0}, -1}},
      {"SPR_Comp3_ZAR", {pvk::AMT_SPR3, {0, 1, 2}, -1}},
      {"SPR_Comp6_ZAR", {pvk::AMT_SPR6, {0, 1, 2, 3, 4, 5}, -1}},
      {"SPR_Comp7_ZAR", {pvk::AMT_SPR7, {0, 1, 2, 3, 4, 5, 6}, -1}},
      {"Reaction_ZAR", {pvk::AMT_SCALAR, {0, 1, 2, 3}, 0}},
      {"Fatigue_ZAR", {pvk::AMT_NODAL_FATIGUE, {0, 1, 2, 3, 4, 5, 6}, 0}},
      {"Fatigue", {pvk::AMT_SCALAR, {0}, 0}},
      {"Nonlinear_ZAR", {pvk::AMT_NONLINEAR, {0, 1, 2, 3, 4, 5, 6, 7}, -1}},
      {"NoClass", {pvk::AMT_TYPE(0), {}, -1}},
  };
  return templates;
}

std::vector<std::int32_t> TemplateArgs(const TDefRow& row, std::int32_t offset) {
  const std::set<std::size_t>& ids = GetTemplates().at(row.tmpl).idArgs;
  std::vector<std::int32_t> args;
  for (std::size_t i = 0; i < row.args.size(); ++i) {
    const std::string& arg = row.args[i];
    const std::int32_t value =
        std::isdigit(static_cast<unsigned char>(arg[0])) ? std::stoi(arg) : 0;
    args.push_back(ids.contains(i) && value != 0 ? value + offset : value);
  }
  return args;
}
