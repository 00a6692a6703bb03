// Every registered result, reached the way a user reaches it: the stored components that make
// it available written into a result file, in the kind of data set its template binds, the
// file imported, the result found in its step, bound and loaded with the written values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CatalogueDefRows.h"
#include "base/ScratchFolder.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/PZARFileEx.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "support/ReactionRows.h"
#include "support/ResultFileBuilder.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResultPackage.h"

namespace {

using Column = std::vector<double>;
using IdSet = std::set<std::int32_t>;

constexpr std::int32_t kPhase = 1000000000;
// Every step stores two entities: nodes, or triangles with a centre and three node values.
constexpr std::size_t kEntities = 2;
const std::vector<std::int32_t> kNodes{1, 2};
const std::vector<std::int32_t> kElems{10, 11};
constexpr std::int32_t kTriangle = 4;
constexpr std::size_t kElemRows = 4;
constexpr std::int32_t kSPRGroupSize = 10;  // the ids of an SPR group that are read
// Entity case information: first 1, second 1 (the sub number 2) values per entity.
constexpr std::int32_t kCaseFirst = 1;
constexpr std::int32_t kCaseSub = 2;

// The results that no written file reaches, and why.
const std::map<std::int32_t, const char*> kUnreachable = [] {
  const char* kTwoComponentTotal =
      "the total of a two-component vector binds only on a stored component 0, which the "
      "import never files";
  const char* kNoPhaseReactions = "the solver's text output has no phase-angle reactions";
  std::map<std::int32_t, const char*> ids;
  for (const std::int32_t id : {413104, 413108, 435107, 435114, 485107, 485114})
    ids[id] = ids[id + kPhase] = kTwoComponentTotal;
  for (std::int32_t id = 481; id <= 488; ++id) ids[id + kPhase] = kNoPhaseReactions;
  return ids;
}();

// The values written for a stored component, one per entity, distinct from all others; the
// case values of a result id, in stored order.
Column Written(std::int32_t comp) {
  Column values;
  for (std::size_t e = 0; e < kEntities; ++e) values.push_back(comp + 0.25 + 0.5 * e);
  return values;
}
std::vector<unsigned> CaseValues(std::int32_t id) {
  std::vector<unsigned> values;
  for (std::size_t i = 0; i < kEntities * kCaseSub; ++i)
    values.push_back(static_cast<unsigned>(id % 100000) * 8 + static_cast<unsigned>(i));
  return values;
}

// The printed-circuit-board code of a nodal stress (7201 to 7210) or thermal (7301 to 7308)
// component or result of board property 1004; 0 for any other id.
std::int32_t BoardCode(std::int32_t id) {
  if (id > 7200 && id <= 7210) return 51004100 + id - 7200;
  if (id > 7300 && id <= 7308) return 51004400 + id - 7300;
  return 0;
}

struct TWalkResult {
  std::int32_t id;
  const TDefRow* row;
  std::vector<std::int32_t> args;  // the template's, with the ids it reads (0: none)
  IdSet written;                   // the stored components of its step
  pvk::LOC_TYPE loc;
};

// The component ids among the arguments, in order.
std::vector<std::int32_t> IdArgs(const TWalkResult& r) {
  std::vector<std::int32_t> ids;
  for (const std::size_t i : GetTemplates().at(r.row->tmpl).idArgs) ids.push_back(r.args[i]);
  return ids;
}

// The components that the Parts require for a binding (for the principal values, all that
// they compute from).
IdSet Needed(const TWalkResult& r) {
  const std::string& t = r.row->tmpl;
  const std::vector<std::int32_t>& a = r.args;
  const std::vector<std::int32_t> ids = IdArgs(r);
  if (t == "VectorComp_ZAR") return {a[1 + a[0]]};
  if (t == "VectorComp") return {a[1]};
  if (t == "CNNT_StrsStrn_ZAR") return {a[3 + a[2]]};
  if (t == "CNNT_ForcMoment_ZAR") return {a[1 + a[0]]};
  if (t == "VectorTotal" || t == "VectorComb" || t == "PrinVector" || t == "PrinVector2D")
    return IdSet(ids.begin(), ids.end());
  return {ids.front()};
}

// One result: its arguments and the components its creating ones and its template need, each
// id mapped (0 when the map has none).
template <class FMap>
TWalkResult MakeWalkResult(const TDefRow& row, std::int32_t id, FMap map) {
  TWalkResult r{id, &row, TemplateArgs(row, 0), {}, pvk::LOC_NODE};
  for (const std::size_t i : GetTemplates().at(row.tmpl).idArgs) r.args[i] = map(r.args[i]);
  IdSet written = Needed(r);
  for (const std::string& comp : row.comps) written.insert(map(std::stoi(comp)));
  written.erase(0);
  r.written = written;
  // Where the template presets a location it is bound there, the others at nodes.
  const auto vr = CVResultFactoryManager::GetInstance().GetVResultFactory(0)->CreateVResult(
      row.id + (id > kPhase ? kPhase : 0));
  if (vr && vr->GetLocType() != 0) r.loc = vr->GetLocType();
  return r;
}

// Every class of the catalogue and its phase-angle twin, then the board results of the nodal
// stress and thermal classes.
std::vector<TWalkResult> WalkResults() {
  std::vector<TWalkResult> walk;
  for (const TDefRow& row : GetDefRows()) {
    if (row.tmpl == "NoClass") continue;
    walk.push_back(MakeWalkResult(row, row.id, [](std::int32_t id) { return id; }));
    if (row.twin)
      walk.push_back(MakeWalkResult(row, row.id + kPhase,
                                    [](std::int32_t id) { return id ? id + kPhase : 0; }));
  }
  for (const TDefRow& row : GetDefRows())
    if (row.tmpl != "NoClass" && BoardCode(row.id)) {
      walk.push_back(MakeWalkResult(row, BoardCode(row.id), BoardCode));
    }
  return walk;
}

CString StepName(std::size_t n) { return CString((L"S" + std::to_wstring(n)).c_str()); }

// The text output's block of the step: both reaction rows for each reaction component.
void WriteReactionBlock(std::ofstream& out, std::size_t n) {
  out << "SUBCASE : C : S" << n << "\n"
      << "       ID      TYPE                   COORDINATE                                    "
         "     REACTION FORCE                                     REACTION MOMENT\n";
  for (const TZARReactionD& r : ReactionRows()) {
    out << r.nID << (r.nGeomType == TZARReactionD::GEOM_SURF ? " SURF" : " POINT");
    for (const double* v : {r.rCoord, r.rForce, r.rMoment})
      out << " " << v[0] << " " << v[1] << " " << v[2];
    out << "\n";
  }
  out << "\n";
}

// One step per result, named by its place in the walk: its id list and stored components, its
// result id and entity case information, or (reactions) a block of the text output.
void WriteSteps(CResultFileBuilder& file, std::ofstream& out,
                const std::vector<TWalkResult>& walk) {
  file.CaseInfo(1, L"C");
  for (std::size_t n = 0; n < walk.size(); ++n) {
    const TWalkResult& r = walk[n];
    file.OutputSet(static_cast<double>(n), StepName(n));
    if (r.loc == pvk::LOC_POINT) {
      WriteReactionBlock(out, n);
      continue;
    }
    const bool bElems = r.loc == pvk::LOC_ELEM;
    file.IDList(bElems ? PZAR_RECORD_TYPE::ELEM_ID_LIST : PZAR_RECORD_TYPE::NODE_ID_LIST,
                bElems ? kElems : kNodes);
    if (r.row->tmpl == "ScalarDirect_UnitEntity_CaseInfo") {
      file.IDList(PZAR_RECORD_TYPE::RES_ID_LIST, {r.id});
      TPZARResultInts ints;
      ints.m_nComponent[1] = kCaseFirst;
      ints.m_nMinID = kCaseSub;
      file.EntityCaseInfo(ints, CaseValues(r.id));
      continue;
    }
    for (const std::int32_t comp : r.written) file.Vector(comp, bElems ? 1 : 0, Written(comp));
  }
}

// A stored component's column as loaded (element blocks: the centre value, then zero node
// values, as no related vectors are written); zeros for one that is not stored.
Column Stored(const TWalkResult& r, std::int32_t comp) {
  const bool bStored = comp != 0 && r.written.contains(comp);
  const std::size_t rows = r.loc == pvk::LOC_ELEM ? kElemRows : 1;
  Column column(kEntities * rows, 0.0);
  for (std::size_t e = 0; e < kEntities && bStored; ++e) column[e * rows] = Written(comp)[e];
  return column;
}

// The value of a reaction component (481 to 488: force total, x, y, z, moment total, x, y, z).
Column Reaction(std::int32_t comp) {
  Column column;
  for (const TZARReactionD& r : ReactionRows()) {
    const double* v = comp < 485 ? r.rForce : r.rMoment;
    const std::int32_t axis = (comp - 481) % 4;
    column.push_back(axis ? v[axis - 1] : std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
  }
  return column;
}

// The columns the template shows: stored components as they are, derived ones computed from
// them (not for case information and in-plane principal values).
std::vector<Column> ExpectedColumns(const TWalkResult& r) {
  const std::string& t = r.row->tmpl;
  const std::vector<std::int32_t>& a = r.args;
  std::vector<std::int32_t> shown = IdArgs(r);
  if (t == "VectorComp_ZAR" || t == "VectorComp") {
    shown = {a[1 + a[0]], 0, 0, 0};
    shown[1 + a[0]] = a[1 + a[0]];
  } else if (t == "VectorComb") {
    shown = {0, a[3], a[4], a[5]};
    shown[1 + 3 - a[1] - a[2]] = 0;
  } else if (t == "CNNT_StrsStrn_ZAR") {
    shown = {a[3 + a[2]]};
  } else if (t == "CNNT_ForcMoment_ZAR") {
    shown = {a[1 + a[0]]};
  } else if (t.starts_with("SPR_")) {
    shown.clear();
    for (const std::int32_t first : IdArgs(r))
      for (std::int32_t k = 0; k < kSPRGroupSize; ++k) shown.push_back(first + k);
  } else if (t == "PrinVector") {
    const std::int32_t d = a[0];
    const std::int32_t order[3] = {d, d == 0 ? 1 : 0, d == 2 ? 1 : 2};
    shown.clear();
    for (const std::int32_t g : order)
      for (std::int32_t k = 0; k < 4; ++k) shown.push_back(a[2 + 4 * g + k]);
    shown[0] = r.written.contains(a[1]) ? a[1] : shown[0];
  }
  std::vector<Column> columns;
  for (const std::int32_t comp : shown)
    columns.push_back(r.loc == pvk::LOC_POINT ? Reaction(comp) : Stored(r, comp));
  if (t == "MaxIntensity")
    for (double& v : columns[0]) v *= 2.0;
  if (t == "VectorComb")
    for (std::size_t i = 0; i < columns[0].size(); ++i)
      columns[0][i] = std::sqrt(columns[1][i] * columns[1][i] + columns[2][i] * columns[2][i] +
                                columns[3][i] * columns[3][i]);
  return columns;
}

std::vector<Column> ColumnsOf(const CPostPartialD& block) {
  std::vector<Column> columns;
  for (std::int32_t i = 0; i < block.GetCompCnt(); ++i)
    columns.emplace_back(block.GetComp(i)->begin(), block.GetComp(i)->end());
  return columns;
}

// The rows of each key: the entity information of the block.
void ExpectRows(const CPostPartialD& block, std::size_t rowsPerKey) {
  zar::MArray<std::int32_t> dsi, dct;
  for (std::size_t k = 0; k < block.GetKey()->size(); ++k) {
    dsi.push_back(static_cast<std::int32_t>(k * rowsPerKey));
    dct.push_back(static_cast<std::int32_t>(rowsPerKey));
  }
  EXPECT_EQ(*block.GetDSI(), dsi);
  EXPECT_EQ(*block.GetDCT(), dct);
}

// Loads the result into the list that every result of the walk re-uses: nothing of an earlier
// result may remain.
void ExpectWrittenValues(const TWalkResult& r, CVResult& vr, IPreDBLinker& db,
                         CPostPartialDList& list) {
  TVResParam param{nullptr, &db};
  ASSERT_EQ(vr.LoadData(&list, &param), 1);
  ASSERT_EQ(list.GetSize(), 1);
  const CPostPartialD& block = *list.GetList().front();
  const std::string& t = r.row->tmpl;
  if (r.loc == pvk::LOC_POINT) {
    EXPECT_EQ(*block.GetKey(), (zar::MArray<std::int32_t>{7, 9}));
    EXPECT_TRUE(block.GetDSI()->empty());
  } else {
    EXPECT_EQ(*block.GetKey(), r.loc == pvk::LOC_ELEM ? kElems : kNodes);
  }
  if (t == "ScalarDirect_UnitEntity_CaseInfo") {
    const std::vector<unsigned> values = CaseValues(r.id);
    EXPECT_EQ(*block.GetCaseInfo(), values);
    EXPECT_EQ(ColumnsOf(block), std::vector<Column>{Column(values.begin(), values.end())});
    ExpectRows(block, kCaseSub);
    return;
  }
  EXPECT_TRUE(block.GetCaseInfo()->empty());
  if (r.loc != pvk::LOC_POINT) ExpectRows(block, r.loc == pvk::LOC_ELEM ? kElemRows : 1);
  if (t != "PrinVector2D") {
    EXPECT_EQ(ColumnsOf(block), ExpectedColumns(r));
    return;
  }
  // In-plane principal values: eight finite columns; the two values add up to XX + YY.
  ASSERT_EQ(block.GetCompCnt(), 8);
  const Column xx = Stored(r, r.args[3]), yy = Stored(r, r.args[4]);
  const std::vector<Column> columns = ColumnsOf(block);
  for (std::size_t i = 0; i < xx.size(); ++i) {
    for (const Column& c : columns) EXPECT_TRUE(std::isfinite(c.at(i)));
    EXPECT_NEAR(columns[0][i] + columns[4][i], xx[i] + yy[i], 1e-9 * (1 + std::fabs(xx[i])));
  }
}

std::map<std::wstring, CPOHVcas*> StepsByName(CQVEPOHSession& session) {
  std::map<std::wstring, CPOHVcas*> steps;
  CPOHPoolBase& pool = *session.GetPOHPool(2);
  for (std::uint64_t itr = pool.GetHeadPosition(); itr;) {
    auto* pStep = static_cast<CPOHVcas*>(pool.GetNext(itr));
    steps[pStep->GetName().str()] = pStep;
  }
  return steps;
}

TEST(VResultRegistry, EveryResultIsMadeBoundAndLoadedFromAWrittenFile) {
  const std::vector<TWalkResult> walk = WalkResults();
  ScratchFolder dir;
  {
    std::ofstream out(dir.Narrow("walk.out"));
    out << "R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y\n";
    CResultFileBuilder file(dir.Wide("walk.tkvp"));
    WriteSteps(file, out, walk);
    ASSERT_TRUE(file.Finish());
  }
  CMemModelDB db;
  for (const std::int32_t id : {1, 2, 3}) db.AddNode(id, id, 0, 0);
  for (const std::int32_t id : kElems) db.AddElement(id, kTriangle, {1, 2, 3});
  CQVEPOHSession session;
  CPZARFileEx file;
  ASSERT_EQ(file.Scan(dir.Wide("walk.tkvp")), 1);
  ASSERT_EQ(file.CreatePOH(&session, &db, 0), 1);
  const std::map<std::wstring, CPOHVcas*> steps = StepsByName(session);

  std::size_t reached = 0;
  CPostPartialDList list;
  for (std::size_t n = 0; n < walk.size(); ++n) {
    const TWalkResult& r = walk[n];
    SCOPED_TRACE(r.id);
    const auto step = steps.find(StepName(n).str());
    CVResult* vr = step == steps.end() ? nullptr : step->second->GetPackage()->Find(r.loc, r.id);
    const auto unreachable = kUnreachable.find(r.id);
    const bool bListed = unreachable != kUnreachable.end();
    EXPECT_EQ(vr == nullptr, bListed)
        << r.row->tmpl << ": " << (bListed ? unreachable->second : "");
    if (!vr) continue;
    ++reached;
    ExpectWrittenValues(r, *vr, db, list);
  }
  // Every class and phase-angle class of the registry, and the eighteen board results.
  EXPECT_EQ(walk.size(), 2375u + 18u);
  EXPECT_EQ(reached, walk.size() - kUnreachable.size());
}

}  // namespace
