#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <new>
#include <optional>

#include "PZARTestFile.h"
#include "TestRecords.h"
#include "base/ScratchFolder.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDSetEntity.h"
#include "datastore/PostPartialDList.h"
#include "ibm/MeshPostUnit.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "support/MsgCapture.h"
#include "support/ResultFileBuilder.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using Names = std::vector<std::wstring>;
using Fill = std::function<void(CResultFileBuilder&)>;

// A model database that runs out of memory when asked for a chosen load case or for its body
// model, as an import may at any point.
class CFailingModelDB : public CMemModelDB {
public:
  std::uint64_t FindLoadCase(std::uint64_t dbItr, const CString& title) const override {
    if (title == m_strFailCase) throw std::bad_alloc();
    return CMemModelDB::FindLoadCase(dbItr, title);
  }
  void* GetBodyModel() const override {
    if (m_bFailBody) throw std::bad_alloc();
    return CMemModelDB::GetBodyModel();
  }

  CString m_strFailCase = L"";
  bool m_bFailBody = false;
};

// Writes a result file, scans it together with its text output and imports it.
class PZARFileImport : public ::testing::Test {
protected:
  int Run(const Fill& fill, std::uint64_t dbItr = 0) {
    const CString path = m_dir.Wide("r.tkvp");
    CResultFileBuilder file(path);
    fill(file);
    if (!file.Finish() || !m_file.Scan(path)) return -1;
    m_mcas = 0;
    const int result = m_file.CreatePOH(&m_session, &m_db, dbItr);
    m_mcas = m_file.GetPOHMcasItr();
    return result;
  }
  // The names of the children of `parent` at a level, in pool order; of all nodes without one.
  static Names Children(std::int32_t level, std::optional<std::uint64_t> parent,
                        const CQVEPOHSession& session) {
    Names names;
    const CPOHPoolBase& pool = *session.GetPOHPool(level);
    for (std::uint64_t itr = pool.GetHeadPosition(); itr;) {
      const CPOHBase* pNode = pool.GetNext(itr);
      if (!parent || pNode->GetParent() == *parent) names.push_back(pNode->GetName().str());
    }
    return names;
  }
  Names Children(std::int32_t level, std::uint64_t parent) const {
    return Children(level, parent, m_session);
  }
  std::uint64_t Find(std::int32_t level, const wchar_t* name, std::uint64_t parent) const {
    return m_session.GetPOHPool(level)->GetByName(name, parent);
  }
  // A sub-case "C" with a step "S" that the fill completes.
  int RunStep(const Fill& fill) {
    return Run([&fill](CResultFileBuilder& f) {
      f.CaseInfo(1, L"C");
      f.OutputSet(1.0, L"S");
      fill(f);
    });
  }
  CPOHVcas* Step(const wchar_t* scas = L"C", const wchar_t* vcas = L"S") {
    const std::uint64_t itr = Find(2, vcas, Find(1, scas, m_mcas));
    return itr ? static_cast<CPOHVcas*>(m_session.GetPOHPool(2)->GetAt(itr)) : nullptr;
  }

  ScratchFolder m_dir;
  CQVEPOHSession m_session;
  CFailingModelDB m_db;
  CPZARFileEx m_file;
  std::uint64_t m_mcas = 0;
};

// Nodal translations of nodes 1 and 2.
void Translations(CResultFileBuilder& file, double scale = 1.0) {
  file.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2});
  file.Vector(102, 0, {scale, 2 * scale});
}

void Case(CResultFileBuilder& file, const wchar_t* title) { file.CaseInfo(1, title); }

