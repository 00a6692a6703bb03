#pragma once
// The process-wide factory that turns a record type code and a format version into a new
// record. A type that a version does not register is taken from the 150 or 140 classes.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "qve_pvk_export.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/RecordVersion.h"

class PVK_API CPZARRecordFactory {
public:
  using PFN_CREATE = std::unique_ptr<CPZARRecord> (*)();
  using TCreatorMap = std::map<std::int32_t, PFN_CREATE>;

  static CPZARRecordFactory& GetInstance();

  // 0 when the type is already registered for the version; the first registration stays.
  int Register(std::int32_t type, PZAR_RECORD_VER::E_VER version, PFN_CREATE creator);
  int Unregister(std::int32_t type, PZAR_RECORD_VER::E_VER version);
  // Null when nothing was ever registered for the version.
  const TCreatorMap* GetRegisteredMap(PZAR_RECORD_VER::E_VER version) const;
  // Null when no class fits.
  std::unique_ptr<CPZARRecord> Create(std::int32_t type, PZAR_RECORD_VER::E_VER version);
  // The creation function that Create would call; null when none fits.
  PFN_CREATE GetCreator(std::int32_t type, PZAR_RECORD_VER::E_VER version);

private:
  CPZARRecordFactory() = default;
  TCreatorMap& MapOf(PZAR_RECORD_VER::E_VER version);
  PFN_CREATE FindFallback(std::int32_t type);

  std::map<PZAR_RECORD_VER::E_VER, std::unique_ptr<TCreatorMap>> m_mapVersions;
  // The maps of versions 150 and 140, highest first, as they existed at the first fallback.
  std::vector<const TCreatorMap*> m_aFallback;
  bool m_bFallbackFixed = false;
};

// Registers a record class at library load:
//   static const CPZARRecordRegistrar<CPZARRecordVector_140> s_reg(14, PZAR_RECORD_VER::VER_140);
template <class TRecord>
class CPZARRecordRegistrar {
public:
  CPZARRecordRegistrar(std::int32_t type, PZAR_RECORD_VER::E_VER version) {
    CPZARRecordFactory::GetInstance().Register(type, version, &Make);
  }

private:
  static std::unique_ptr<CPZARRecord> Make() { return std::make_unique<TRecord>(); }
};
