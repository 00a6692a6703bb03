#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "base/ScratchFolder.h"
#include "base/UnitControl.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/PZARFile.h"
#include "session/MemModelDB.h"
#include "session/POHMcas.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "support/ResultFileBuilder.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactoryManager.h"

namespace {

using Column = std::vector<double>;

// The values of nodes 7 and 3 go from a result file in mm and N through its records, bound as
// the data set of a step, into results loaded in m and N.
class VResultFromFile : public ::testing::Test {
protected:
  void SetUp() override {
    const CString path = m_folder.Wide("units.tkvp");
    CResultFileBuilder file(path);
    CRecordSolverInfoD solver(file.File());
    solver.m_nLength = 2;  // mm
    solver.m_nForce = 2;   // N
    file.Add(PZAR_RECORD_TYPE::SOLVER_INFO, 0, solver);
    file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {7, 3});
    file.Vector(102, 0, {1.5, -2.0});
    file.Vector(103, 0, {0.0, 4.0});
    file.Vector(7201, 0, {250.0, -0.5});
    ASSERT_TRUE(file.Finish());
    ASSERT_EQ(m_file.Scan(path), 1);

    const std::uint64_t mcas = m_session.GetPOHPool(0)->Add();
    const std::uint64_t scas = m_session.GetPOHPool(1)->Add();
    m_vcas = m_session.GetPOHPool(2)->Add();
    m_session.GetPOHPool(1)->GetAt(scas)->SetParent(mcas);
    m_session.GetPOHPool(2)->GetAt(m_vcas)->SetParent(scas);
    const auto* pSolver =
        static_cast<CPZARRecordSolverInfo*>(m_file.GetRecord(PZAR_RECORD_TYPE::SOLVER_INFO));
    ASSERT_NE(pSolver, nullptr);
    const zar::lib::T_UNIT_INDEX units = pSolver->GetUnitIndex();
    static_cast<CPOHMcas*>(m_session.GetPOHPool(0)->GetAt(mcas))->SetUnitIndex(&units);
    for (const std::int32_t id : {3, 7}) m_db.AddNode(id, 0, 0, 0);
    BindRecords();
    m_ctrl.SetCurUnitSystem({2, 0, 0, 0, 2});  // N, m
  }

  // The node id list keys one data set per category; each vector record loads its component.
  void BindRecords() {
    CPostDSetContainer* pContainer =
        static_cast<CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(m_vcas))->GetDSetContainer();
    std::map<std::int32_t, CPostUnitModelResultDSet*> byCategory;
    for (const auto& owned : m_file.GetRecordList()) {
      CPZARRecord* pRecord = owned.get();
      if (auto* pIds = dynamic_cast<CPZARRecordIDList*>(pRecord)) m_pKeys = pIds;
      auto* pVector = dynamic_cast<CPZARRecordVector*>(pRecord);
      if (!pVector) continue;
      const std::int32_t category = pVector->GetHeader().id == 7201 ? 102 : 1;
      auto*& pSet = byCategory[category];
      if (!pSet) {
        pSet = static_cast<CPostUnitModelResultDSet*>(
            pContainer->AddUnitResultDSet(pvk::LOC_NODE, category));
        pSet->SetDataLoaderKey(m_pKeys);
      }
      pSet->AddDComp(pVector->GetHeader().id)->SetDataLoader(pVector);
    }
  }

  std::vector<Column> Load(std::int32_t id, std::int32_t category, bool convert = true) {
    auto vr = CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(id);
    zar::MList<CPostDSet*> dsets;
    static_cast<CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(m_vcas))
        ->GetDSetContainer()
        ->GetDSetListBylResCatType(0, category, dsets);
    vr->SetLocType(pvk::LOC_NODE);
    vr->SetPOHSession(&m_session);
    vr->SetParent(m_vcas);
    std::vector<Column> columns;
    CPostPartialDList list;
    TVResParam param{&m_ctrl, &m_db};
    if (!vr->Init(dsets) ||
        !(convert ? vr->LoadData(&list, &param) : vr->LoadDataNU(&list, &param)))
      return columns;
    const CPostPartialD& block = *list.GetList().front();
    for (std::int32_t i = 0; i < block.GetCompCnt(); ++i)
      columns.emplace_back(block.GetComp(i)->begin(), block.GetComp(i)->end());
    return columns;
  }

  ScratchFolder m_folder;
  CPZARFile m_file;
  CPZARRecordIDList* m_pKeys = nullptr;
  CQVEPOHSession m_session;
  std::uint64_t m_vcas = 0;
  CMemModelDB m_db;
  zar::lib::MUnitCtrl m_ctrl;
};

TEST_F(VResultFromFile, LengthsAndStressesArriveInMetre) {
  const std::vector<Column> t1 = Load(102, 1);
  ASSERT_EQ(t1.size(), 4u);
  EXPECT_DOUBLE_EQ(t1[0][0], 1.5e-3);
  EXPECT_DOUBLE_EQ(t1[1][1], -2.0e-3);
  EXPECT_DOUBLE_EQ(t1[2][1], 0.0);  // T1 shows only its own direction
  EXPECT_EQ(Load(102, 1, false)[0], (Column{1.5, -2.0}));

  const std::vector<Column> xx = Load(7201, 102);
  ASSERT_EQ(xx.size(), 1u);
  EXPECT_DOUBLE_EQ(xx[0][0], 250.0e6);
  EXPECT_DOUBLE_EQ(xx[0][1], -0.5e6);
}

}  // namespace