TEST_F(PZARFileImport, SubCasesAndStepsFollowCaseInformationAndOutputSets) {
  ASSERT_EQ(Run([](CResultFileBuilder& f) {
              Case(f, L"ONLY");
              Translations(f);
              Case(f, L"TWO");
              f.OutputSet(1.0, L"S1");
              Translations(f);
              f.OutputSet(2.5, L"S2");
              Translations(f, 2.0);
              Case(f, L"TWO");  // the same title: the same sub-case
              f.OutputSet(3.0, L"S3");
              Translations(f);
              f.OutputSet(4.0, L"EMPTY");  // no results: removed
            }),
            1);
  EXPECT_EQ(Children(0, 0), Names{L"r"});
  EXPECT_EQ(Children(1, m_mcas), (Names{L"ONLY", L"TWO"}));
  EXPECT_EQ(Children(2, Find(1, L"ONLY", m_mcas)), Names{L"ONLY"});
  // The case information's step became S1; the second "TWO" made a step that stayed empty.
  EXPECT_EQ(Children(2, Find(1, L"TWO", m_mcas)), (Names{L"S1", L"S2", L"S3"}));
  EXPECT_EQ(m_session.GetPOHPool(2)->GetSize(), 4);
  ASSERT_NE(Step(L"TWO", L"S2"), nullptr);
  EXPECT_EQ(Step(L"TWO", L"S2")->GetStepValue(), 2.5);
  const auto& scas =
      static_cast<const CPOHScas&>(*m_session.GetPOHPool(1)->GetAt(Find(1, L"TWO", m_mcas)));
  EXPECT_EQ(std::pair(scas.HasStep(), scas.GetMecAnalType()), std::pair(1, 1));
}

TEST_F(PZARFileImport, StepsAreSortedLoadFirstForTheAnalysisKindsThatAskForIt) {
  const Fill steps = [](CResultFileBuilder& f) {
    Case(f, L"C");
    for (const wchar_t* name : {L"PSD 1", L"LOAD 1", L"OTHER", L"LOAD 2"}) {
      f.OutputSet(1.0, name);
      Translations(f);
    }
  };
  const CString failure = L"pre-DB match FAILED : C";
  {
    CMsgCapture messages;
    ASSERT_EQ(Run(steps, m_db.AddAnalysisItem(114, L"item")), 1);
    // No load case of that title: the match failure is reported.
    EXPECT_GE(std::count(messages.m_texts.begin(), messages.m_texts.end(), failure), 1);
  }
  EXPECT_EQ(Children(2, Find(1, L"C", m_mcas)), (Names{L"LOAD 1", L"LOAD 2", L"PSD 1", L"OTHER"}));
  CMsgCapture messages;
  CQVEPOHSession other;
  m_file.CreatePOH(&other, &m_db, 0);  // without a result item: no sorting, no report
  EXPECT_EQ(std::count(messages.m_texts.begin(), messages.m_texts.end(), failure), 0);
  EXPECT_EQ(Children(2, std::nullopt, other), (Names{L"PSD 1", L"LOAD 1", L"OTHER", L"LOAD 2"}));
}

// A node list shares the set of the list before it; an element list the set of any earlier
// list of the step with its ids, in the category of the vector before it.
TEST_F(PZARFileImport, IdListsWithTheSameIdsShareTheirDataSet) {
  ASSERT_EQ(RunStep([](CResultFileBuilder& f) {
              Translations(f);
              f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2});
              f.Vector(103, 0, {3, 4});
              f.Vector(7201, 0, {5, 6});  // another category: its own set
              f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 3});
              f.Vector(104, 0, {7, 8});
              for (const auto& [ids, comp] :
                   {std::pair<std::vector<std::int32_t>, std::int32_t>{{10, 11}, 311101},
                    {{10, 12}, 311102},  // same count, other ids
                    {{10, 11}, 311103},
                    {{10, 12}, 311104}}) {
                f.IDList(PZAR_RECORD_TYPE::ELEM_ID_LIST, ids);
                f.Vector(comp, 1, {1, 2});
              }
            }),
            1);
  const auto& sets = Step()->GetDSetContainer()->GetDSetList();
  std::vector<std::vector<std::int32_t>> comps;
  for (const auto& pSet : sets) {
    comps.emplace_back();
    for (const auto& pComp : pSet->GetDCompList()) comps.back().push_back(pComp->GetCompType());
  }
  EXPECT_EQ(comps, (std::vector<std::vector<std::int32_t>>{
                       {102, 103}, {7201}, {104}, {311101, 311103}, {311102, 311104}}));
}

