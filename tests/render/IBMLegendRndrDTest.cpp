// The grid legend without grid data: its text lines, the update kinds its loader passes on, and
// its stream record, whole and damaged. The legend of real grid data is tested with the grid
// sample (tests/ibm).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/File.h"
#include "base/ScratchFolder.h"
#include "ibm/IBMPDLItem.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/PostIBMLegendRndrDLoader.h"

namespace {

using pvk::CIBMLegendRndrD;
using pvk::T_LEGEND_OBJ;

constexpr std::uint64_t kHead = 16;

TEST(LegendObj, KeepsAtMost127UnitsAndNoHalfCharacter) {
  const std::wstring emoji = L"\U0001F600";  // two UTF-16 units
  const struct {
    std::wstring text, kept;
  } rows[] = {
      {L"Strs Von Mises", L"Strs Von Mises"},
      {std::wstring(200, L'a'), std::wstring(127, L'a')},
      {std::wstring(125, L'a') + emoji, std::wstring(125, L'a') + emoji},
      {std::wstring(126, L'a') + emoji, std::wstring(126, L'a')},
  };
  for (const auto& row : rows) {
    const T_LEGEND_OBJ obj = pvk::MakeLegendObj(pvk::LEGEND_OBJ_TITLE, row.text);
    EXPECT_EQ(obj.GetText().str(), row.kept) << row.text.size();
    EXPECT_EQ(obj.szText[T_LEGEND_OBJ::N_TEXT - 1], u'\0');
  }
  T_LEGEND_OBJ full;
  std::fill(std::begin(full.szText), std::end(full.szText), u'x');
  EXPECT_EQ(full.GetText().GetLength(), T_LEGEND_OBJ::N_TEXT);
}

// An item without a result: the legend has the function's ranks zeroed (no values to count),
// the title block and a bottom block of the unit line alone.
struct TLegendSetup {
  CIBMPDLItem item;
  CLegendValueFuncEqualInterval func;
  pvk::T_RNDRD_ARG arg{&item, &func, nullptr};
  TLegendSetup() { func.SetData(nullptr, nullptr, 0.0, 4.0, 5); }
};

TEST(IBMLegendRndrD, MakesItsBlocksOnlyWithItemAndFunction) {
  TLegendSetup s;
  CIBMLegendRndrD legend(0);
  pvk::TStreamInfo info;
  EXPECT_EQ(legend.GetInstSize(&info), 4 * kHead);
  for (pvk::T_RNDRD_ARG arg : {pvk::T_RNDRD_ARG{nullptr, &s.func}, pvk::T_RNDRD_ARG{&s.item}})
    EXPECT_EQ(legend.MakeLegendD(&arg, nullptr), 0);
  EXPECT_EQ(legend.MakeLegendD(nullptr, nullptr), 0);
  EXPECT_FALSE(legend.HasData());
  EXPECT_EQ(s.item.GetLegendChangeCount(), 0u);

  ASSERT_EQ(legend.MakeLegendD(&s.arg, nullptr), 1);
  EXPECT_EQ(s.item.GetLegendChangeCount(), 1u);
  EXPECT_EQ(legend.GetValues(), zar::MTArray<double>(5, 0.0));
  EXPECT_EQ(legend.GetPercents(), zar::MTArray<double>(5, 0.0));
  const auto& top = legend.GetTopLegendObjs();
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ((std::vector<int>{top[0].nKind, top[1].nKind, top[2].nKind}),
            (std::vector<int>{1, 2, 0}));
  ASSERT_EQ(legend.GetBtmLegendObjs().size(), 1u);
  EXPECT_EQ(legend.GetBtmLegendObjs()[0].GetText(), L"Unit : ");
  EXPECT_EQ(legend.GetInstSize(&info), 4 * kHead + 260 * 4 + 8 * 10);
  EXPECT_EQ(info.aInstSize, (zar::MArray<std::uint64_t>{64, 64 + 260 * 4 + 80}));
}

TEST(IBMLegendRndrDLoader, PassesOnTheKindsOfItsMaskOnly) {
  const struct {
    std::int32_t kind;
    bool made;     // the legend was made anew
    bool cleared;  // it was emptied
  } rows[] = {{1, false, true}, {2, true, false},   {4, false, false},
              {8, true, false}, {16, false, false}, {3, false, false}};
  for (const auto& row : rows) {
    TLegendSetup s;
    pvk::CPostIBMLegendRndrDLoaderComp comp;
    pvk::CIBMLegendRndrDLoader loader(&comp);
    ASSERT_EQ(comp.GetLegendRndrD()->GetUpdateInfo(), 11);
    loader.Update({&s.arg, nullptr, pvk::RNDRD_UPDATE_CHANGE_RESULT});
    ASSERT_TRUE(comp.HasData());
    loader.Update({&s.arg, nullptr, row.kind});
    EXPECT_EQ(s.item.GetLegendChangeCount(), row.made ? 2u : 1u) << row.kind;
    EXPECT_EQ(comp.HasData(), !row.cleared) << row.kind;
  }
}

// A legend with every block filled, its record, and a second legend that reads records.
class LegendStream : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(legend.MakeLegendD(&s.arg, nullptr), 1);
    size = legend.GetInstSize(nullptr);
    record.assign(size + 1, '\0');  // one spare byte for the read that asks for one too many
    char* p = record.data();
    pvk::TInstSizeIter it(&size, 1);
    ASSERT_EQ(legend.Data2Stream(p, it), 1);
    EXPECT_EQ(p, record.data() + size);
    EXPECT_TRUE(it.empty());
    // What a refused read must keep: a legend of three ranks.
    shorter.func.SetData(nullptr, nullptr, 0.0, 1.0, 3);
    ASSERT_EQ(other.MakeLegendD(&shorter.arg, nullptr), 1);
    ASSERT_EQ(kept.MakeLegendD(&shorter.arg, nullptr), 1);
  }
  // 1 when `other` read the record of the given size; the buffer and iterator must have
  // moved exactly when it did.
  int Read(const std::vector<char>& bytes, std::uint64_t n) {
    const char* p = bytes.data();
    pvk::TInstSizeIter it(&n, 1);
    const int ok = other.Stream2Data(p, it);
    EXPECT_EQ(p, bytes.data() + (ok ? n : 0));
    EXPECT_EQ(it.size(), ok ? 0u : 1u);
    return ok;
  }
  static bool Same(const CIBMLegendRndrD& a, const CIBMLegendRndrD& b) {
    const auto bytes = [](const zar::MTArray<T_LEGEND_OBJ>& x) {
      return std::string(reinterpret_cast<const char*>(x.data()), x.size() * sizeof(T_LEGEND_OBJ));
    };
    return bytes(a.GetTopLegendObjs()) == bytes(b.GetTopLegendObjs()) &&
           bytes(a.GetBtmLegendObjs()) == bytes(b.GetBtmLegendObjs()) &&
           a.GetValues() == b.GetValues() && a.GetPercents() == b.GetPercents();
  }

  TLegendSetup s, shorter;
  CIBMLegendRndrD legend{0}, other{0}, kept{0};
  std::uint64_t size = 0;
  std::vector<char> record;
};

