#include "ValueResult.h"

#include <fmt/format.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "PvkError.h"
#include "PvkText.h"
#include "datastore/PostPartialDList.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace pvk_values {

namespace {

// The id that the text spells, or false when it is not a number.
bool ParseId(const std::string& text, std::int32_t& id) {
  const char* end = text.data() + text.size();
  const auto [p, ec] = std::from_chars(text.data(), end, id);
  return ec == std::errc() && p == end && !text.empty();
}

std::string Name(const CVResult& vr) { return pvk_text::Utf8(vr.GetName()); }

// The legend's quantity and component ("NODAL STRS VON MISES"): the name a result goes by
// where its own name drops the quantity ("Strs Von Mises").
std::string LegendName(const CVResult& vr) {
  CString quantity, component;
  vr.GetNameForLegend(quantity, component);
  return pvk_text::Utf8(quantity) + " " + pvk_text::Utf8(component);
}

bool Named(const CVResult& vr, const std::string& key) {
  return pvk_text::NameKey(Name(vr)) == key || pvk_text::NameKey(LegendName(vr)) == key;
}

std::string Where(std::int32_t loc) {
  return loc < 0 ? std::string() : " at " + pvk_text::LocationName(loc);
}

std::string SeeResults(const std::string& file) {
  return fmt::format("(see 'pvk results {}')", file);
}

}  // namespace

std::int32_t AskedLoc(const std::string& text, const std::string& what) {
  if (text.empty()) return -1;
  const std::int32_t loc = pvk_text::LocationCode(text);
  if (loc < 0) {
    std::string names;
    for (const std::string& name : pvk_text::LocationNames()) names += " " + name;
    throw CPvkError(PVK_EXIT_USAGE, what, "expected a location name or its number 1 to 7:" + names);
  }
  return loc;
}

std::string LocHelp() {
  std::string names;
  for (const std::string& name : pvk_text::LocationNames()) names += " " + name;
  return "location, a name or its number 1 to 7:" + names +
         " (default: the first that holds the result)";
}

const CPostPartialD& LoadValues(CVResult& vr, CPostPartialDList& list, TVResParam& param) {
  if (vr.LoadData(&list, &param))
    for (const auto& pBlock : list.GetList())
      if (pBlock->GetCompCnt() > 0) return *pBlock;
  throw CPvkError(PVK_EXIT_FILE, fmt::format("cannot load result {}", vr.GetType()),
                  "its values could not be read");
}

CVResult& FindResult(const CVResultPackage& package, const std::string& text, std::int32_t loc,
                     const std::string& file) {
  std::vector<CVResult*> all;
  package.GetAllResults(all);
  std::int32_t id = 0;
  const bool byId = ParseId(text, id);
  const std::string key = pvk_text::NameKey(text);
  std::vector<CVResult*> found;
  for (CVResult* vr : all) {
    const bool named = byId ? vr->GetType() == id : Named(*vr, key);
    if (named && (loc < 0 || vr->GetLocType() == loc)) found.push_back(vr);
  }
  const auto otherId = std::find_if(found.begin(), found.end(), [&](const CVResult* vr) {
    return vr->GetType() != found.front()->GetType();
  });
  if (otherId != found.end())
    throw CPvkError(PVK_EXIT_MISSING, fmt::format("result \"{}\" is ambiguous", text),
                    fmt::format("ids {} and {} have that name; give the id",
                                found.front()->GetType(), (*otherId)->GetType()));
  if (!found.empty()) return *found.front();

  const std::string what =
      (byId ? fmt::format("no result {}", id) : fmt::format("no result \"{}\"", text)) + Where(loc);
  std::vector<std::string> names;
  for (const CVResult* vr : all)
    if (loc < 0 || vr->GetLocType() == loc) names.push_back(Name(*vr));
  const std::string nearest = byId ? std::string() : pvk_text::Nearest(text, names);
  if (!nearest.empty())
    throw CPvkError(PVK_EXIT_MISSING, what,
                    fmt::format("did you mean \"{}\"? {}", nearest, SeeResults(file)));
  throw CPvkError(PVK_EXIT_MISSING, what, "the step does not hold it " + SeeResults(file));
}

}  // namespace pvk_values