// Results load their keys in the order of the file's id lists (the registry walk loads every
// result's values from ids in ascending order); a direction cosine, which the component table
// does not know, is filed by the catalogue.
TEST_F(PZARFileImport, ImportedResultsLoadTheirKeysInFileOrder) {
  for (const std::int32_t id : {1, 2, 3, 4}) m_db.AddNode(id, id, 0, 0);
  m_db.AddElement(10, 4, {1, 2, 3});
  m_db.AddElement(11, 4, {2, 3, 4});
  ASSERT_EQ(RunStep([](CResultFileBuilder& f) {
              f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {2, 1});
              f.Vector(102, 0, {1.5, -2.0});
              f.IDList(PZAR_RECORD_TYPE::ELEM_ID_LIST, {11, 10});
              f.Vector(312127, 1, {0.25, 0.5});
            }),
            1);
  const struct {
    pvk::LOC_TYPE loc;
    std::int32_t id;
    zar::MArray<std::int32_t> keys;
    double first;
  } cases[] = {{pvk::LOC_NODE, 102, {2, 1}, 1.5}, {pvk::LOC_ELEM, 312127, {11, 10}, 0.25}};
  for (const auto& c : cases) {
    CVResult* pResult = Step()->GetPackage()->Find(c.loc, c.id);
    ASSERT_NE(pResult, nullptr) << c.id;
    TVResParam param{nullptr, &m_db};
    CPostPartialDList list;
    ASSERT_EQ(pResult->LoadData(&list, &param), 1);
    EXPECT_EQ(*list.GetList().front()->GetKey(), c.keys);
    EXPECT_EQ(list.GetList().front()->GetComp(0)->at(0), c.first);
  }
  EXPECT_EQ(Step()->GetPackage()->Find(pvk::LOC_ELEM, 312127)->GetResCatType(), 22);
}

// The names compare without case, and only with the sub-cases of the file being imported: the
// same file imported twice into one session gives each import its own reactions.
TEST_F(PZARFileImport, ReactionsOfTheTextOutputJoinTheirStep) {
  std::ofstream(m_dir.Narrow("r.out"))
      << "R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y\n"
         "SUBCASE : c : s\n"
         "       ID      TYPE                   COORDINATE                                    "
         "     REACTION FORCE                                     REACTION MOMENT\n"
         " 5 POINT 0 0 0 1 2 3 0 0 0\n";
  for (int import = 0; import < 2; ++import) {
    ASSERT_EQ(RunStep([](CResultFileBuilder& f) { Translations(f); }), 1);
    zar::MList<CPostDSet*> sets;
    Step()->GetDSetContainer()->GetDSetListBylResCatType(0, 4, sets);
    ASSERT_EQ(sets.size(), 1u) << import;
    EXPECT_EQ(sets.front()->GetLOCType(), pvk::LOC_POINT);
    EXPECT_EQ(sets.front()->GetDCompList().size(), 8u) << import;
  }
}

// Raw record bodies through the builder's file, for records no class writes.
void AddRaw(CResultFileBuilder& file, std::int32_t type, std::int32_t id,
            const std::vector<char>& body) {
  file.Writer().WriteRecordHeader(type, id);
  file.File()->Write(body.data(), static_cast<unsigned>(body.size()));
}

// A concurrent nodal vector consumes the result id list before it; entity case information
// files each result id under its category.
TEST_F(PZARFileImport, ConcurrentNodalVectorsAndEntityCaseInformation) {
  ASSERT_EQ(RunStep([](CResultFileBuilder& f) {
              f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {7, 8, 9});
              f.IDList(PZAR_RECORD_TYPE::RES_ID_LIST, {101, 202});
              // Key number 1.
              PZARBody concBody = pzar_test::VectorBody({.m_nComponent = {202}, .m_nMinID = 1});
              for (int v = 0; v < 2 * 3 * 3; ++v) concBody.Real(v);
              AddRaw(f, PZAR_RECORD_TYPE::CONC_NODAL_VECTOR, 202, concBody);
              f.IDList(PZAR_RECORD_TYPE::RES_ID_LIST, {101, 7201, 102});
              PZARBody infoBody = pzar_test::VectorBody({.m_nMinID = 1});  // sub number 1
              for (int v = 0; v < 3 * 3; ++v) infoBody.Int(v);
              AddRaw(f, PZAR_RECORD_TYPE::ENTITY_CASE_INFO, 0, infoBody);
              Translations(f);  // the step needs a result to stay
            }),
            1);
  std::vector<std::tuple<int, std::int32_t, std::vector<std::int32_t>>> sets;
  for (const auto& pSet : Step()->GetDSetContainer()->GetDSetList()) {
    if (pSet->GetDSetType() == pvk::POST_DSET_UNIT_MODEL_RESULT) continue;
    std::vector<std::int32_t> comps;
    for (const auto& pComp : pSet->GetDCompList()) {
      comps.push_back(pComp->GetCompType());
      comps.push_back(static_cast<const CPostUnitEntityDComp&>(*pComp).GetResIDOffsetIndex());
    }
    sets.emplace_back(pSet->GetDSetType(), pSet->GetResCatType(), comps);
  }
  using Set = std::tuple<int, std::int32_t, std::vector<std::int32_t>>;
  EXPECT_EQ(sets, (std::vector<Set>{{pvk::POST_DSET_UNIT_ENTITY_COMP, 2, {101, 0, 202, 1}},
                                    {pvk::POST_DSET_UNIT_ENTITY_CASE_INFO, 1, {101, 0, 102, 1}},
                                    {pvk::POST_DSET_UNIT_ENTITY_CASE_INFO, 102, {7201, 0}}}));
}