TEST_F(LegendStream, ReadsBackWhatItWroteAndRefusesDamage) {
  EXPECT_EQ(Read(record, size - 1), 0);  // a record cut short
  EXPECT_EQ(Read(record, size + 1), 0);  // or with a byte too many
  EXPECT_TRUE(Same(other, kept));

  // Each field of a block head altered; offsets of the four heads.
  const std::uint64_t heads[] = {0, kHead + 3 * 260, 2 * kHead + 4 * 260,
                                 3 * kHead + 4 * 260 + 5 * 8};
  const std::uint64_t altered[] = {0, 1, 5, ~0ull, 1ull << 61};
  for (const std::uint64_t head : heads)
    for (const std::uint64_t field : {0ull, 8ull})
      for (const std::uint64_t value : altered) {
        std::vector<char> bad = record;
        std::uint64_t old = 0;
        std::memcpy(&old, bad.data() + head + field, 8);
        if (old == value) continue;
        std::memcpy(bad.data() + head + field, &value, 8);
        EXPECT_EQ(Read(bad, size), 0) << head << " " << field << " " << value;
        EXPECT_TRUE(Same(other, kept));
      }
  ASSERT_EQ(Read(record, size), 1);
  EXPECT_TRUE(Same(legend, other));
}

TEST_F(LegendStream, FileRoundTripAndShortFile) {
  ScratchFolder dir;
  CFile file(dir.Wide("frame.mani"), CFile::modeCreate | CFile::modeReadWrite);
  pvk::TInstSizeIter it(&size, 1);
  ASSERT_EQ(legend.Data2Stream(&file, it), 1);
  EXPECT_EQ(file.GetLength(), size);
  EXPECT_TRUE(it.empty());

  CIBMLegendRndrD fresh(0);
  file.SeekToBegin();
  std::uint64_t longer = size + 8;
  pvk::TInstSizeIter tooLong(&longer, 1);
  EXPECT_EQ(fresh.Stream2Data(&file, tooLong), 0);
  EXPECT_EQ(file.GetPosition(), 0u);
  EXPECT_FALSE(fresh.HasData());
  it = pvk::TInstSizeIter(&size, 1);
  ASSERT_EQ(fresh.Stream2Data(&file, it), 1);
  EXPECT_EQ(file.GetPosition(), size);
  EXPECT_TRUE(Same(legend, fresh));
}

}  // namespace
