#include "FuzzRoad.h"

#include <algorithm>
#include <vector>

#include "FuzzSupport.h"
#include "base/UnitControl.h"
#include "csys/OutputCSysTypes.h"
#include "datastore/PostPartialDList.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileModel.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace pvk_fuzz {

namespace {

// The user's coordinate system kind that converts every result that can be converted.
constexpr std::int32_t kConvertingCSys = 1;
// A unit system other than most files': every load converts.
constexpr zar::lib::T_UNIT_INDEX kOtherUnits{1, 1, 1, 1, 1};

std::vector<std::uint64_t> Children(const CQVEPOHSession& session, std::int32_t level,
                                    std::uint64_t parent) {
  zar::MArray<std::uint64_t> itrs;
  session.GetPOHPool(level)->GetListByParent(parent, itrs);
  return {itrs.begin(), itrs.end()};
}

void FillModel(CPZARFile& file, CMemModelDB& db) {
  pzar_model::FillModelDBFromFile(file, db);
  for (TMPUPartBody& part : MakeMPUBodies(file.GetMPUPost()->GetFacet()))
    db.AddBody(part.m_nPartID, std::move(part.m_pBody));
}

class CLoader {
public:
  CLoader(CMemModelDB& db, TLoadedSet* pLoaded) : m_db(db), m_pLoaded(pLoaded) {
    m_convert.nCSysKind = kConvertingCSys;
    m_units.SetCurUnitSystem(kOtherUnits);
  }
  bool Full() const { return m_nLoads >= kMaxLoads; }
  std::size_t Loads() const { return m_nLoads; }

  void LoadStep(const CPOHVcas& step) {
    std::vector<CVResult*> results;
    if (step.GetPackage()) step.GetPackage()->GetAllResults(results);
    for (CVResult* vr : results) {
      // As stored, then in other units and another coordinate system.
      Load(*vr, TVResParam{nullptr, &m_db, nullptr});
      Load(*vr, TVResParam{&m_units, &m_db, &m_convert});
      if (Full()) return;
    }
  }

private:
  void Load(CVResult& vr, TVResParam param) {
    CPostPartialDList list;
    ++m_nLoads;
    if (vr.LoadData(&list, &param) && m_pLoaded) m_pLoaded->insert({vr.GetType(), vr.GetLocType()});
  }

  CMemModelDB& m_db;
  TLoadedSet* m_pLoaded;  // not owned
  TOutCSysInfo m_convert;
  zar::lib::MUnitCtrl m_units;
  std::size_t m_nLoads = 0;
};

}  // namespace

std::size_t RunRoad(const std::string& path, TLoadedSet* pLoaded) {
  CQVEPOHSession session;
  CMemModelDB db;
  // Destroyed before the session, as a host does.
  CQVEPostFileManager manager(&session, &db);
  const std::uint64_t mcas = manager.AddFile(Wide(path), db.AddAnalysisItem(0, L"fuzz"));
  auto* pFile = mcas ? dynamic_cast<CPZARFile*>(manager.GetPostFile(mcas)) : nullptr;
  if (!pFile) return 0;
  FillModel(*pFile, db);
  CLoader loader(db, pLoaded);
  for (const std::uint64_t scas : Children(session, pvk::POH_LEVEL_SCAS, mcas))
    for (const std::uint64_t vcas : Children(session, pvk::POH_LEVEL_VCAS, scas)) {
      if (loader.Full()) return loader.Loads();
      loader.LoadStep(
          *static_cast<const CPOHVcas*>(session.GetPOHPool(pvk::POH_LEVEL_VCAS)->GetAt(vcas)));
    }
  return loader.Loads();
}

std::size_t RunRoadInput(const std::uint8_t* data, std::size_t size, TLoadedSet* pLoaded) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t sep = bytes.find(kOutSeparator);
  if (sep == std::string_view::npos) {
    Drop("input.out");
  } else {
    const std::size_t text = sep + kOutSeparator.size();
    Put("input.out", data + text, size - text);
  }
  return RunRoad(Put("input.tkvp", data, std::min(sep, size)), pLoaded);
}

}  // namespace pvk_fuzz