// Board components 51004101 to 51004106 give the board results 51004101 to 51004110 also
// beside the plain nodal stresses that their results are made from (the registry walk makes
// them from board components alone).
TEST_F(PZARFileImport, BoardResultsAreMadeBesideThePlainComponents) {
  ASSERT_EQ(RunStep([](CResultFileBuilder& f) {
              f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, {1, 2});
              for (std::int32_t id = 1; id <= 6; ++id) {
                f.Vector(7200 + id, 0, {1, 2});
                f.Vector(51004100 + id, 0, {1, 2});
              }
            }),
            1);
  const CVResultPackage& package = *Step()->GetPackage();
  for (std::int32_t id = 51004101; id <= 51004110; ++id)
    EXPECT_TRUE(package.Exist(pvk::LOC_NODE, id)) << id;
  EXPECT_EQ(package.Exist(pvk::LOC_NODE, 7201), 1);
}

// A failure inside the import leaves nothing of it behind: no nodes in the session, no element
// output vectors in the file; a failure of the mesh post unit's build leaves the unit empty.
TEST_F(PZARFileImport, AFailedImportLeavesNothingBehind) {
  std::vector<CString> warnings;
  auto previous = zar::lib::SetMsgSink([&](zar::lib::EMsgLevel level, const CString& text) {
    if (level == zar::lib::EMsgLevel::Warning) warnings.push_back(text);
  });
  m_db.m_strFailCase = L"BOOM";
  EXPECT_EQ(Run([](CResultFileBuilder& f) {
              CRecordIBMGridInfoD grid(f.File());
              grid.m_aNumber = {2, 2, 2};
              f.Add(PZAR_RECORD_TYPE::IBM_GRID_INFO, 1, grid);
              Case(f, L"C");
              f.OutputSet(1.0, L"S");
              f.IDList(PZAR_RECORD_TYPE::ELEM_ID_LIST, {10, 11});
              f.Vector(311101, 1, {1, 2});
              Case(f, L"BOOM");
            }),
            0);
  EXPECT_EQ(m_file.GetPOHMcasItr(), 0u);
  for (std::int32_t level = 0; level < 3; ++level)
    EXPECT_EQ(m_session.GetPOHPool(level)->GetSize(), 0) << level;
  EXPECT_TRUE(m_file.GetElemOutVectorList().empty());

  m_db.m_bFailBody = true;
  EXPECT_EQ(m_file.CreateINFO(&m_db), 0);
  EXPECT_TRUE(m_file.GetMPUPost()->GetBndrDList().empty());
  m_db.m_bFailBody = false;
  zar::lib::SetMsgSink(previous);
  // Each failure says what failed, for which file and why.
  ASSERT_EQ(warnings.size(), 2u);
  for (const auto& [warning, what] : {std::pair{warnings[0], L"The import of "},
                                      std::pair{warnings[1], L"The grid data build of "}}) {
    EXPECT_EQ(warning.Find(what), 0) << warning.str();
    EXPECT_NE(warning.Find(m_file.GetFile().GetFilePath()), -1) << warning.str();
    EXPECT_NE(warning.Find(L": std::bad_alloc"), -1) << warning.str();
  }
  EXPECT_EQ(m_file.CreateINFO(&m_db), 1);
  EXPECT_EQ(m_file.GetMPUPost()->GetBndrDList().size(), 1u);
}

