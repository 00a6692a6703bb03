// How the import grows with the shape of a file: steps, sub-cases, steps with reactions in the
// solver's text output, and element id lists of one category in one step, each at 250, 1,000
// and 4,000. Every case of the import is small (two nodes, one component), so the time is the
// import's bookkeeping; a linear import costs about the same per item at every size, and at
// most 5× the time for 4× the items. Each iteration scans the file (with its text output) and
// imports it into a fresh session; freeing them afterwards is not timed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "BenchResultFile.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordVector.h"
#include "session/POHTypes.h"
#include "session/QVEPOHSession.h"

namespace {

enum EShape { STEPS, SUB_CASES, REACTIONS, ELEM_LISTS };

constexpr std::int32_t kStepsPerCase = 10;  // of the reaction files
constexpr std::int32_t kNodeComp = 102;     // T1 translation
constexpr std::int32_t kElemComp = 311101;  // solid strain XX: its principal results need more

CString Numbered(const wchar_t* prefix, std::int32_t n) {
  return CString(prefix) + CString(std::to_wstring(n).c_str());
}

class CWriter {
public:
  explicit CWriter(CPZARFileWriter_140& writer) : m_writer(writer) {}

  bool Case(const CString& title) {
    CRecordCaseInfoD info(m_writer.GetFile());
    info.m_nAnalType = 1;
    info.m_strTitle = title;
    return Add(PZAR_RECORD_TYPE::CASE_INFO, 0, info);
  }
  bool Step(const CString& title) {
    const double value = 1.0;
    CRecordOutputSetD set(m_writer.GetFile());
    set.m_nRealWidth = 8;
    set.m_pSetValue = &value;
    set.m_strTitle = title;
    return Add(PZAR_RECORD_TYPE::OUTPUT_SET, 0, set);
  }
  // One component over the list {first, first + 1}.
  bool Values(std::int32_t listType, std::int32_t first, std::int32_t comp) {
    const std::int32_t ids[2] = {first, first + 1};
    CRecordIDListD list(m_writer.GetFile(), ids, 2);
    const double values[2] = {1.0, 2.0};
    CRecordVectorD vector(m_writer.GetFile());
    vector.m_ints.m_nDataType = listType == PZAR_RECORD_TYPE::NODE_ID_LIST ? 0 : 1;
    vector.m_nRealWidth = 8;
    vector.m_pMinVal = &values[0];
    vector.m_pMaxVal = &values[1];
    vector.m_pValues = values;
    vector.m_nCount = 2;
    return Add(listType, 2, list) && Add(PZAR_RECORD_TYPE::VECTOR, comp, vector);
  }

private:
  bool Add(std::int32_t type, std::int32_t id, IRecordD& data) {
    auto record = CPZARRecordFactory::GetInstance().Create(type, PZAR_RECORD_VER::VER_140);
    return record && m_writer.WriteRecordHeader(type, id) && record->Write(&data);
  }

