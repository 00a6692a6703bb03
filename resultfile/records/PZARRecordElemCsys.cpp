#include "resultfile/records/PZARRecordElemCsys.h"

#include "base/File.h"
#include "base/FileException.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/RecordEcho.h"
#include "resultfile/records/RecordIO.h"
#include "resultfile/records/RecordRealBlock.h"

namespace {

using PZAR_RECORD_TYPE::ELEM_CSYS;
const CPZARRecordRegistrar<CPZARRecordElemCsys_130> s_reg130(ELEM_CSYS, PZAR_RECORD_VER::VER_130);
const CPZARRecordRegistrar<CPZARRecordElemCsys_140> s_reg140(ELEM_CSYS, PZAR_RECORD_VER::VER_140);

constexpr std::uint64_t kRealsPerElem = 6;
static_assert(sizeof(pvk::TElemOutCsys_d) == kRealsPerElem * sizeof(double));

}  // namespace

std::int32_t CPZARRecordElemCsys::GetType() const { return kType; }

int CPZARRecordElemCsys::_Scan(CFile& file) {
  const CPZARFile* pFile = GetFile();
  const std::int32_t n = GetHeader().id;
  if (!pFile) return 0;
  if (n < 1) return RefuseContent(L"its element count is below 1");
  m_nDataPos = file.GetPosition();
  const std::uint64_t size = static_cast<std::uint64_t>(n) * kRealsPerElem *
                             static_cast<std::uint64_t>(pFile->GetFloatSize());
  return SkipBytes(file, size) ? 1 : 0;
}

int CPZARRecordElemCsys::_WriteEcho(FILE* pFile) {
  using pzar_echo::Echo;
  using pzar_echo::kSep;
  return Echo(pFile, kSep) && Echo(pFile, L"ELEM CSYS\tCount : %d \n", GetHeader().id) &&
         Echo(pFile, kSep);
}

int CPZARRecordElemCsys::WriteBody(IRecordD* pData) {
  const auto* pCsys = dynamic_cast<const CRecordElemCsysD*>(pData);
  if (!pCsys || !pCsys->GetFile()) return 0;
  if (pCsys->m_pAxes && pCsys->m_nCount > 0) {
    const std::uint64_t width = pCsys->m_nRealWidth == 4 ? 4 : 8;
    pzar_record::WriteBytes(*pCsys->GetFile(), pCsys->m_pAxes,
                            static_cast<std::uint64_t>(pCsys->m_nCount) * kRealsPerElem * width);
  }
  return 1;
}

int CPZARRecordElemCsys::LoadData(zar::MArray<pvk::TElemOutCsys_d>& out,
                                  zar::MArray<std::uint64_t>& dbItrs, IPreDBLinker*,
                                  zar::MArray<std::int32_t>*) {
  dbItrs.clear();
  CPZARFile* pFile = GetFile();
  if (pFile && GetDataCount() > 0) {
    try {
      out.resize(static_cast<std::size_t>(GetDataCount()));
      if (pzar_body::ReadRealBlock(pFile->GetFile(), m_nDataPos, out.size() * kRealsPerElem,
                                   pFile->GetFloatSize(), out.data())) {
        return 1;
      }
    } catch (const CFileException& e) {
      wchar_t message[255];
      e.GetErrorMessage(message, 255);
    }
  }
  out.clear();
  return 0;
}

int CPZARRecordElemCsys::LoadData(zar::MArray<pvk::TElemOutCsys_d>& out, IPreDBLinker* linker,
                                  zar::MArray<std::int32_t>* ids) {
  zar::MArray<std::uint64_t> dbItrs;
  return LoadData(out, dbItrs, linker, ids);
}

int CPZARRecordElemCsys::LoadData(zar::MArray<pvk::TElemOutCsys_d>& out,
                                  const zar::MArray<std::uint64_t>&, IPreDBLinker* linker) {
  return LoadData(out, linker, nullptr);
}
