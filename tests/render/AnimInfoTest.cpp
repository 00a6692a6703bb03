#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <tuple>
#include <vector>

#include "render/AnimAPI.h"
#include "render/AnimInfo.h"
#include "render/CtrlPointSetMaker.h"
#include "vresult/VResult.h"

namespace {

struct TFrameState {
  int frame;
  int increasing;
  int positive;
  bool operator==(const TFrameState&) const = default;
};

CAnimInfo MakeInfo(int frameNum, TFrameState s) {
  CAnimInfo info;
  info.SetFrameNum(frameNum);
  info.SetCurrentFrame(s.frame);
  info.SetIncresing(s.increasing);
  info.SetPositiveDeform(s.positive);
  return info;
}

TFrameState StateOf(const CAnimInfo& info) {
  return {info.GetCurrentFrame(), info.IsIncresing(), info.IsPositiveDeform()};
}

auto Fields(const CAnimInfo& i) {
  return std::tuple(i.IsAnimationRun(), i.IsMultiSet(), i.IsHalfCycle(), i.GetLevel(), StateOf(i),
                    i.GetFrameNum(), i.IsForAllSubcase(), i.GetDataRangeMain(),
                    i.GetDataRangeDeform(), i.GetVResultList());
}

TEST(CAnimInfoTest, DefaultsAndCopies) {
  EXPECT_EQ(Fields(CAnimInfo()),
            std::tuple(0, 0, 1, std::uint64_t{3}, TFrameState{0, 1, 1}, 0, 1, pvk::TDataRange{},
                       pvk::TDataRange{}, zar::MArray<CVResult*>{}));
  CVResult a, b;
  CAnimInfo info = MakeInfo(9, {4, 0, 0});
  info.SetAnimationRun(1);
  info.SetMultiSet(1);
  info.SetHalfCycle(0);
  info.SetLevel(UINT64_MAX);
  info.SetForAllSubcase(0);
  info.SetDataRangeMain({1, 2, -3.5, 7.25});
  info.SetDataRangeDeform({0, 5, 0.0, 1.0});
  info.SetVResultList({&a, &b});
  CAnimInfo assigned;
  assigned = info;
  EXPECT_EQ(Fields(assigned), Fields(info));
  EXPECT_EQ(Fields(CAnimInfo(info)), Fields(info));
}

TEST(CAnimInfoTest, VResultListBounds) {
  CVResult a, b;
  CAnimInfo info;
  info.SetVResultList({&a, &b});
  const struct {
    std::int32_t index;
    CVResult* expected;
  } cases[] = {{-1, nullptr}, {0, &a}, {1, &b}, {2, nullptr}, {INT32_MIN, nullptr}};
  for (const auto& c : cases) EXPECT_EQ(info.GetVResult(c.index), c.expected) << c.index;
  const std::size_t capacity = info.GetVResultList().capacity();
  info.ClearVResultList();
  EXPECT_TRUE(info.GetVResultList().empty());
  EXPECT_EQ(info.GetVResultList().capacity(), capacity);
  EXPECT_EQ(info.GetVResult(0), nullptr);
}

TEST(CAnimInfoTest, FrameOperations) {
  using Op = std::function<void(CAnimInfo&)>;
  const Op rotate = &CAnimInfo::RotateFrame, increase = &CAnimInfo::IncreaseFrame,
           decrease = &CAnimInfo::DecreaseFrame, init = &CAnimInfo::InitFrameInfo,
           reset = &CAnimInfo::ResetFrameInfo;
  const auto initialUp = [](int g) {
    return Op([g](CAnimInfo& i) { i.SetInitialIncreasingFrame(g); });
  };
  const auto initialDown = [](int g) {
    return Op([g](CAnimInfo& i) { i.SetInitialDecreasingFrame(g); });
  };
  const struct {
    const char* what;
    int frameNum;
    TFrameState before;
    Op op;
    TFrameState after;
  } cases[] = {
      {"rotate turns at the top", 5, {4, 1, 1}, rotate, {3, 0, 1}},
      {"rotate turns at 0 and flips", 5, {0, 0, 1}, rotate, {1, 1, 0}},
      {"rotate with one frame stays", 1, {0, 1, 1}, rotate, {0, 1, 1}},
      {"rotate from past the end turns", 5, {INT_MAX, 1, 1}, rotate, {3, 0, 1}},
      {"increase wraps", 5, {4, 0, 0}, increase, {0, 0, 0}},
      {"increase with no frames", 0, {0, 1, 1}, increase, {0, 1, 1}},
      {"increase from the largest frame", 5, {INT_MAX, 1, 1}, increase, {0, 1, 1}},
      {"decrease wraps", 5, {0, 1, 1}, decrease, {4, 1, 1}},
      {"decrease with no frames", 0, {0, 1, 1}, decrease, {0, 1, 1}},
      {"decrease from the smallest frame", 5, {INT_MIN, 1, 1}, decrease, {4, 1, 1}},
      {"init", 5, {3, 0, 0}, init, {0, 1, 1}},
      {"reset", 5, {3, 0, 0}, reset, {0, 1, 1}},
      {"initial increasing", 5, {0, 0, 0}, initialUp(2), {3, 1, 0}},
      {"initial increasing, largest", 5, {2, 0, 1}, initialUp(INT_MAX), {0, 1, 1}},
      {"initial decreasing", 5, {0, 1, 1}, initialDown(2), {1, 0, 1}},
      {"initial decreasing wraps", 5, {3, 1, 0}, initialDown(0), {4, 0, 0}},
      {"initial decreasing, no frames", 0, {0, 1, 1}, initialDown(0), {0, 0, 1}},
      {"initial decreasing, smallest", 5, {0, 1, 1}, initialDown(INT_MIN), {4, 0, 1}},
  };
  for (const auto& c : cases) {
    CAnimInfo info = MakeInfo(c.frameNum, c.before);
    c.op(info);
    EXPECT_EQ(StateOf(info), c.after) << c.what;
  }
}

TEST(CAnimAPITest, DeformRatio) {
  const struct {
    const char* what;
    int run, multiSet, halfCycle, frameNum;
    TFrameState state;
    float expected;
  } cases[] = {
      {"stopped", 0, 0, 0, 5, {2, 1, 0}, 1.0f},
      {"multi-set", 1, 1, 0, 5, {2, 1, 0}, 1.0f},
      {"negative side, full cycle", 1, 0, 0, 5, {1, 1, 0}, -0.25f},
      {"negative side, half cycle", 1, 0, 1, 5, {1, 1, 0}, 0.25f},
      {"single precision", 1, 0, 0, 4, {1, 1, 1}, 1.0f / 3.0f},
      {"one frame, nothing to divide by", 1, 0, 0, 1, {0, 1, 1}, 1.0f},
  };
  for (const auto& c : cases) {
    CAnimInfo info = MakeInfo(c.frameNum, c.state);
    info.SetAnimationRun(c.run);
    info.SetMultiSet(c.multiSet);
    info.SetHalfCycle(c.halfCycle);
    EXPECT_EQ(CAnimAPI::GetAnimationDeformRatio(&info), c.expected) << c.what;
    EXPECT_EQ(CAnimAPI::GetAnimationMainRatio(&info), 1.0f) << c.what;
  }
  EXPECT_EQ(CAnimAPI::GetAnimationDeformRatio(nullptr), 1.0f);
  const pvk::TDataRange range{3, 8, -1.5, 2.5};
  CAnimInfo info = MakeInfo(5, {2, 0, 0});
  info.SetAnimationRun(1);
  EXPECT_EQ(CAnimAPI::GetAnimationDataRangeMain(&info, range), range);
  EXPECT_EQ(CAnimAPI::GetAnimationDataRangeDeform(&info, range), range);
}

// The walk of NextFrame over several cycles against a closed form: a deformation runs
// 1 .. F-1, back down to 0, and then the same on the other side; result sets simply cycle.
TEST(CAnimAPITest, FrameSequenceIsATriangleWave) {
  constexpr int kCycles = 4;
  for (int frameNum = 2; frameNum <= 7; ++frameNum) {
    for (const int multiSet : {0, 1}) {
      for (const int halfCycle : {0, 1}) {
        CAnimInfo info;
        info.SetFrameNum(frameNum);
        info.SetMultiSet(multiSet);
        info.SetHalfCycle(halfCycle);
        info.SetAnimationRun(1);
        info.InitFrameInfo();
        const int period = multiSet ? frameNum : 2 * (frameNum - 1);
        for (int n = 0; n < kCycles * period; ++n) {
          info.NextFrame();
          const int k = n % period;
          const int frame = multiSet           ? (n + 1) % frameNum
                            : k < frameNum - 1 ? k + 1
                                               : period - 1 - k;
          const bool negative = !multiSet && (n / period) % 2 == 1;
          const double magnitude = multiSet ? 1.0 : double(frame) / (frameNum - 1);
          const double ratio = negative && !halfCycle ? -magnitude : magnitude;
          ASSERT_EQ(info.GetCurrentFrame(), frame) << frameNum << " step " << n;
          ASSERT_EQ(info.IsPositiveDeform() != 0, multiSet || !negative)
              << frameNum << " step " << n;
          ASSERT_NEAR(CAnimAPI::GetAnimationDeformRatio(&info), ratio, 1e-6)
              << frameNum << " step " << n;
        }
      }
    }
  }
}

TEST(CCtrlPointSetMakerTest, OrdersAndBounds) {
  CCtrlPointSetMaker maker;
  EXPECT_EQ(maker.GetCount(), 0u);
  maker.SetOrders({2, -1, 0});
  EXPECT_EQ(maker.GetCount(), 3u);
  EXPECT_EQ(maker.GetOrders(), (zar::MArray<std::int32_t>{2, -1, 0}));
  const struct {
    int index;
    std::int32_t order;
    bool ordered;
  } cases[] = {{-1, -1, false}, {0, 2, true}, {1, -1, false}, {2, 0, true}, {3, -1, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(maker.GetOrder(c.index), c.order) << c.index;
    EXPECT_EQ(maker.IsOrdered(c.index), c.ordered) << c.index;
  }
}

}  // namespace
