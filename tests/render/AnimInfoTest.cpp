#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <tuple>

#include "render/AnimAPI.h"
#include "render/AnimInfo.h"
#include "render/CtrlPointSetMaker.h"
#include "vresult/VResult.h"

namespace {

struct TFrameState {
  int frame, increasing, positive;
  bool operator==(const TFrameState&) const = default;
};

CAnimInfo MakeInfo(int frameNum, TFrameState s, int run = 0, int multiSet = 0, int half = 0) {
  CAnimInfo info;
  info.SetFrameNum(frameNum);
  info.SetCurrentFrame(s.frame);
  info.SetIncresing(s.increasing);
  info.SetPositiveDeform(s.positive);
  info.SetAnimationRun(run);
  info.SetMultiSet(multiSet);
  info.SetHalfCycle(half);
  return info;
}

TFrameState StateOf(const CAnimInfo& i) {
  return {i.GetCurrentFrame(), i.IsIncresing(), i.IsPositiveDeform()};
}

TEST(CAnimInfoTest, DefaultsAndBounds) {
  const CAnimInfo d;
  EXPECT_EQ(std::tuple(d.IsAnimationRun(), d.IsMultiSet(), d.IsHalfCycle(), d.GetLevel(),
                       StateOf(d), d.GetFrameNum(), d.IsForAllSubcase()),
            std::tuple(0, 0, 1, std::uint64_t{3}, TFrameState{0, 1, 1}, 0, 1));
  CVResult a, b;
  CAnimInfo info;
  info.SetVResultList({&a, &b});
  CCtrlPointSetMaker maker;
  maker.SetOrders({2, -1, 0});
  EXPECT_EQ(maker.GetCount(), 3u);
  const struct {
    std::int32_t index;
    CVResult* result;
    std::int32_t order;
  } rows[] = {{INT32_MIN, nullptr, -1}, {-1, nullptr, -1}, {0, &a, 2}, {1, &b, -1},
              {2, nullptr, 0},          {3, nullptr, -1}};
  for (const auto& r : rows) {
    EXPECT_EQ(info.GetVResult(r.index), r.result) << r.index;
    EXPECT_EQ(maker.GetOrder(r.index), r.order) << r.index;
    EXPECT_EQ(maker.IsOrdered(r.index), r.order >= 0) << r.index;
  }
  info.ClearVResultList();
  EXPECT_EQ(info.GetVResult(0), nullptr);
}

// The turns, wraps and flips of a regular walk are checked by the triangle wave below; these
// are the frame counts and frames it never reaches.
TEST(CAnimInfoTest, FrameOperationsAtTheEdges) {
  using Op = std::function<void(CAnimInfo&)>;
  const Op rotate = &CAnimInfo::RotateFrame, increase = &CAnimInfo::IncreaseFrame,
           decrease = &CAnimInfo::DecreaseFrame, reset = &CAnimInfo::ResetFrameInfo;
  const auto up = [](int g) { return Op([g](CAnimInfo& i) { i.SetInitialIncreasingFrame(g); }); };
  const auto down = [](int g) { return Op([g](CAnimInfo& i) { i.SetInitialDecreasingFrame(g); }); };
  const struct {
    const char* what;
    int frameNum;
    TFrameState before;
    Op op;
    TFrameState after;
  } cases[] = {
      {"rotate with one frame stays", 1, {0, 1, 1}, rotate, {0, 1, 1}},
      {"rotate from past the end turns", 5, {INT_MAX, 1, 1}, rotate, {3, 0, 1}},
      {"increase with no frames", 0, {0, 1, 1}, increase, {0, 1, 1}},
      {"increase from the largest frame", 5, {INT_MAX, 1, 1}, increase, {0, 1, 1}},
      {"decrease to 0", 5, {1, 1, 1}, decrease, {0, 1, 1}},
      {"decrease wraps", 5, {0, 1, 1}, decrease, {4, 1, 1}},
      {"decrease with no frames", 0, {0, 1, 1}, decrease, {0, 1, 1}},
      {"decrease from the smallest frame", 5, {INT_MIN, 1, 1}, decrease, {4, 1, 1}},
      {"reset", 5, {3, 0, 0}, reset, {0, 1, 1}},
      {"initial increasing", 5, {0, 0, 0}, up(2), {3, 1, 0}},
      {"initial increasing, largest", 5, {2, 0, 1}, up(INT_MAX), {0, 1, 1}},
      {"initial decreasing", 5, {0, 1, 1}, down(2), {1, 0, 1}},
      {"initial decreasing to 0", 5, {0, 1, 1}, down(1), {0, 0, 1}},
      {"initial decreasing wraps", 5, {3, 1, 0}, down(0), {4, 0, 0}},
      {"initial decreasing, no frames", 0, {0, 1, 1}, down(0), {0, 0, 1}},
      {"initial decreasing, smallest", 5, {0, 1, 1}, down(INT_MIN), {4, 0, 1}},
  };
  for (const auto& c : cases) {
    CAnimInfo info = MakeInfo(c.frameNum, c.before);
    c.op(info);
    EXPECT_EQ(StateOf(info), c.after) << c.what;
  }
}

TEST(CAnimAPITest, DeformRatioOutsideTheSwing) {
  // Stopped, and running with one frame: nothing to divide by.
  const CAnimInfo stopped = MakeInfo(5, {2, 1, 0}), oneFrame = MakeInfo(1, {0, 1, 0}, 1);
  for (const CAnimInfo* info :
       std::initializer_list<const CAnimInfo*>{nullptr, &stopped, &oneFrame})
    EXPECT_EQ(CAnimAPI::GetAnimationDeformRatio(info), 1.0f);
}

// The walk of NextFrame over several cycles against a closed form: a deformation runs
// 1 .. F-1, back down to 0, and then the same on the other side; result sets simply cycle.
TEST(CAnimAPITest, FrameSequenceIsATriangleWave) {
  constexpr int kCycles = 4;
  for (int frameNum = 2; frameNum <= 7; ++frameNum)
    for (const int multiSet : {0, 1})
      for (const int halfCycle : {0, 1}) {
        CAnimInfo info = MakeInfo(frameNum, {3, 0, 0}, 1, multiSet, halfCycle);
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
          ASSERT_EQ(info.IsPositiveDeform() != 0, multiSet || !negative) << n;
          // Single precision: the ratio of frame 1 of 4 is the float nearest 1/3.
          ASSERT_EQ(CAnimAPI::GetAnimationDeformRatio(&info), static_cast<float>(ratio)) << n;
          ASSERT_EQ(CAnimAPI::GetAnimationMainRatio(&info), 1.0f);
        }
      }
}

}  // namespace
