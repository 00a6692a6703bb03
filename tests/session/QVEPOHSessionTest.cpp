#include <gtest/gtest.h>

#include "POHTestNodes.h"
#include "base/ProgressBar.h"
#include "session/POHMcas.h"

namespace {

// Records what the session shows on the host's progress display.
class RecordingProgressBar : public zar_interface::IProgressBar {
public:
  void Start() override { calls.push_back(L"start"); }
  void SetRange(int lower, int upper) override {
    calls.push_back(std::to_wstring(lower) + L".." + std::to_wstring(upper));
  }
  void SetPos(int) override {}
  void SetText(const wchar_t* text) override { calls.push_back(text); }
  void End() override { calls.push_back(L"end"); }

  std::vector<std::wstring> calls;
};

class QVEPOHSessionTest : public ::testing::Test {
protected:
  void SetUp() override { zar_interface::IProgressBar::m_pInstance = &progress; }
  void TearDown() override { zar_interface::IProgressBar::m_pInstance = nullptr; }

  // A result file with two sub-cases of three steps each.
  std::uint64_t AddResultFile(const std::wstring& tag, std::uint64_t dbItr) {
    const auto mcas = AddNode(session, 0, tag.c_str(), 0, dbItr);
    for (int s = 0; s < 2; ++s) {
      const auto scas = AddNode(session, 1, L"sub", mcas);
      for (int v = 0; v < 3; ++v)
        AddNode(session, 2, (tag + L"-" + std::to_wstring(s * 3 + v)).c_str(), scas);
    }
    return mcas;
  }
  std::int32_t Size(std::int32_t level) const { return session.GetPOHPool(level)->GetSize(); }

  RecordingProgressBar progress;
  CQVEPOHSession session;
};

TEST_F(QVEPOHSessionTest, RemoveTakesTheWholeResultFileWithProgress) {
  const auto keep = AddResultFile(L"keep", 0);
  session.Remove(AddResultFile(L"gone", 0));
  std::vector<std::wstring> expected{L"start", L"0..6"};
  for (int v = 0; v < 6; ++v) expected.push_back(L"Removing gone-" + std::to_wstring(v));
  expected.push_back(L"end");
  EXPECT_EQ(progress.calls, expected);
  EXPECT_EQ(Size(0) * 100 + Size(1) * 10 + Size(2), 126);
  zar::MArray<std::uint64_t> steps;
  EXPECT_EQ(static_cast<CPOHPoolVcas*>(session.GetPOHPool(2))->GetListByPOHMcas(keep, steps), 6);
  // Iterators that name no result file are ignored.
  progress.calls.clear();
  int local = 0;
  session.Remove(0);
  session.Remove(8);  // unreadable
  session.Remove(reinterpret_cast<std::uint64_t>(&local));
  session.Remove(session.GetPOHPool(1)->GetHeadPosition());  // an entry of another pool
  EXPECT_TRUE(progress.calls.empty());
  EXPECT_EQ(Size(0) + Size(1) + Size(2), 9);
  session.Remove(keep);
  progress.calls.clear();
  session.Remove(keep);  // freed, though still readable
  EXPECT_TRUE(progress.calls.empty());
}

TEST_F(QVEPOHSessionTest, RemoveByDBItrUsesOnlyTheResultFileMap) {
  AddResultFile(L"a", 0xA);
  AddResultFile(L"b", 0xB);
  AddNode(session, 2, L"step", 0, 0xC);
  session.BuildDBItrMap();
  EXPECT_EQ(session.GetPOHPool(2)->GetByDBItr(0xC), 0u);  // the step map is the host's
  session.RemoveByDBItr(0xC);
  session.RemoveByDBItr(0xD);
  EXPECT_EQ(Size(0), 2);
  session.RemoveByDBItr(0xA);
  EXPECT_EQ(session.GetPOHPool(0)->GetByDBItr(0xA), 0u);
  zar_interface::IProgressBar::m_pInstance = nullptr;
  session.RemoveByDBItr(0xB);
  EXPECT_EQ(Size(0) + Size(1) + Size(2), 1);
}

TEST_F(QVEPOHSessionTest, OptimizeSortsEveryPoolByKey) {
  EXPECT_EQ(session.GetPOHPool(3), nullptr);
  for (std::int32_t level = 0; level < 3; ++level)
    for (const std::int32_t key : {30, 10, 20}) session.GetPOHPool(level)->SetAt(key, new CPOHMcas);
  session.Optimize();
  for (std::int32_t level = 0; level < 3; ++level) {
    zar::MArray<std::int32_t> keys;
    session.GetPOHPool(level)->GetKeyList(keys);
    EXPECT_EQ(keys, (zar::MArray<std::int32_t>{10, 20, 30}));
  }
}

}  // namespace
