// A result file cut anywhere opens with what it holds: a solver that was stopped or a copy that
// was cut keeps every record that ended before the cut, and every step that was complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "base/ScratchFolder.h"
#include "datastore/PostPartialDList.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileManager.h"
#include "session/MemModelDB.h"
#include "session/POHPoolBase.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "session/QVEPostFileManager.h"
#include "support/ResultFileBuilder.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using namespace PZAR_RECORD_TYPE;
using EKind = EPZARScanReason;

// Where a record lies: its header's offset and the offset after its body.
struct TSpan {
  std::uint64_t nStart, nEnd;
};

// A step of the written file and the index of its last record.
struct TStep {
  std::wstring strScas, strVcas;
  std::size_t nLastRecord;
};

// Every result of a step as loaded: (result id, location) -> keys and values of every block.
using TStepValues = std::map<std::pair<std::int32_t, std::int32_t>, std::vector<double>>;

class CutFile {
public:
  CutFile(const CString& path, std::int32_t version, std::int32_t width)
      : m_file(path, version, width) {
    m_file.Solver(L"S");
    Mark();
    for (const wchar_t* scas : {L"A", L"B", L"C"}) {
      m_file.CaseInfo(1, scas);
      Mark();
      for (int step = 1; step <= 2; ++step) WriteStep(scas, step);
    }
    m_bOk = m_file.Finish() && m_file.Ok();
  }

  bool Ok() const { return m_bOk; }
  const std::vector<TSpan>& Spans() const { return m_aSpans; }
  const std::vector<TStep>& Steps() const { return m_aSteps; }

private:
  void WriteStep(const wchar_t* scas, int step) {
    const double scale = (scas[0] - L'A') * 10 + step;
    const std::wstring name = L"S" + std::to_wstring(step);
    m_file.OutputSet(scale, name.c_str());
    Mark();
    m_file.IDList(NODE_ID_LIST, {1, 2, 3, 4});
    Mark();
    for (const std::int32_t comp : {102, 103, 104}) {
      m_file.Vector(comp, 0, {scale, -scale, 0.5 * comp, scale * comp});
      Mark();
    }
    m_file.IDList(ELEM_ID_LIST, {10, 11});
    Mark();
    m_file.Vector(312127, 1, {0.25 * scale, -scale});
    Mark();
    m_aSteps.push_back({scas, name, m_aSpans.size() - 1});
  }
  // Notes the record that the last builder call wrote.
  void Mark() {
    const std::uint64_t start = m_aSpans.empty() ? m_nFirst : m_aSpans.back().nEnd;
    m_aSpans.push_back({start, m_file.File()->GetPosition()});
  }

  CResultFileBuilder m_file;
  std::uint64_t m_nFirst = m_file.File()->GetPosition();
  std::vector<TSpan> m_aSpans;
  std::vector<TStep> m_aSteps;
  bool m_bOk = false;
};

// A file opened as a host opens it.
struct OpenedFile {
  explicit OpenedFile(const CString& path) {
    for (const std::int32_t id : {1, 2, 3, 4}) m_db.AddNode(id, id, 0, 0);
    m_db.AddElement(10, 4, {1, 2, 3});
    m_db.AddElement(11, 4, {2, 3, 4});
    m_nMcas = m_manager.AddFile(path, m_db.AddAnalysisItem(0, L"cut"));
  }
  const CPZARFile* File() const {
    return m_nMcas ? dynamic_cast<const CPZARFile*>(m_manager.GetPostFile(m_nMcas)) : nullptr;
  }
  // The type and id of every record kept, in file order.
  std::vector<std::pair<std::int32_t, std::int32_t>> Headers() const {
    std::vector<std::pair<std::int32_t, std::int32_t>> headers;
    for (const auto& p : File()->GetRecordList())
      headers.emplace_back(p->GetHeader().type, p->GetHeader().id);
    return headers;
  }
  const zar::MArray<TPZARScanReason>& Reasons() const {
    return File() ? File()->GetScanReasons() : m_manager.GetPZARFileManager().GetRefusalReasons();
  }
  // Empty when the file has no such step.
  TStepValues Load(const TStep& step) {
    const CPOHPoolBase& steps = *m_session.GetPOHPool(2);
    const std::uint64_t scas = m_session.GetPOHPool(1)->GetByName(step.strScas.c_str(), m_nMcas);
    const std::uint64_t vcas = scas ? steps.GetByName(step.strVcas.c_str(), scas) : 0;
    TStepValues values;
    std::vector<CVResult*> results;
    if (!vcas) return values;
    static_cast<const CPOHVcas*>(steps.GetAt(vcas))->GetPackage()->GetAllResults(results);
    for (CVResult* pResult : results) {
      TVResParam param{nullptr, &m_db};
      CPostPartialDList list;
      std::vector<double>& out =
          values[{pResult->GetCompID(), static_cast<std::int32_t>(pResult->GetLocType())}];
      out.push_back(pResult->LoadData(&list, &param));
      for (const auto& pBlock : list.GetList()) {
        out.insert(out.end(), pBlock->GetKey()->begin(), pBlock->GetKey()->end());
        for (std::int32_t c = 0; c < pBlock->GetCompCnt(); ++c)
          out.insert(out.end(), pBlock->GetComp(c)->begin(), pBlock->GetComp(c)->end());
      }
    }
    return values;
  }

