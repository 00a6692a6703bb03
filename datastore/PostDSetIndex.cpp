#include "datastore/PostDSetIndex.h"

#include <cstddef>
#include <limits>
#include <unordered_map>

#include "session/ModelDBLink.h"

namespace pvk::dsi {

namespace {

constexpr std::int64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();

void Zero(std::size_t n, zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct) {
  dsi.assign(n, 0);
  dct.assign(n, 0);
}

// Element values laid out one element after the other, nValues(element) values each; an
// element the model lacks takes no room.
template <class FCount>
int IndexElements(const IPreDBLinker& linker, const zar::MArray<std::int32_t>& ids, FCount nValues,
                  zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct) {
  const IPreDBTable* table = linker.GetElementTable();
  if (!table) return 0;
  std::int64_t offset = 0;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const std::uint64_t elem = table->FindByID(ids[i]);
    const std::int64_t count = elem ? nValues(elem) : 0;
    if (count <= 0) continue;
    if (offset + count > kMaxOffset) {  // a damaged count must not wrap the offsets
      Zero(ids.size(), dsi, dct);
      return 0;
    }
    dsi[i] = static_cast<std::int32_t>(offset);
    dct[i] = static_cast<std::int32_t>(count);
    offset += count;
  }
  return 1;
}

}  // namespace

const IPreDBTable* EntityTable(const IPreDBLinker* linker, LOC_TYPE locType) {
  if (!linker) return nullptr;
  if (locType == LOC_NODE) return linker->GetNodeTable();
  if (locType == LOC_ELEM || locType == LOC_ELEM_NODE) return linker->GetElementTable();
  return nullptr;
}

std::uint64_t FindEntity(const IPreDBLinker* linker, LOC_TYPE locType, std::int32_t id) {
  const IPreDBTable* table = EntityTable(linker, locType);
  const std::uint64_t dbItr = table ? table->FindByID(id) : 0;
  return dbItr && table->GetKey(dbItr) != IPreDBTable::N_NO_KEY ? dbItr : 0;
}

int IndexModelEntities(LOC_TYPE locType, const IPreDBLinker& linker,
                       const zar::MArray<std::int32_t>& ids, std::int32_t nValuePerCorner,
                       zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct) {
  Zero(ids.size(), dsi, dct);
  switch (locType) {
    case LOC_FACET:
    case LOC_NODE:
      for (std::size_t i = 0; i < ids.size(); ++i) {
        dsi[i] = static_cast<std::int32_t>(i);
        dct[i] = 1;
      }
      return 1;
    case LOC_ELEM:
      return IndexElements(
          linker, ids,
          [&linker](std::uint64_t elem) {
            const TPreElemTypeInfo* info = linker.GetElemTypeInfo(elem);
            // the centre and each node
            return info ? std::int64_t{info->m_nNodeCnt} + 1 : std::int64_t{0};
          },
          dsi, dct);
    case LOC_ELEM_CORNER:
      return IndexElements(
          linker, ids, [nValuePerCorner](std::uint64_t) { return std::int64_t{nValuePerCorner}; },
          dsi, dct);
    default:
      return 0;
  }
}

int IndexStoredEntities(const zar::MArray<std::int32_t>& stored,
                        const zar::MArray<std::int32_t>* ids, std::int32_t nValuePerEntity,
                        zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct) {
  if (stored.empty() || nValuePerEntity <= 0 ||
      static_cast<std::int64_t>(stored.size()) * nValuePerEntity > kMaxOffset)
    return 0;
  if (!ids) {
    Zero(stored.size(), dsi, dct);
    for (std::size_t i = 0; i < stored.size(); ++i) {
      dsi[i] = static_cast<std::int32_t>(i) * nValuePerEntity;
      dct[i] = nValuePerEntity;
    }
    return 1;
  }
  std::unordered_map<std::int32_t, std::int32_t> row;
  row.reserve(stored.size());
  for (std::size_t i = 0; i < stored.size(); ++i)
    row.emplace(stored[i], static_cast<std::int32_t>(i));  // the first row wins
  Zero(ids->size(), dsi, dct);
  for (std::size_t i = 0; i < ids->size(); ++i) {
    const auto it = row.find((*ids)[i]);
    if (it == row.end()) continue;
    dsi[i] = it->second * nValuePerEntity;
    dct[i] = nValuePerEntity;
  }
  return 1;
}

}  // namespace pvk::dsi
