#pragma once
// A PZAR result file: its header, its records in file order (scanned block by block), and the
// file kept open so that records read their bulk data on demand.
#include <cstdint>
#include <cstdio>
#include <list>
#include <memory>

#include "base/BufferedFile.h"
#include "base/CString.h"
#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "resultfile/PZARElemOutVector.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/PZARScanReason.h"
#include "resultfile/PostFile.h"
#include "resultfile/RecordVersion.h"

class CPOHMcas;
class IPostRecord;

class PVK_API CPZARFile : public IPostFile {
public:
  using TRecordList = zar::MArray<std::unique_ptr<CPZARRecord>>;
  using TElemOutVectorList = zar::MArray<std::unique_ptr<CPZARElemOutVector>>;
  using TScanReasonList = zar::MArray<TPZARScanReason>;

  CPZARFile();
  ~CPZARFile() override;

  std::int32_t GetFileType() const override { return 0; }
  // The import fills these; until then they create nothing.
  int CreatePOH(IPOHSession* pSession, IPreDBLinker* pLinker, std::uint64_t dbItr) override;
  int CreateINFO(IPreDBLinker* pLinker) override;
  int RebuildMPU(IPreDBLinker* pLinker) override;
  int DeleteFileW() override;
  // 1 when the file was opened and at least one record was kept.
  virtual int Scan(const CString& path);
  // The same with the records' echo written to `pEcho` (none when null) whatever the echo
  // option says.
  int ScanWithEcho(const CString& path, FILE* pEcho);
  virtual int IsValidEx() { return 0; }
  // Why the last scan refused the file, ended early or dropped records, in file order; empty
  // when it kept every record up to the end marker.
  const TScanReasonList& GetScanReasons() const { return m_aScanReasons; }

  int CreatePOH_without_DBOperation(IPOHSession* pSession, CPOHMcas* pMcas);

  CFile& GetFile() { return m_file; }
  PZAR_RECORD_VER::E_VER GetRecordVersion() const { return m_eVer; }

  void SetCurNodeCnt(std::int32_t n) { m_nCurNodeCnt = n; }
  std::int32_t GetCurNodeCnt() const { return m_nCurNodeCnt; }
  void SetCurElemCnt(std::int32_t n) { m_nCurElemCnt = n; }
  std::int32_t GetCurElemCnt() const { return m_nCurElemCnt; }
  void SetActElemCntConsStag(std::int32_t n) { m_nActElemCntConsStag = n; }
  std::int32_t GetActElemCntConsStagt() const { return m_nActElemCntConsStag; }
  void SetDeactElemCntConsStag(std::int32_t n) { m_nDeactElemCntConsStag = n; }
  std::int32_t GetDeactElemCntConsStag() const { return m_nDeactElemCntConsStag; }

  void SetResIDs(const zar::MArray<std::int32_t>& ids) { m_aResIDs = ids; }
  const zar::MArray<std::int32_t>& GetResIDs() const { return m_aResIDs; }

  // Deletes all records and element output vectors and closes the file.
  void Clear();
  // The first record of the type in file order, or null.
  CPZARRecord* GetRecord(std::int32_t type) const;
  const TRecordList& GetRecordList() const { return m_aRecords; }
  void GetRecordList(std::list<CPZARRecord*>& out) const;
  void GetRecordList(zar::MTArray<IPostRecord*>& out) const;

  CPZARElemOutVector* AddElemOutVector();
  int RemoveElemOutVector(CPZARElemOutVector* pVector);
  const TElemOutVectorList& GetElemOutVectorList() const { return m_aElemOutVectors; }

  // Numbers the vector records and hands each to the node and element id lists in force.
  void InitAllRecordFlags();
  void DeInitAllRecordFlags();
  // The smallest and largest component id of the vector records; 0 when there are none.
  int GetRecordVectorIDRange(std::int32_t range[2]) const;

  std::int32_t GetEncodingCodePage() const { return m_nEncodingCodePage; }
  void SetEncodingCodePage(std::int32_t codePage) { m_nEncodingCodePage = codePage; }

private:
  // The import behind CreatePOH; DropImport undoes what a failed one made.
  int Import(IPOHSession& session, IPreDBLinker* pLinker, std::uint64_t dbItr);
  void DropImport(IPOHSession& session, std::size_t nOutVectors) noexcept;
  // What CreateINFO does, exceptions passing.
  int FillMPU(IPreDBLinker* pLinker);
  // Warns that the import or the grid data build of this file failed, and why.
  void WarnFailed(const wchar_t* what, const char* cause) noexcept;

  int ScanBlocks(FILE* pEcho);
  bool ReadFileHeader();
  bool SkipOffsetTable();
  // The header at pos, where the file stands. False when fewer than 8 bytes are left.
  bool ReadRecordHeader(std::uint64_t pos, CPZARRecord::R_HEADER& header);
  // Scans one record and keeps it when its scan succeeds; false when the scan ends at it.
  bool ScanRecord(std::unique_ptr<CPZARRecord> pRecord, std::uint64_t headerPos, FILE* pEcho);
  // Keeps the reason of the scan and hands it to the message output.
  void AddScanReason(const TPZARScanReason& reason);

  CBufferedFile m_file;
  std::int32_t m_nCurNodeCnt = 0;
  std::int32_t m_nCurElemCnt = 0;
  std::int32_t m_nActElemCntConsStag = 0;
  std::int32_t m_nDeactElemCntConsStag = 0;
  zar::MArray<std::int32_t> m_aResIDs;
  TRecordList m_aRecords;
  TElemOutVectorList m_aElemOutVectors;
  TScanReasonList m_aScanReasons;
  std::int32_t m_nEncodingCodePage = 0;
  PZAR_RECORD_VER::E_VER m_eVer = PZAR_RECORD_VER::VER_130;
};
