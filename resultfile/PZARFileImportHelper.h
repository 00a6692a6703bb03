#pragma once
// Turns the records of a scanned result file into the case hierarchy of a session: the result
// file node, its sub-cases and steps, the data sets of every step with the records as their
// loaders, and the virtual results of every step. The helper keeps the state of the record
// walk; the format versions differ in which records they understand.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/CString.h"
#include "base/Containers.h"
#include "base/UnitIndex.h"
#include "core/DataTypes.h"
#include "qve_pvk_export.h"
#include "resultfile/PostImportInfo.h"

class CPOHBase;
class CPOHMcas;
class CPOHPoolBase;
class CPOHScas;
class CPOHVcas;
class CPostDSet;
class CPostUnitModelResultDComp;
class CPostUnitModelResultDSet;
class CPZARElemCSysLoader;
class CPZARRecord;
class CPZARRecordCaseInfo;
class CPZARRecordElemIDList;
class CPZARRecordIDList;
class CPZARRecordNodeIDList;
class CPZARRecordVector;

class PVK_API IPZARFileImportHelper {
public:
  explicit IPZARFileImportHelper(std::int32_t fileType) : m_nFileType(fileType) {}
  IPZARFileImportHelper(const IPZARFileImportHelper&) = delete;
  IPZARFileImportHelper& operator=(const IPZARFileImportHelper&) = delete;

  virtual ~IPZARFileImportHelper();
  virtual void Initialize(TPostImportInfo* pInfo);
  virtual void Import();
  virtual std::uint64_t CreatePOHMcas() = 0;
  virtual int CreatePOHMcas_without_DBOperation(CPOHMcas*) { return 1; }

protected:
  virtual void GetSolverUnitIndex(zar::lib::T_UNIT_INDEX* pUnit);
  virtual void GetRecord() = 0;
  virtual void GetRecordFile();

public:
  virtual void MakeVolumeData() {}
  virtual void MakeFacetData() {}

protected:
  virtual int GetOutputSet(CPZARRecord* pRecord);
  virtual int GetOutputVector_Node(CPZARRecordVector* pVector) = 0;
  virtual int GetOutputVector_ElemCenter(CPZARRecordVector* pVector) = 0;

public:
  const zar::MArray<char>& GetVolumeNodeFlags() const { return m_aVolumeNode; }
  const zar::MArray<char>& GetVolumeCellFlags() const { return m_aVolumeCell; }
  const zar::MArray<std::int32_t>& GetFacetNodeIDs() const { return m_aFacetNodeID; }
  const zar::MArray<zar::MVector<double, 3>>& GetFacetNodePos() const { return m_aFacetNodePos; }
  const std::array<zar::MArray<std::int32_t>, 4>& GetFacetElemData() const { return m_aFacetElem; }

protected:
  // The dispatch that both versions share; false for a type the base does not handle.
  bool DispatchCommon(CPZARRecord* pRecord);
  void GetCaseInfo(CPZARRecordCaseInfo* pRecord);
  void GetActiveID(CPZARRecordIDList* pRecord, bool bActivated);
  void GetNodeIDList(CPZARRecordNodeIDList* pRecord);
  void GetElemIDList(CPZARRecordElemIDList* pRecord);
  void GetElemOutCSys(CPZARRecord* pRecord);
  void GetOutputVector(CPZARRecordVector* pVector);
  // The category of a stored component: the component table's, else the catalogue's.
  static std::int32_t CategoryOf(std::int32_t comp);
  // Sets the current category from the vector's component id; false when it has none.
  bool GetOutputVector_SetResCat(CPZARRecordVector* pVector);
  int GetOutputVector_LineElem(CPZARRecordVector* pVector);
  using TElemDSetMap = std::map<std::pair<std::int32_t, std::int32_t>, CPostUnitModelResultDSet*>;
  // The element data set of the current list and category at that location type.
  CPostUnitModelResultDSet* ElemDSet(TElemDSetMap& map, pvk::LOC_TYPE locType);
  // The first element set of the step in the current category whose keys are `ids`; null
  // when there is none.
  CPostUnitModelResultDSet* FindElemDSet(const zar::MArray<std::int32_t>& ids);
  // Files an element output vector over the vector and its related corner vectors.
  int AddElemOutVector(CPZARRecordVector* pVector, TElemDSetMap& map);
  // The vector as a component of the node data set of the current list and category; null
  // for a vector that is not nodal or without a node id list.
  CPostUnitModelResultDComp* AddNodeComp(CPZARRecordVector* pVector);
  void ModifySortingData();
  void MakeVResult(std::uint64_t mcasItr);
  std::int32_t MakeVResult(std::uint64_t vcasItr, CPOHVcas& step);
  // The id lists forget the vectors the record walk numbered for them.
  void ReleaseRecordFlags();