  CQVEPOHSession m_session;
  CMemModelDB m_db;
  CQVEPostFileManager m_manager{&m_session, &m_db};
  std::uint64_t m_nMcas = 0;
};

// The first reason that a file cut at `cut` gives: its kind and the offset it names.
std::pair<EKind, std::uint64_t> ExpectedReason(const std::vector<TSpan>& spans,
                                               std::uint64_t headerEnd, std::uint64_t cut) {
  constexpr std::uint64_t kHeader = 8;
  if (cut < kHeader) return {EKind::NO_FILE_HEADER, 0};
  if (cut < headerEnd) return {EKind::OFFSET_TABLE_CUT, kHeader};
  for (const TSpan& span : spans) {
    if (cut == span.nEnd) return {EKind::NO_END_MARKER, span.nStart};
    if (cut > span.nEnd) continue;
    if (cut < span.nStart + kHeader) return {EKind::HEADER_CUT, span.nStart};
    return {EKind::BODY_DOES_NOT_FIT, span.nStart};
  }
  return {EKind::HEADER_CUT, spans.back().nEnd};  // inside the end marker
}

class PZARFileCut : public ::testing::TestWithParam<std::tuple<std::int32_t, std::int32_t>> {};

TEST_P(PZARFileCut, KeepsTheRecordsBeforeTheCutAndEveryCompleteStep) {
  const auto [version, width] = GetParam();
  ScratchFolder dir;
  const CutFile written(dir.Wide("whole.tkvp"), version, width);
  ASSERT_TRUE(written.Ok());
  const std::vector<TSpan>& spans = written.Spans();
  std::vector<char> bytes(std::filesystem::file_size(dir.Narrow("whole.tkvp")));
  std::ifstream(dir.Narrow("whole.tkvp"), std::ios::binary).read(bytes.data(), bytes.size());

  OpenedFile whole(dir.Wide("whole.tkvp"));
  ASSERT_NE(whole.File(), nullptr);
  const auto headers = whole.Headers();
  ASSERT_EQ(headers.size(), spans.size());
  EXPECT_TRUE(whole.Reasons().empty());
  std::vector<TStepValues> wholeValues;
  for (const TStep& step : written.Steps()) {
    wholeValues.push_back(whole.Load(step));
    ASSERT_GE(wholeValues.back().size(), 4u);
    for (const auto& [result, values] : wholeValues.back()) EXPECT_EQ(values.front(), 1.0);
  }

  // Every boundary, a point in every header and body, the end marker, and random offsets.
  std::set<std::uint64_t> cuts = {0, 5, spans.front().nStart - 1, bytes.size() - 3};
  for (const TSpan& span : spans)
    cuts.insert({span.nStart, span.nStart + 3, (span.nStart + span.nEnd) / 2 + 4, span.nEnd});
  std::mt19937 rng(13);
  for (int i = 0; i < 300; ++i) cuts.insert(rng() % bytes.size());

  for (const std::uint64_t cut : cuts) {
    std::ofstream(dir.Narrow("cut.tkvp"), std::ios::binary).write(bytes.data(), cut);
    OpenedFile opened(dir.Wide("cut.tkvp"));
    std::size_t kept = 0;
    while (kept < spans.size() && spans[kept].nEnd < cut) ++kept;
    ASSERT_EQ(opened.File() != nullptr, kept > 0) << cut;
    if (kept > 0) {
      EXPECT_EQ(opened.Headers(), decltype(headers)(headers.begin(), headers.begin() + kept))
          << cut;
    }
    const auto [kind, offset] = ExpectedReason(spans, spans.front().nStart, cut);
    ASSERT_FALSE(opened.Reasons().empty()) << cut;
    EXPECT_EQ(opened.Reasons()[0].eKind, kind) << cut;
    EXPECT_EQ(opened.Reasons()[0].nOffset, offset) << cut;
    for (std::size_t s = 0; s < written.Steps().size(); ++s) {
      if (spans[written.Steps()[s].nLastRecord].nEnd >= cut) break;
      EXPECT_EQ(opened.Load(written.Steps()[s]), wholeValues[s]) << cut << " step " << s;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(FormatsAndWidths, PZARFileCut,
                         ::testing::Values(std::make_tuple(140, 8), std::make_tuple(130, 4)));

}  // namespace