  CPZARFileWriter_140& m_writer;
};

bool Fill(CPZARFileWriter_140& file, EShape shape, std::int32_t n) {
  CWriter w(file);
  switch (shape) {
    case STEPS:
      if (!w.Case(L"CASE")) return false;
      for (std::int32_t s = 0; s < n; ++s)
        if (!w.Step(Numbered(L"STEP ", s)) ||
            !w.Values(PZAR_RECORD_TYPE::NODE_ID_LIST, 1, kNodeComp))
          return false;
      return true;
    case SUB_CASES:
      for (std::int32_t c = 0; c < n; ++c)
        if (!w.Case(Numbered(L"CASE ", c)) || !w.Step(L"STEP") ||
            !w.Values(PZAR_RECORD_TYPE::NODE_ID_LIST, 1, kNodeComp))
          return false;
      return true;
    case REACTIONS:
      for (std::int32_t s = 0; s < n; ++s)
        if ((s % kStepsPerCase == 0 && !w.Case(Numbered(L"CASE ", s / kStepsPerCase))) ||
            !w.Step(Numbered(L"STEP ", s)) ||
            !w.Values(PZAR_RECORD_TYPE::NODE_ID_LIST, 1, kNodeComp))
          return false;
      return true;
    case ELEM_LISTS:
      // Each list names other elements, so none shares the data set of an earlier one.
      if (!w.Case(L"CASE") || !w.Step(L"STEP")) return false;
      for (std::int32_t l = 0; l < n; ++l)
        if (!w.Values(PZAR_RECORD_TYPE::ELEM_ID_LIST, 2 * l + 1, kElemComp)) return false;
      return true;
  }
  return false;
}

// The reaction tables of the text output: one table of one row per step, in lower case where
// the result file writes upper case, as the import compares the names without case.
void WriteReactions(const std::string& path, std::int32_t steps) {
  std::ofstream out(path);
  out << "R E S U L T A N T   R E A C T I O N   F O R C E   O N   G E O M E T R Y\n\n";
  for (std::int32_t s = 0; s < steps; ++s) {
    out << "SUBCASE : case " << s / kStepsPerCase << " : step " << s << "\n"
        << "       ID      TYPE                   COORDINATE                                    "
           "     REACTION FORCE                                     REACTION MOMENT\n"
        << " 5 POINT 0 0 0 1 2 3 0 0 0\n\n";
  }
}

// A result file and, for the reaction shape, its text output; both removed at exit.
struct TShapeFile {
  TShapeFile(EShape shape, std::int32_t n)
      : file("growth-" + std::to_string(shape) + "-" + std::to_string(n),
             [shape, n](CPZARFileWriter_140& writer) { return Fill(writer, shape, n); }) {
    if (shape != REACTIONS) return;
    outPath = std::filesystem::path(file.Path()).replace_extension(".out").string();
    WriteReactions(outPath, n);
  }
  ~TShapeFile() {
    if (!outPath.empty()) std::filesystem::remove(outPath);
  }
  TShapeFile(const TShapeFile&) = delete;
  TShapeFile& operator=(const TShapeFile&) = delete;

  BenchResultFile file;
  std::string outPath;
};

const BenchResultFile& FileOf(EShape shape, std::int32_t n) {
  static std::map<std::tuple<EShape, std::int32_t>, std::unique_ptr<TShapeFile>> files;
  auto& pFile = files[{shape, n}];
  if (!pFile) pFile = std::make_unique<TShapeFile>(shape, n);
  return pFile->file;
}

void Import(benchmark::State& state, EShape shape) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const BenchResultFile& file = FileOf(shape, n);
  std::int64_t steps = 0;
  for (auto _ : state) {
    auto pFile = std::make_unique<CPZARFileEx>();
    auto pSession = std::make_unique<CQVEPOHSession>();
    if (!pFile->Scan(file.Wide()) || !pFile->CreatePOH(pSession.get(), nullptr, 0))
      state.SkipWithError("import failed");
    steps = pSession->GetPOHPool(pvk::POH_LEVEL_VCAS)->GetSize();
    // Freeing the session and the file is not the import.
    state.PauseTiming();
    pSession.reset();
    pFile.reset();
    state.ResumeTiming();
  }
  state.counters["steps"] = static_cast<double>(steps);
  // Time per step, sub-case, reaction step or list: constant when the import is linear.
  state.counters["per_item"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

void BM_ImportSteps(benchmark::State& state) { Import(state, STEPS); }
void BM_ImportSubCases(benchmark::State& state) { Import(state, SUB_CASES); }
void BM_ImportReactionSteps(benchmark::State& state) { Import(state, REACTIONS); }
void BM_ImportElemLists(benchmark::State& state) { Import(state, ELEM_LISTS); }

// Three sizes, each four times the one before.
void Sizes(benchmark::internal::Benchmark* pBench) {
  for (const std::int64_t n : {250, 1000, 4000}) pBench->Arg(n);
  pBench->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ImportSteps)->Apply(Sizes);
BENCHMARK(BM_ImportSubCases)->Apply(Sizes);
BENCHMARK(BM_ImportReactionSteps)->Apply(Sizes);
BENCHMARK(BM_ImportElemLists)->Apply(Sizes);

}  // namespace
