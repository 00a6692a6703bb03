#pragma once
// Nodal translations (components 101 to 104) over a million nodes in a result file written for
// the benchmarks, scanned once and shared by the benchmarks of one program.
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "BenchResultFile.h"
#include "datastore/PostDSetModelResult.h"
#include "resultfile/PZARFile.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/MemModelDB.h"

namespace bench_translations {

constexpr std::int32_t kNodes = 1000000;

// Nodal translations over a million nodes in model order, scanned, with the model that the
// data set indices come from.
class TranslationFile {
public:
  TranslationFile()
      : m_file("vresult-load", [](CPZARFileWriter_140& writer) { return Fill(writer); }) {
    for (std::int32_t id = 1; id <= kNodes; ++id) m_db.AddNode(id, 0, 0, 0);
    if (!m_scan.Scan(m_file.Wide())) std::abort();
    CPZARRecordIDList* pKeys = nullptr;
    for (const auto& pRecord : m_scan.GetRecordList()) {
      if (auto* pIds = PZARRecordCast<CPZARRecordIDList>(pRecord.get())) pKeys = pIds;
      if (auto* pVector = PZARRecordCast<CPZARRecordVector>(pRecord.get())) {
        m_vectors.push_back(pVector);
        m_set.AddDComp(pVector->GetHeader().id)->SetDataLoader(pVector);
      }
    }
    m_set.SetDataLoaderKey(pKeys);
    m_dsets.push_back(&m_set);
  }
  CPZARRecordVector& Vector(std::size_t i) { return *m_vectors.at(i); }
  const zar::MList<CPostDSet*>& Sets() const { return m_dsets; }
  CMemModelDB& Model() { return m_db; }

private:
  static bool Fill(CPZARFileWriter_140& writer) {
    std::vector<std::int32_t> ids(kNodes);
    std::iota(ids.begin(), ids.end(), 1);
    CRecordIDListD keys(writer.GetFile(), ids.data(), kNodes);
    auto idList = CPZARRecordFactory::GetInstance().Create(PZAR_RECORD_TYPE::NODE_ID_LIST,
                                                           PZAR_RECORD_VER::VER_140);
    if (!idList || !writer.WriteRecordHeader(PZAR_RECORD_TYPE::NODE_ID_LIST, kNodes) ||
        !idList->Write(&keys))
      return false;
    std::vector<double> values(kNodes);
    const double range[2] = {0.0, 1.0};
    for (std::int32_t compId = 101; compId <= 104; ++compId) {
      for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = 1e-3 * static_cast<double>(i) * (compId - 101);
      CRecordVectorD data(writer.GetFile());
      data.m_nRealWidth = 8;
      data.m_pMinVal = &range[0];
      data.m_pMaxVal = &range[1];
      data.m_pValues = values.data();
      data.m_nCount = kNodes;
      CPZARRecordVector_140 record;
      if (!writer.WriteRecordHeader(PZAR_RECORD_TYPE::VECTOR, compId) || !record.Write(&data))
        return false;
    }
    return true;
  }

  BenchResultFile m_file;
  CPZARFile m_scan;
  CMemModelDB m_db;
  CPostUnitModelResultDSet m_set{pvk::LOC_NODE, 1};
  zar::MList<CPostDSet*> m_dsets;
  std::vector<CPZARRecordVector*> m_vectors;
};

inline TranslationFile& Translations() {
  static TranslationFile file;
  return file;
}

}  // namespace bench_translations
