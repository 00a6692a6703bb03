#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

#include "PvkCommands.h"
#include "PvkError.h"
#include "PvkOptions.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "base/UnitControl.h"
#include "datastore/PostPartialDList.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using Ints = zar::MArray<std::int32_t>;

struct TValuesOptions {
  std::string file;
  std::int32_t result = 0;
  std::int32_t loc = -1;  // -1: the lowest location type of the result
  TStepSelect select;
  bool json = false;
  bool csv = false;
  std::string units;  // "LENGTH,FORCE", empty for the file's units
};

CVResult& FindResult(const CPvkSession& session, std::uint64_t step, const TValuesOptions& o) {
  std::vector<CVResult*> found;
  session.Vcas(step).GetPackage()->GetDataList(o.result, found);
  for (CVResult* vr : found)
    if (o.loc < 0 || vr->GetLocType() == o.loc) return *vr;
  const std::string what = "no result " + std::to_string(o.result) +
                           (o.loc < 0 ? std::string() : " at location " + std::to_string(o.loc));
  throw CPvkError(PVK_EXIT_MISSING, what, "the step does not hold it");
}

// The units asked as "LENGTH,FORCE", the file's other units kept.
zar::lib::T_UNIT_INDEX AskedUnits(const std::string& text, zar::lib::T_UNIT_INDEX units) {
  const std::size_t comma = text.find(',');
  pvk_text::TUnitName length{}, force{};
  const bool ok = comma != std::string::npos && pvk_text::FindUnit(text.substr(0, comma), length) &&
                  pvk_text::FindUnit(text.substr(comma + 1), force) &&
                  length.kind == zar::lib::UNIT_LENGTH && force.kind == zar::lib::UNIT_FORCE;
  if (!ok)
    throw CPvkError(PVK_EXIT_USAGE, "bad --units " + text,
                    "expected LENGTH,FORCE such as m,kN (m cm mm ft in; kgf tonf N kN lbf kips)");
  units.nLength = length.code;
  units.nForce = force.code;
  return units;
}

std::string Ints2Json(const Ints& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i)
    out += (i ? ", " : "") + std::to_string(values[i]);
  return out + "]";
}

std::string Column2Json(const zar::MArray<double>& values) {
  std::string out = "[";
  for (std::size_t i = 0; i < values.size(); ++i)
    out += (i ? ", " : "") + pvk_text::JsonNumber(values[i]);
  return out + "]";
}

std::string Json(const CVResult& vr, const CPostPartialDList& list, const std::string& unit) {
  std::string out =
      fmt::format(R"({{"id": {}, "loc": {}, "amt": {}, "unit": {}, "blocks": [)", vr.GetType(),
                  static_cast<int>(vr.GetLocType()), static_cast<int>(vr.GetDLoadOpt().nAMTType),
                  pvk_text::JsonString(unit));
  const char* sep = "";
  for (const auto& pBlock : list.GetList()) {
    out += fmt::format(R"({}{{"keys": {}, "dsi": {}, "dct": {}, "columns": [)", sep,
                       Ints2Json(*pBlock->GetKey()), Ints2Json(*pBlock->GetDSI()),
                       Ints2Json(*pBlock->GetDCT()));
    for (std::int32_t c = 0; c < pBlock->GetCompCnt(); ++c)
      out += (c ? ", " : "") + Column2Json(*pBlock->GetComp(c));
    out += "]}";
    sep = ", ";
  }
  return out + "]}\n";
}

// One row per value of an entity: the key, then the value of every column.
template <class FRow>
void ForEachRow(const CPostPartialD& block, FRow row) {
  const Ints& keys = *block.GetKey();
  const Ints& dsi = *block.GetDSI();
  const Ints& dct = *block.GetDCT();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::int32_t first = i < dsi.size() ? dsi[i] : static_cast<std::int32_t>(i);
    const std::int32_t count = i < dct.size() ? dct[i] : 1;
    for (std::int32_t j = 0; j < count; ++j) row(keys[i], static_cast<std::size_t>(first + j));
  }
}

std::string Table(const CPostPartialDList& list, const char* sep, bool header) {
  std::string out;
  for (const auto& pBlock : list.GetList()) {
    const std::int32_t columns = pBlock->GetCompCnt();
    if (header) {
      out += "key";
      for (std::int32_t c = 0; c < columns; ++c) out += fmt::format("{}c{}", sep, c);
      out += "\n";
      header = false;
    }
    ForEachRow(*pBlock, [&](std::int32_t key, std::size_t at) {
      out += std::to_string(key);
      for (std::int32_t c = 0; c < columns; ++c) {
        const zar::MArray<double>& column = *pBlock->GetComp(c);
        out += sep + (at < column.size() ? pvk_text::Number(column[at]) : std::string("nan"));
      }
      out += "\n";
    });
  }
  return out;
}

std::string Values(const TValuesOptions& o) {
  CPvkSession session(o.file);
  const std::uint64_t step =
      session.SelectStep(session.SelectSubcase(o.select.subcase), o.select.step);
  CVResult& vr = FindResult(session, step, o);
  const zar::lib::T_UNIT_INDEX fileUnits = *session.Mcas().GetUnitIndex();
  const zar::lib::T_UNIT_INDEX units = o.units.empty() ? fileUnits : AskedUnits(o.units, fileUnits);
  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem(units);
  TVResParam param{&ctrl, &session.Model()};
  CPostPartialDList list;
  const int loaded = o.units.empty() ? vr.LoadDataNU(&list, &param) : vr.LoadData(&list, &param);
  if (!loaded)
    throw CPvkError(PVK_EXIT_FILE, "cannot load result " + std::to_string(o.result),
                    "its values could not be read");
  if (o.json) return Json(vr, list, UnitText(vr, units));
  if (o.csv) return Table(list, ",", true);
  return fmt::format("result {} ({}), location {}, unit {}\n", vr.GetType(),
                     pvk_text::Utf8(vr.GetName()), static_cast<int>(vr.GetLocType()),
                     UnitText(vr, units)) +
         Table(list, "  ", true);
}

}  // namespace

TPvkCommand AddValuesCommand(CLI::App& app) {
  auto o = std::make_shared<TValuesOptions>();
  auto* cmd = app.add_subcommand("values", "print the values of a result");
  AddFileOption(cmd, o->file);
  cmd->add_option("--result", o->result, "result id")->required();
  cmd->add_option("--loc", o->loc, "location type")->check(CLI::Range(0, 7));
  AddStepOptions(cmd, o->select);
  auto* jsonFlag = cmd->add_flag("--json", o->json, "a JSON object");
  cmd->add_flag("--csv", o->csv, "comma-separated rows")->excludes(jsonFlag);
  cmd->add_option("--units", o->units, "LENGTH,FORCE, for example m,kN");
  return {cmd, [o](std::FILE* out) { std::fputs(Values(*o).c_str(), out); }};
}
