#pragma once
// Answers for the element coordinate systems of a whole step: each entry pairs an element id
// list with the element coordinate systems record stored for it.
#include <cstdint>

#include "base/Containers.h"
#include "datastore/PostDataLoader.h"
#include "qve_pvk_export.h"

struct TElemOUtCSysLoader {
  IPostDataUnitResultLoader<std::int32_t>* pIDLoader;           // not owned
  IPostDataUnitResultLoader<pvk::TElemOutCsys_d>* pCSysLoader;  // not owned
  std::int32_t nMinID;
  std::int32_t nMaxID;
};

class PVK_API CPZARElemCSysLoader : public IPostDataUnitResultLoader<pvk::TElemOutCsys_d> {
public:
  // Loads the ids to learn their range; 0 (nothing added) when they cannot be loaded.
  int AddLoader(IPostDataUnitResultLoader<std::int32_t>* pIDLoader,
                IPostDataUnitResultLoader<pvk::TElemOutCsys_d>* pCSysLoader);
  void Clear() { m_aEntries.clear(); }
  const zar::MArray<TElemOUtCSysLoader>& GetEntries() const { return m_aEntries; }

  // The system of each requested element id, in their order; the default axes (1, 0, 0) and
  // (0, 1, 0) for an id that no entry has. 0 without an id list; an empty one loads nothing
  // and succeeds. The iterators are not used.
  int LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker, zar::MArray<std::int32_t>* ids) override;
  int LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, IPreDBLinker* linker,
               zar::MArray<std::int32_t>* ids) override;
  // The elements of the iterators, by their ids; 0 without the model database link.
  int LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, const zar::MArray<std::uint64_t>& dbItrs,
               IPreDBLinker* linker) override;
  // The systems of all entries together.
  std::int32_t GetDataCount() const override;

private:
  zar::MArray<TElemOUtCSysLoader> m_aEntries;
};
