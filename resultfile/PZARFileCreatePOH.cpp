// The result file's way into the session (the import) and into the mesh post unit.
#include <exception>
#include <unordered_set>

#include "base/ConvertString.h"
#include "base/MsgOut.h"
#include "core/ModelDBLink.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileImporter.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIBMIDArray.h"
#include "session/POHPoolBase.h"
#include "session/POHSession.h"

namespace {

bool IsSupported(std::int32_t version) {
  return version == 130 || version == 140 || version == 150;
}

// Removes a result file node with its sub-cases and their steps.
void RemoveCaseTree(IPOHSession& session, std::uint64_t mcas) {
  CPOHPoolBase& scasPool = *session.GetPOHPool(pvk::POH_LEVEL_SCAS);
  CPOHPoolBase& vcasPool = *session.GetPOHPool(pvk::POH_LEVEL_VCAS);
  zar::MArray<std::uint64_t> cases, steps;
  scasPool.GetListByParent(mcas, cases);
  const std::unordered_set<std::uint64_t> own(cases.begin(), cases.end());
  for (std::uint64_t itr = vcasPool.GetHeadPosition(); itr;) {
    const std::uint64_t cur = itr;
    if (own.count(vcasPool.GetNext(itr)->GetParent())) steps.push_back(cur);
  }
  for (const std::uint64_t step : steps) vcasPool.Remove(step);
  for (const std::uint64_t scas : cases) scasPool.Remove(scas);
  session.GetPOHPool(pvk::POH_LEVEL_MCAS)->Remove(mcas);
}

}  // namespace

int CPZARFile::CreatePOH(IPOHSession* pSession, IPreDBLinker* pLinker, std::uint64_t dbItr) {
  if (!pSession || !IsSupported(GetVersion())) return 0;
  const std::size_t nOutVectors = m_aElemOutVectors.size();
  try {
    return Import(*pSession, pLinker, dbItr);
  } catch (const std::exception& e) {
    // Memory ran out or a record could not be read: nothing of this import may stay, neither
    // in the session nor in the file.
    DropImport(*pSession, nOutVectors);
    WarnFailed(L"import", e.what());
  } catch (...) {
    DropImport(*pSession, nOutVectors);
    WarnFailed(L"import", "unknown error");
  }
  return 0;
}

void CPZARFile::WarnFailed(const wchar_t* what, const char* cause) noexcept {
  try {
    zar::lib::nsMsgOutWarning(L"The %s of %s failed: %s\n", what, m_file.GetFilePath(),
                              zar::lib::MConvertString::ToWide(cause, CP_UTF8));
  } catch (...) {
    // No memory left even for the message.
  }
}

int CPZARFile::Import(IPOHSession& session, IPreDBLinker* pLinker, std::uint64_t dbItr) {
  TPostImportInfo info{&session, pLinker, this, dbItr};
  CPZARFileImporter importer(m_eVer, GetFileType());
  importer.Initialize(&info);
  SetPOHMcasItr(importer.CreatePOHMcas());
  // Without a result file node nothing could be imported: that is no success.
  if (!GetPOHMcasItr()) {
    zar::lib::nsMsgOutWarning(L"The import of %s failed: the result file has no name\n",
                              m_file.GetFilePath());
    return 0;
  }
  importer.Import();

  // Everything is copied out before the mesh post unit takes it, so that a failure leaves the
  // unit as it was.
  zar::MArray<char> nodeFlags, cellFlags;
  importer.GetVolumeData(&nodeFlags, &cellFlags);
  zar::MArray<int> ids;
  zar::MArray<zar::MVector<double, 3>> pos;
  importer.GetFacetNodeData(&ids, &pos);
  zar::MArray<int> facets, elems, bodies, nodes;
  importer.GetFacetElemData(&facets, &elems, &bodies, &nodes);
  CMPUPost* pMPU = GetMPUPost();
  pMPU->SetVolumeData(std::move(nodeFlags), std::move(cellFlags));
  pMPU->SetFacetNodeData(std::move(ids), std::move(pos));
  pMPU->SetFacetElemData(std::move(facets), std::move(elems), std::move(bodies), std::move(nodes));
  return 1;
}

void CPZARFile::DropImport(IPOHSession& session, std::size_t nOutVectors) noexcept {
  m_aElemOutVectors.erase(m_aElemOutVectors.begin() + static_cast<std::ptrdiff_t>(nOutVectors),
                          m_aElemOutVectors.end());
  const std::uint64_t mcas = GetPOHMcasItr();
  SetPOHMcasItr(0);
  if (!mcas) return;
  try {
    RemoveCaseTree(session, mcas);
  } catch (...) {
    // Out of memory again while gathering the nodes: what is left cannot be reached.
  }
}

int CPZARFile::CreatePOH_without_DBOperation(IPOHSession* pSession, CPOHMcas* pMcas) {
  if (!pSession || !IsSupported(GetVersion())) return 0;
  CPZARFileImporter importer(m_eVer, GetFileType());
  return importer.CreatePOHMcas_without_DBOperation(pMcas);
}

int CPZARFile::CreateINFO(IPreDBLinker* pLinker) {
  try {
    return FillMPU(pLinker);
  } catch (const std::exception& e) {
    WarnFailed(L"grid data build", e.what());
  } catch (...) {
    WarnFailed(L"grid data build", "unknown error");
  }
  try {
    GetMPUPost()->Clear();  // no half-filled unit
  } catch (...) {
    // Clearing frees memory; should it fail, the unit is left as it is.
  }
  return 0;
}

int CPZARFile::FillMPU(IPreDBLinker* pLinker) {
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
