#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/ScratchFolder.h"
#include "base/UnitControl.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/PZARFileEx.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "support/ResultFileBuilder.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

// The values of nodes 7 and 3 go from a result file in mm and N through its import into
// results loaded in m and N.
TEST(VResultFromFile, LengthsAndStressesArriveInMetre) {
  ScratchFolder dir;
  {
    CResultFileBuilder file(dir.Wide("units.tkvp"));
    CRecordSolverInfoD solver(file.File());
    solver.m_nLength = 2;  // mm
    solver.m_nForce = 2;   // N
    file.Add(PZAR_RECORD_TYPE::SOLVER_INFO, 0, solver);
    file.CaseInfo(1, L"C");
    file.OutputSet(0.0, L"S");
    file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {7, 3});
    file.Vector(102, 0, {1.5, -2.0});
    file.Vector(7201, 0, {250.0, -0.5});
    ASSERT_TRUE(file.Finish());
  }
  CMemModelDB db;
  for (const std::int32_t id : {3, 7}) db.AddNode(id, 0, 0, 0);
  CQVEPOHSession session;
  CPZARFileEx file;
  ASSERT_EQ(file.Scan(dir.Wide("units.tkvp")), 1);
  ASSERT_EQ(file.CreatePOH(&session, &db, 0), 1);
  CPOHPoolBase& steps = *session.GetPOHPool(2);
  std::uint64_t itr = steps.GetHeadPosition();
  ASSERT_NE(itr, 0u);
  CVResultPackage* pPackage = static_cast<CPOHVcas*>(steps.GetNext(itr))->GetPackage();

  zar::lib::MUnitCtrl ctrl;
  ctrl.SetCurUnitSystem({2, 0, 0, 0, 2});  // N, m
  TVResParam param{&ctrl, &db};
  const struct {
    std::int32_t id;
    std::vector<double> converted;
  } cases[] = {{102, {1.5e-3, -2.0e-3}}, {7201, {250.0e6, -0.5e6}}};
  for (const auto& c : cases) {
    CVResult* vr = pPackage->Find(pvk::LOC_NODE, c.id);
    ASSERT_NE(vr, nullptr) << c.id;
    CPostPartialDList list;
    ASSERT_EQ(vr->LoadData(&list, &param), 1);
    const zar::MArray<double>& column = *list.GetList().front()->GetScalarComp();
    ASSERT_EQ(column.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) EXPECT_DOUBLE_EQ(column[i], c.converted[i]) << c.id;
  }
}

}  // namespace
