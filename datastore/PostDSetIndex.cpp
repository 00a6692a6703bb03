#include "datastore/PostDSetIndex.h"

#include <cstddef>
#include <limits>
#include <unordered_map>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/HugePages.h"
#include "core/ModelDBLink.h"

namespace pvk::dsi {

namespace {

constexpr std::int64_t kMaxOffset = std::numeric_limits<std::int32_t>::max();

void Zero(std::size_t n, zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct) {
  dsi.assign(n, 0);
  dct.assign(n, 0);
}

// out[i] = first + i * step for every entry. Streaming stores skip reading the lines they
// replace, which halves the memory traffic of large indexes.
void WriteSteps(zar::MArray<std::int32_t>& out, std::int32_t first, std::int32_t step) {
  std::int32_t* p = out.data();
  const std::size_t n = out.size();
  std::size_t i = 0;
  const auto value = [first, step](std::size_t k) {
    return static_cast<std::int32_t>(first + static_cast<std::int64_t>(k) * step);
  };
#ifdef __SSE2__
  constexpr std::size_t kLanes = 4;
  for (; i < n && reinterpret_cast<std::uintptr_t>(p + i) % sizeof(__m128i) != 0; ++i)
    p[i] = value(i);
  __m128i lanes = _mm_setr_epi32(value(i), value(i + 1), value(i + 2), value(i + 3));
  const __m128i advance = _mm_set1_epi32(static_cast<std::int32_t>(kLanes) * step);
  for (; i + kLanes <= n; i += kLanes) {
    _mm_stream_si128(reinterpret_cast<__m128i*>(p + i), lanes);
    lanes = _mm_add_epi32(lanes, advance);
  }
  _mm_sfence();
#endif
  for (; i < n; ++i) p[i] = value(i);
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
  if (locType == LOC_FACET || locType == LOC_NODE) {
    // Every entry is written, so storage of the right size is not zero-filled first.
    zar::lib::SizeForOverwrite(dsi, ids.size());
    zar::lib::SizeForOverwrite(dct, ids.size());
    WriteSteps(dsi, 0, 1);
    WriteSteps(dct, 1, 0);
    return 1;
  }
  Zero(ids.size(), dsi, dct);
  switch (locType) {
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