  CPOHPoolBase& Pool(std::int32_t level) const;
  CPOHScas* Scas(std::uint64_t itr) const;
  CPOHVcas* Vcas(std::uint64_t itr) const;
  CPOHVcas* CurrentStep() const { return Vcas(m_nVcas); }
  // Forgets the data sets of the previous step and starts its shared element systems.
  void StartStep();
  // The ids of an id list record, loaded once while it is the current list.
  const zar::MArray<std::int32_t>* IDsOf(CPZARRecordIDList* pList);
  bool SameIDs(CPZARRecordIDList* pPrevious, CPZARRecordIDList* pNext);
  // The import's sub-case of that exact title, 0 when there is none yet.
  std::uint64_t FindScas(const CString& title) const;
  bool StepSortByDB() const;

  TPostImportInfo m_info;
  std::int32_t m_nFileType = 0;
  int m_bWithoutDB = 0;
  int m_bStepSort = 0;
  bool m_bResultTypeChanged = false;

  CPZARRecordIDList* m_pActElem = nullptr;         // not owned
  CPZARRecordIDList* m_pDeactElem = nullptr;       // not owned
  CPZARRecordNodeIDList* m_pNodeIDList = nullptr;  // not owned
  CPZARRecordElemIDList* m_pElemIDList = nullptr;  // not owned
  // Data sets of the current id lists: node sets by category, element and line-element sets
  // by category and location type. The step's container owns them.
  std::map<std::int32_t, CPostUnitModelResultDSet*> m_mapNodeDSet;
  TElemDSetMap m_mapElemDSet;
  TElemDSetMap m_mapLineDSet;
  std::int32_t m_nCurResCat = 0;

  std::uint64_t m_nMcas = 0;
  std::uint64_t m_nPendingScas = 0;
  std::uint64_t m_nScas = 0;
  std::uint64_t m_nVcas = 0;
  std::uint64_t m_nCaseStep = 0;  // the step a new sub-case's case information made
  bool m_bHasScas = false;
  // The first sub-case of each title: case information records name them again and again.
  std::unordered_map<std::wstring, std::uint64_t> m_mapScasByTitle;

  zar::MArray<std::int32_t> m_aPlyIDs;
  unsigned int m_aCompositeInfo[6] = {};
  std::shared_ptr<CPZARElemCSysLoader> m_pCSysLoader;

  zar::MArray<CPOHBase*> m_aStepLoad, m_aStepPSD, m_aStepOther;  // not owned
  zar::MArray<std::int32_t> m_aStepKey;

  zar::MArray<char> m_aVolumeNode, m_aVolumeCell;
  zar::MArray<std::int32_t> m_aFacetNodeID;
  zar::MArray<zar::MVector<double, 3>> m_aFacetNodePos;
  std::array<zar::MArray<std::int32_t>, 4> m_aFacetElem;

private:
  CPZARRecordIDList* m_pIDsOwner = nullptr;  // not owned
  zar::MArray<std::int32_t> m_aIDs;

  // The element sets of one step by category and the count and hash of their keys, in the
  // order made: a new element id list finds the set of its ids without reading the keys of
  // every set of its category.
  struct TKeyDigest {
    std::int32_t nCategory;
    std::size_t nCount;
    std::uint64_t nHash;
    bool operator==(const TKeyDigest&) const = default;
  };
  struct TKeyDigestHash {
    std::size_t operator()(const TKeyDigest& d) const;
  };
  static TKeyDigest Digest(std::int32_t category, const zar::MArray<std::int32_t>& ids);
  void IndexElemDSet(CPostUnitModelResultDSet* pSet);
  std::unordered_map<TKeyDigest, std::vector<CPostUnitModelResultDSet*>, TKeyDigestHash>
      m_mapElemDSetByKeys;
  std::uint64_t m_nIndexedStep = 0;  // the step whose element sets the map holds
};
