#pragma once
// The loader interface through which a data component reads its values, whoever delivers
// them (a result file record or a cache file).
#include <cstdint>
#include <cstring>

#include "base/Containers.h"
#include "core/DataTypes.h"
#include "qve_pvk_export.h"

class IPreDBLinker;

template <class T>
class PVK_API IPostDataUnitResultLoader {
public:
  virtual ~IPostDataUnitResultLoader() = default;
  virtual int LoadFace(zar::MArray<std::int32_t>& /*ids*/,
                       zar::MArray<zar::MVector<double, 3>>& /*points*/) {
    return 0;
  }
  // Values for a list of model-database iterators, in their order.
  virtual int LoadData(zar::MArray<T>& out, const zar::MArray<std::uint64_t>& dbItrs,
                       IPreDBLinker* linker) = 0;
  // All values in stored order; may fill the iterators and ids.
  virtual int LoadData(zar::MArray<T>& out, zar::MArray<std::uint64_t>& dbItrs,
                       IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) = 0;
  // All values.
  virtual int LoadData(zar::MArray<T>& out, IPreDBLinker* linker,
                       zar::MArray<std::int32_t>* ids) = 0;
  // All values, as above, into storage whose present values are stale: the loader sizes it and
  // writes every value, so that storage of the right size is not zero-filled first.
  virtual int OverwriteData(zar::MArray<T>& out, IPreDBLinker* linker,
                            zar::MArray<std::int32_t>* ids) {
    out.clear();
    return LoadData(out, linker, ids);
  }
  virtual int GetDataInfo(pvk::TVResDInfo* /*info*/) { return 0; }
  virtual std::int32_t GetDataCount() const = 0;
  virtual int IsSameData(IPostDataUnitResultLoader<T>* other, IPreDBLinker* linker,
                         zar::MArray<std::int32_t>* ids) {
    if (!other || GetDataCount() != other->GetDataCount()) return 0;
    zar::MArray<T> mine, theirs;
    LoadData(mine, linker, ids);
    other->LoadData(theirs, linker, ids);
    return mine.size() == theirs.size() &&
           (mine.empty() || std::memcmp(mine.data(), theirs.data(), mine.size() * sizeof(T)) == 0);
  }
};
