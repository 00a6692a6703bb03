#pragma once
// The grid sample written and opened as a host opens it, with its parts' geometry in the model,
// and the load parameters of its display.
#include <memory>

#include "SampleIbm.h"
#include "base/ScratchFolder.h"
#include "ibm/IBMGlobalParam.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PostFile.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"

namespace ibmtest {

struct TOpenedSample {
  ScratchFolder dir;
  CQVEPOHSession session;
  CMemModelDB db;
  CQVEPostFileManager manager{&session, &db};
  IPostFile* pFile = nullptr;
  std::uint64_t scas = 0, vcas = 0;
  TOpenedSample() {
    if (!WriteIbmSampleFile(dir.Narrow("grid.tkvp")).empty()) return;
    pFile =
        manager.GetPostFile(manager.AddFile(dir.Wide("grid.tkvp"), db.AddAnalysisItem(0, L"g")));
    scas = session.GetPOHPool(1)->GetHeadPosition();
    vcas = session.GetPOHPool(2)->GetHeadPosition();
    if (!pFile) return;
    for (TMPUPartBody& part : MakeMPUBodies(pFile->GetMPUPost()->GetFacet()))
      db.AddBody(part.m_nPartID, std::move(part.m_pBody));
  }
  CMPUPost& Mpu() const { return *pFile->GetMPUPost(); }
  CPOHVcas& Step() { return *static_cast<CPOHVcas*>(session.GetPOHPool(2)->GetAt(vcas)); }
};

// The sample's display: its mesh and display data, and parameters that load onto them.
struct TSampleDisplay {
  explicit TSampleDisplay(TOpenedSample& s)
      : mesh(s.Mpu(), &s.db, &s.db.GetEntityPool()), display(s.Mpu().MakeData()) {
    param.m_pLinker = &s.db;
    param.m_pMPUData = &display;
    param.m_pEntityPool = &s.db.GetEntityPool();
    param.m_pMesh = &mesh;
  }
  CMPUGlobalMesh mesh;
  CMPUData display;
  TIBMLoadParam param;
};

}  // namespace ibmtest
