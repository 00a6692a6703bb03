// A program outside the source tree that uses the installed library as a host does: it opens a
// result file in a session, loads the values of a result of its first step and makes a legend
// of them. Usage: consumer RESULT_FILE
#include <QVE_pvk.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The hierarchy pools of a session: result files, their sub-cases, their steps.
constexpr std::int32_t kFilePool = 0;
constexpr std::int32_t kSubcasePool = 1;
constexpr std::int32_t kStepPool = 2;
constexpr std::int32_t kLegendRanks = 8;

std::uint64_t FirstChild(const CQVEPOHSession& session, std::int32_t level, std::uint64_t parent) {
  zar::MArray<std::uint64_t> children;
  session.GetPOHPool(level)->GetListByParent(parent, children);
  return children.empty() ? 0 : children.front();
}

// The first column of the first result of the step that has values.
std::vector<double> FirstValues(const CPOHVcas& step, CMemModelDB& db) {
  std::vector<CVResult*> results;
  step.GetPackage()->GetAllResults(results);
  for (CVResult* vr : results) {
    TVResParam param{nullptr, &db};
    CPostPartialDList list;
    if (!vr->LoadData(&list, &param)) continue;
    for (const auto& pBlock : list.GetList())
      if (pBlock->GetCompCnt() > 0 && pBlock->GetDataCount() > 0)
        return {pBlock->GetComp(0)->begin(), pBlock->GetComp(0)->end()};
  }
  return {};
}

bool Run(const char* path) {
  CQVEPOHSession session;
  CMemModelDB db;
  CQVEPostFileManager manager(&session, &db);
  const std::uint64_t mcas = manager.AddFile(CString(path), db.AddAnalysisItem(0, L"consumer"));
  const auto* pFile = dynamic_cast<const CPZARFile*>(manager.GetPostFile(mcas));
  if (!pFile || !pzar_model::FillModelDBFromFile(*pFile, db)) return false;
  const std::uint64_t step =
      FirstChild(session, kStepPool, FirstChild(session, kSubcasePool, mcas));
  if (!step) return false;
  const std::vector<double> values =
      FirstValues(*static_cast<const CPOHVcas*>(session.GetPOHPool(kStepPool)->GetAt(step)), db);
  if (values.empty()) return false;

  const auto [min, max] = std::minmax_element(values.begin(), values.end());
  CLegendValueFuncEqualInterval legend;
  legend.SetData(nullptr, nullptr, *min, *max, kLegendRanks);
  zar::MTArray<double> ranks;
  legend.GetRankVal(ranks);
  return session.GetPOHPool(kFilePool)->GetSize() == 1 &&
         ranks.size() == static_cast<std::size_t>(kLegendRanks) && ranks.front() == *min &&
         ranks.back() == *max;
}

}  // namespace

int main(int argc, char** argv) {
  std::puts(argc == 2 && Run(argv[1]) ? "consumer: ok" : "consumer: wrong result");
  return 0;
}
