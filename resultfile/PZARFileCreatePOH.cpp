// The result file's way into the session (the import) and into the mesh post unit.
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileImporter.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIBMIDArray.h"
#include "session/ModelDBLink.h"

namespace {

bool IsSupported(std::int32_t version) {
  return version == 130 || version == 140 || version == 150;
}

}  // namespace

int CPZARFile::CreatePOH(IPOHSession* pSession, IPreDBLinker* pLinker, std::uint64_t dbItr) {
  if (!pSession || !IsSupported(GetVersion())) return 0;
  TPostImportInfo info{pSession, pLinker, this, dbItr};
  CPZARFileImporter importer(m_eVer, GetFileType());
  importer.Initialize(&info);
  SetPOHMcasItr(importer.CreatePOHMcas());
  // Without a result file node nothing could be imported: that is no success.
  if (!GetPOHMcasItr()) return 0;
  importer.Import();

  CMPUPost* pMPU = GetMPUPost();
  zar::MArray<char> nodeFlags, cellFlags;
  importer.GetVolumeData(&nodeFlags, &cellFlags);
  pMPU->SetVolumeData(std::move(nodeFlags), std::move(cellFlags));
  zar::MArray<int> ids;
  zar::MArray<zar::MVector<double, 3>> pos;
  importer.GetFacetNodeData(&ids, &pos);
  pMPU->SetFacetNodeData(std::move(ids), std::move(pos));
  zar::MArray<int> facets, elems, bodies, nodes;
  importer.GetFacetElemData(&facets, &elems, &bodies, &nodes);
  pMPU->SetFacetElemData(std::move(facets), std::move(elems), std::move(bodies), std::move(nodes));
  return 1;
}

int CPZARFile::CreatePOH_without_DBOperation(IPOHSession* pSession, CPOHMcas* pMcas) {
  if (!pSession || !IsSupported(GetVersion())) return 0;
  CPZARFileImporter importer(m_eVer, GetFileType());
  return importer.CreatePOHMcas_without_DBOperation(pMcas);
}

int CPZARFile::CreateINFO(IPreDBLinker* pLinker) {
  CMPUPost* pMPU = GetMPUPost();
  pMPU->Clear();
  for (const auto& pOwned : m_aRecords) {
    const CPZARRecord* pRecord = pOwned.get();
    switch (pRecord->GetType()) {
      case PZAR_RECORD_TYPE::IBM_GRID_INFO:
        if (const auto* p = PZARRecordCast<CPZARRecordIBMGridInfo>(pRecord))
          p->GetData(pMPU->MakeBndrD());
        break;
      case PZAR_RECORD_TYPE::IBM_FAT_MAT:
        if (const auto* p = PZARRecordCast<CPZARRecordIBMFatMat>(pRecord))
          p->GetData(pMPU->MakeFatMatD());
        break;
      case PZAR_RECORD_TYPE::IBM_FATIGUE:
        if (const auto* p = PZARRecordCast<CPZARRecordIBMFatigue>(pRecord))
          p->GetData(pMPU->MakeFatD());
        break;
      case PZAR_RECORD_TYPE::IBM_OPTIMIZE:
        if (const auto* p = PZARRecordCast<CPZARRecordIBMOptimize>(pRecord))
          p->GetData(pMPU->GetOptimizeD());
        break;
      case PZAR_RECORD_TYPE::IBM_PCB:
        if (const auto* p = PZARRecordCast<CPZARRecordIBMPCB>(pRecord)) p->GetData(pMPU->GetPCBD());
        break;
      case PZAR_RECORD_TYPE::IBM_GRID_MATL:
        if (const auto* p = PZARRecordCast<CPZARRecordIBMGridMatl>(pRecord))
          p->GetData(pMPU->MakeMatD());
        break;
      default:
        break;
    }
  }
  pMPU->CompileVolume(pLinker ? pLinker->GetBodyModel() : nullptr);
  pMPU->CompileFacet();
  return 1;
}

int CPZARFile::RebuildMPU(IPreDBLinker* pLinker) {
  GetMPUPost()->RebuildMPU(pLinker ? pLinker->GetBodyModel() : nullptr);
  return 1;
}
