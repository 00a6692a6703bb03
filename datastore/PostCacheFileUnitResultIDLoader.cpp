#include "datastore/PostCacheFileUnitResultIDLoader.h"

#include <algorithm>
#include <cstddef>

#include "core/ModelDBLink.h"
#include "datastore/CacheFileBlock.h"

namespace {

// A stored id and how often it is stored, by the entity's position in its table.
struct TStoredID {
  std::int32_t m_nID = 0;
  std::uint32_t m_nUse = 0;
};

// The entity's position in the table, or -1 when the table does not know the iterator.
std::int64_t TablePosition(const IPreDBTable& table, std::uint64_t dbItr) {
  const std::uint32_t key = table.GetKey(dbItr);
  if (key == IPreDBTable::N_NO_KEY) return -1;
  const std::uint32_t pos = key & IPreDBTable::N_KEY_INDEX_MASK;
  return pos < static_cast<std::uint32_t>(table.GetCount()) ? pos : -1;
}

// Sized by the table, so a damaged block cannot make the index grow beyond the model.
zar::MArray<TStoredID> IndexByPosition(const IPreDBTable& table,
                                       const zar::MArray<std::int32_t>& stored) {
  zar::MArray<TStoredID> index(static_cast<std::size_t>(std::max(table.GetCount(), 0)));
  for (const std::int32_t id : stored) {
    const std::int64_t pos = TablePosition(table, table.FindByID(id));
    if (pos < 0) continue;  // an id the model lacks
    index[pos].m_nID = id;
    ++index[pos].m_nUse;
  }
  return index;
}

}  // namespace

int CPostCacheFileUnitResultIDLoader::LoadData(zar::MArray<std::int32_t>& out,
                                               const zar::MArray<std::uint64_t>& dbItrs,
                                               IPreDBLinker* linker) {
  if (!linker) return LoadData(out, linker, nullptr);
  out.clear();
  zar::MArray<std::int32_t> stored;
  if (!LoadData(stored, linker, nullptr)) return 0;
  const IPreDBTable* table =
      m_nLocType == pvk::LOC_NODE ? linker->GetNodeTable() : linker->GetElementTable();
  if (!table) return 0;

  zar::MArray<TStoredID> index = IndexByPosition(*table, stored);
  for (const std::uint64_t dbItr : dbItrs) {
    const std::int64_t pos = TablePosition(*table, dbItr);
    if (pos < 0) continue;
    TStoredID& entry = index[pos];
    out.insert(out.end(), entry.m_nUse, entry.m_nID);
    entry.m_nUse = 0;  // each stored id is handed out once
  }
  return 1;
}

int CPostCacheFileUnitResultIDLoader::LoadData(zar::MArray<std::int32_t>& out,
                                               zar::MArray<std::uint64_t>& /*dbItrs*/,
                                               IPreDBLinker* linker,
                                               zar::MArray<std::int32_t>* ids) {
  return LoadData(out, linker, ids);
}

int CPostCacheFileUnitResultIDLoader::LoadData(zar::MArray<std::int32_t>& out,
                                               IPreDBLinker* /*linker*/,
                                               zar::MArray<std::int32_t>* /*ids*/) {
  return pvk::cache::LoadBlock(GetFileInfo(), out);
}

std::int32_t CPostCacheFileUnitResultIDLoader::GetDataCount() const {
  return static_cast<std::int32_t>(GetFileInfo().m_nCount);
}
