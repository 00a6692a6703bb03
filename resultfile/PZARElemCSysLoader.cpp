#include "resultfile/PZARElemCSysLoader.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "core/ModelDBLink.h"

namespace {

constexpr std::int32_t kNoMin = 2147483647;
constexpr std::int32_t kNoMax = -2147483647;

using TCSysMap = std::unordered_map<std::int32_t, pvk::TElemOutCsys_d>;

// Adds the systems of one entry; an entry whose counts differ is passed over. The first entry
// that holds an id gives its system.
void Collect(const TElemOUtCSysLoader& entry, TCSysMap& map) {
  zar::MArray<std::int32_t> ids;
  zar::MArray<pvk::TElemOutCsys_d> systems;
  if (!entry.pIDLoader->LoadData(ids, nullptr, nullptr) ||
      !entry.pCSysLoader->LoadData(systems, nullptr, nullptr) || ids.size() != systems.size()) {
    return;
  }
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] >= 0) map.emplace(ids[i], systems[i]);
  }
}

}  // namespace

int CPZARElemCSysLoader::AddLoader(IPostDataUnitResultLoader<std::int32_t>* pIDLoader,
                                   IPostDataUnitResultLoader<pvk::TElemOutCsys_d>* pCSysLoader) {
  zar::MArray<std::int32_t> ids;
  if (!pIDLoader || !pCSysLoader || !pIDLoader->LoadData(ids, nullptr, nullptr)) return 0;
  TElemOUtCSysLoader entry{pIDLoader, pCSysLoader, kNoMin, kNoMax};
  for (std::int32_t id : ids) {
    entry.nMinID = std::min(entry.nMinID, id);
    entry.nMaxID = std::max(entry.nMaxID, id);
  }
  m_aEntries.push_back(entry);
  return 1;
}

int CPZARElemCSysLoader::LoadData(zar::MArray<pvk::TElemOutCsys_d>& out,
                                  zar::MArray<std::uint64_t>&, IPreDBLinker*,
                                  zar::MArray<std::int32_t>* ids) {
  out.clear();
  if (!ids) return 0;
  // A step without elements asks for none: nothing to load is no failure.
  if (ids->empty()) return 1;
  const auto [lo, hi] = std::minmax_element(ids->begin(), ids->end());
  TCSysMap map;
  map.reserve(ids->size());
  for (const TElemOUtCSysLoader& entry : m_aEntries) {
    if (entry.nMinID <= *hi && entry.nMaxID >= *lo) Collect(entry, map);
  }
  const pvk::TElemOutCsys_d axes{{1, 0, 0, 0, 1, 0}};
  out.reserve(ids->size());
  for (std::int32_t id : *ids) {
    const auto it = map.find(id);
    out.push_back(it == map.end() ? axes : it->second);
  }
  return 1;
}

int CPZARElemCSysLoader::LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, IPreDBLinker* linker,
                                  zar::MArray<std::int32_t>* ids) {
  zar::MArray<std::uint64_t> dbItrs;
  return LoadData(out, dbItrs, linker, ids);
}

int CPZARElemCSysLoader::LoadData(zar::MArray<pvk::TElemOutCsys_d>& out,
                                  const zar::MArray<std::uint64_t>& dbItrs, IPreDBLinker* linker) {
  out.clear();
  const IPreDBTable* pElems = linker ? linker->GetElementTable() : nullptr;
  if (!pElems) return 0;
  zar::MArray<std::int32_t> ids;
  ids.reserve(dbItrs.size());
  for (std::uint64_t dbItr : dbItrs) {
    const void* pRecord = pElems->GetRecord(dbItr);
    std::int32_t id = -1;  // an unknown element gets the default axes
    if (pRecord) std::memcpy(&id, pRecord, sizeof(id));
    ids.push_back(id);
  }
  return LoadData(out, linker, &ids);
}

std::int32_t CPZARElemCSysLoader::GetDataCount() const {
  std::int32_t count = 0;
  for (const TElemOUtCSysLoader& entry : m_aEntries) count += entry.pCSysLoader->GetDataCount();
  return count;
}
