#pragma once
// Data set index: for each entity id to show, the offset of its first value in the loaded
// value array (DSI) and its number of values (DCT). An entity without values gets 0 and 0.
#include <cstdint>

#include "base/Containers.h"
#include "core/DataTypes.h"

class IPreDBLinker;
class IPreDBTable;

namespace pvk::dsi {

// The table that holds entities of the location type: nodes for 6, elements for 2 and 4,
// none for the others or without a link.
const IPreDBTable* EntityTable(const IPreDBLinker* linker, LOC_TYPE locType);

// The model-database iterator of the entity, 0 when the link, its table or the entity is
// missing, or when the table does not know the iterator it found.
std::uint64_t FindEntity(const IPreDBLinker* linker, LOC_TYPE locType, std::int32_t id);

// Unit model results by location type: one value per facet or node (1, 6); the centre and
// one value per node of each element (2); nValuePerCorner values per element (3). 1 on
// success; 0 for other types, a missing element table or an offset beyond 32 bits, with the
// outputs zeroed. The element path assumes ids and link are given.
int IndexModelEntities(LOC_TYPE locType, const IPreDBLinker& linker,
                       const zar::MArray<std::int32_t>& ids, std::int32_t nValuePerCorner,
                       zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct);

// Entities stored in a row per entity of nValuePerEntity values, in stored order. Without
// ids, every stored entity in that order; with ids, each id at its first stored row. 0 when
// nothing is stored, the count is not positive or an offset leaves 32 bits.
int IndexStoredEntities(const zar::MArray<std::int32_t>& stored,
                        const zar::MArray<std::int32_t>* ids, std::int32_t nValuePerEntity,
                        zar::MArray<std::int32_t>& dsi, zar::MArray<std::int32_t>& dct);

}  // namespace pvk::dsi
