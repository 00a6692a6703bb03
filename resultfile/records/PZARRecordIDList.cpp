#include "resultfile/records/PZARRecordIDList.h"

#include "base/File.h"
#include "base/FileException.h"
#include "base/HugePages.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordBodyReader.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"
#include "resultfile/records/RecordRealBlock.h"

namespace {

using namespace PZAR_RECORD_TYPE;

constexpr TIDListTraits kActElem{ACT_ELEM_ID_LIST, 0, L"Active Element ID Size: %d\n", true, false};
constexpr TIDListTraits kDeactElem{DEACT_ELEM_ID_LIST, 0, L"DeActive Element ID Size: %d\n", true,
                                   false};
constexpr TIDListTraits kOnMcas{ELEM_ID_LIST_ON_MCAS, 0, L"Element ID On Mcas Size: %d\n", true,
                                false};
constexpr TIDListTraits kResIDs{RES_ID_LIST, 0, L"Result type ID Size: %d\n", true, false};
constexpr TIDListTraits kPly{PLY_ID, 1, L"Ply ID Count : %d \n", false, true};
constexpr TIDListTraits kFatigue{0, 1, L"Fatigue ID Count : %d \n", false, true};

using PZAR_RECORD_VER::VER_140;
const TPZARRecordRegistrar_130_140<CPZARRecordActElemIDList> s_act(ACT_ELEM_ID_LIST);
const TPZARRecordRegistrar_130_140<CPZARRecordDeactElemIDList> s_deact(DEACT_ELEM_ID_LIST);
const CPZARRecordRegistrar<CPZARRecordResIDList_140> s_res140(RES_ID_LIST, VER_140);
const CPZARRecordRegistrar<CPZARRecordElemIDListOnMcas_140> s_onMcas140(ELEM_ID_LIST_ON_MCAS,
                                                                        VER_140);
const TPZARRecordRegistrar_130_140<CPZARRecordPlyID> s_ply(PLY_ID);

}  // namespace

int CPZARRecordIDList::_Scan(CFile& file) {
  const std::int32_t n = GetHeader().id;
  if (n < m_traits.nMinCount || n < 0) return RefuseContent(L"its id count is below 1");
  m_nDataPos = file.GetPosition();
  m_nDataSize = static_cast<std::uint64_t>(n) * sizeof(std::int32_t);
  return SkipBytes(file, m_nDataSize) && OnScanned(file);
}

int CPZARRecordIDList::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  const bool ok =
      Echo(pFile, kSep) && Echo(pFile, m_traits.szEchoLine, GetEchoCount()) && Echo(pFile, kSep);
  return ok && (!m_traits.bEchoLoads || Echo(pFile, L"\n\n"));
}

std::int32_t CPZARRecordIDList::GetEchoCount() {
  if (!m_traits.bEchoLoads) return GetHeader().id;
  zar::MArray<std::int32_t> ids;
  LoadData(ids, nullptr, nullptr);
  return static_cast<std::int32_t>(ids.size());
}

// Lists above 4 GiB are read in pieces; a file cut short since the scan leaves no partial list.
int CPZARRecordIDList::ReadIDs(CFile& file, zar::MArray<std::int32_t>& out) const {
  try {
    file.Seek(static_cast<std::int64_t>(m_nDataPos), CFile::begin);
    if (HasBytesLeft(file, m_nDataSize)) {
      zar::lib::SizeForOverwrite(out, m_nDataSize / sizeof(std::int32_t));
      if (pzar_body::ReadBytes(file, out.data(), m_nDataSize)) return 1;
    }
  } catch (const CFileException& e) {
    wchar_t message[255];
    e.GetErrorMessage(message, 255);
  }
  out.clear();
  return 0;
}

int CPZARRecordIDList::LoadData(zar::MArray<std::int32_t>& out, zar::MArray<std::uint64_t>& dbItrs,
                                IPreDBLinker*, zar::MArray<std::int32_t>*) {
  if (m_traits.bClearsIters) dbItrs.clear();
  CPZARFile* pFile = GetFile();
  return pFile ? ReadIDs(pFile->GetFile(), out) : 0;
}

int CPZARRecordIDList::LoadData(zar::MArray<std::int32_t>& out, IPreDBLinker* linker,
                                zar::MArray<std::int32_t>* ids) {
  zar::MArray<std::uint64_t> dbItrs;
  return LoadData(out, dbItrs, linker, ids);
}

int CPZARRecordIDList::LoadData(zar::MArray<std::int32_t>& out, const zar::MArray<std::uint64_t>&,
                                IPreDBLinker* linker) {
  return LoadData(out, linker, nullptr);
}

// The read sizes the storage and writes every id, or empties it.
int CPZARRecordIDList::OverwriteData(zar::MArray<std::int32_t>& out, IPreDBLinker*,
                                     zar::MArray<std::int32_t>*) {
  CPZARFile* pFile = GetFile();
  if (pFile) return ReadIDs(pFile->GetFile(), out);
  out.clear();
  return 0;
}

int CPZARRecordIDList::WriteBody(IRecordD* pData) {
  const auto* pIDs = dynamic_cast<const CRecordIDListD*>(pData);
  if (!pIDs || !pIDs->GetFile()) return 0;
  if (pIDs->m_pIDs && pIDs->m_nCount > 0) {
    pzar_record::WriteBytes(*pIDs->GetFile(), pIDs->m_pIDs,
                            static_cast<std::uint64_t>(pIDs->m_nCount) * sizeof(std::int32_t));
  }
  return 1;
}

CPZARRecordActElemIDList::CPZARRecordActElemIDList() : CPZARRecordIDList(kActElem) {}
CPZARRecordDeactElemIDList::CPZARRecordDeactElemIDList() : CPZARRecordIDList(kDeactElem) {}
CPZARRecordElemIDListOnMcas::CPZARRecordElemIDListOnMcas() : CPZARRecordIDList(kOnMcas) {}
CPZARRecordResIDList::CPZARRecordResIDList() : CPZARRecordIDList(kResIDs) {}
CPZARRecordPlyID::CPZARRecordPlyID() : CPZARRecordIDList(kPly) {}
CPZARRecordFatigueIDList::CPZARRecordFatigueIDList() : CPZARRecordIDList(kFatigue) {}

int CPZARRecordResIDList::OnScanned(CFile& file) {
  zar::MArray<std::int32_t> ids;
  if (!ReadIDs(file, ids)) return 0;
  if (CPZARFile* pFile = GetFile()) pFile->SetResIDs(ids);
  return 1;
}

std::int32_t CPZARRecordResIDList::GetEchoCount() {
  const CPZARFile* pFile = GetFile();
  return pFile ? static_cast<std::int32_t>(pFile->GetResIDs().size()) : 0;
}