TEST_F(PZARFileImport, NothingIsImportedWithoutSessionOrName) {
  EXPECT_EQ(m_file.CreatePOH(&m_session, &m_db, 0), 0);  // never scanned: no name
  ASSERT_EQ(Run([](CResultFileBuilder& f) { Translations(f); }), 1);
  EXPECT_EQ(m_file.CreatePOH(nullptr, &m_db, 0), 0);
  // Vectors before any case have no step to join; the file node stays.
  EXPECT_EQ(Children(1, m_mcas), Names{});
  EXPECT_EQ(m_session.GetPOHPool(2)->GetSize(), 0);
}

struct TVolumeCase {
  std::int32_t order;
  std::array<std::int32_t, 3> n;
  std::vector<std::int32_t> listed;
  std::vector<char> cells;
  std::vector<std::int32_t> flagged;  // node ids flagged afterwards
};

// Grid node i, j, k of an nx × ny × nz grid whose first node id is 1.
std::int32_t GridNode(const std::array<std::int32_t, 3>& n, int i, int j, int k) {
  return 1 + i + j * n[0] + k * n[0] * n[1];
}

std::vector<std::int32_t> AllBut(std::int32_t count, std::vector<std::int32_t> left) {
  std::vector<std::int32_t> ids;
  for (std::int32_t id = 1; id <= count; ++id)
    if (std::find(left.begin(), left.end(), id) == left.end()) ids.push_back(id);
  return ids;
}

TEST_F(PZARFileImport, VolumeDataFlagsCellsWhoseNodesAllCarryResults) {
  constexpr std::int32_t kMax = INT32_MAX;
  const std::array<std::int32_t, 3> q{3, 3, 3};
  // The quadratic cell's face centres and centre: two or three offsets of 1.
  std::vector<std::int32_t> inner;
  for (int c = 0; c < 3; ++c)
    for (int b = 0; b < 3; ++b)
      for (int a = 0; a < 3; ++a)
        if ((a == 1) + (b == 1) + (c == 1) >= 2) inner.push_back(GridNode(q, a, b, c));
  std::vector<std::int32_t> innerAndCorner = inner;
  innerAndCorner.push_back(GridNode(q, 2, 2, 2));
  const TVolumeCase cases[] = {
      {1, {2, 2, 2}, AllBut(8, {}), {1}, AllBut(8, {})},
      {1, {2, 2, 2}, AllBut(8, {8}), {0}, AllBut(8, {8})},
      {1, {3, 2, 2}, AllBut(12, {1}), {0, 1}, AllBut(12, {1})},
      {2, q, AllBut(27, inner), {1}, AllBut(27, {})},
      {2, q, AllBut(27, innerAndCorner), {0}, AllBut(27, innerAndCorner)},
      // Damaged counts: no product may overflow or wrap to a small number, no loop may run
      // past the grid's points, and the file still opens.
      {2, {0, kMax, kMax}, {0}, {}, {0}},  // no points, but billions of rows to loop over
      {2, {1 << 21, 1 << 21, 1 << 22}, {0}, {}, {}},  // 2^64 points: wraps to 0
      {2, {kMax, kMax, kMax}, {0}, {}, {}},
      {2, {-1, 2, 2}, {0}, {}, {}},
  };
  for (const TVolumeCase& c : cases) {
    ASSERT_EQ(Run([&c](CResultFileBuilder& f) {
                CRecordIBMGridInfoD grid(f.File());
                grid.m_nElemOrder = c.order;
                grid.m_aNumber = c.n;
                f.Add(PZAR_RECORD_TYPE::IBM_GRID_INFO, 1, grid);
                Case(f, L"C");
                f.IDList(PZAR_RECORD_TYPE::NODE_ID_LIST, c.listed);
                f.Vector(102, 0, std::vector<double>(c.listed.size(), 1.0));
              }),
              1);
    EXPECT_EQ(m_file.CreateINFO(&m_db), 1);
    const CMPUPost& mpu = *m_file.GetMPUPost();
    EXPECT_EQ(mpu.GetCellFlags(), c.cells) << c.order << " " << c.listed.size();
    std::vector<std::int32_t> flagged;
    for (std::size_t id = 0; id < mpu.GetGridNodeFlags().size(); ++id)
      if (mpu.GetGridNodeFlags()[id]) flagged.push_back(static_cast<std::int32_t>(id));
    EXPECT_EQ(flagged, c.flagged) << c.order << " " << c.listed.size();
  }
}

}  // namespace
