#pragma once
// The virtual results of one step, grouped into modules by result id and held per location
// type. Filled by the import; owns its modules and their results.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "qve_pvk_export.h"
#include "vresult/VResultModule.h"

class CVResult;

class PVK_API CVResultPackage {
public:
  CVResultPackage();
  CVResultPackage(const CVResultPackage&) = delete;
  CVResultPackage& operator=(const CVResultPackage&) = delete;
  virtual ~CVResultPackage();

  // Files the result in the module of its GetType(), as CVResultModule::Insert; the package
  // takes it over only on success.
  int Insert(std::unique_ptr<CVResult>& pResult);
  // Deletes the module of `id` with its results; 0 when there is none.
  int Erase(std::int32_t id);
  int Exist(std::int32_t locType, std::int32_t id) const { return Find(locType, id) ? 1 : 0; }
  CVResult* Find(std::int32_t locType, std::int32_t id) const;  // not owned
  int ExistModule(std::int32_t id) const { return FindModule(id) ? 1 : 0; }
  int ExistFacet(std::int32_t id) const { return Exist(pvk::LOC_FACET, id); }
  int ExistVolume(std::int32_t id) const { return Exist(pvk::LOC_NODE, id); }
  CVResultModule* FindModule(std::int32_t id) const;  // not owned

  // Appends the results of module `id` in slot order; the new size of `out`, or 0 with `out`
  // untouched when there is no such module.
  std::int32_t GetDataList(std::int32_t id, std::vector<CVResult*>& out) const;
  // Appends every result, by ascending id and then location type; the size of `out`.
  std::int32_t GetAllResults(std::vector<CVResult*>& out) const;
  // Printed-circuit-board result ids.
  int ExistPCB() const;
  // Appends the slot-6 results of the board modules in ascending id order; the size of `out`.
  std::int32_t FindPCB(std::vector<CVResult*>& out) const;
  // Phase-angle variants.
  int ExistComplex() const;
  std::int32_t FindComplex(std::vector<CVResult*>& out) const;
  int IsEmpty() const { return m_mapModules.empty() ? 1 : 0; }
  // The number of modules.
  std::int32_t GetCount() const { return static_cast<std::int32_t>(m_mapModules.size()); }

private:
  using TModuleMap = std::map<std::int32_t, std::unique_ptr<CVResultModule>>;

  CVResultModule* CreateModule(std::int32_t id);
  CVResultModule* GetModule(std::int32_t id);
  void Clear();

  TModuleMap m_mapModules;
};
