#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "resultfile/records/PZARRecordReaction.h"
#include "support/ReactionRows.h"

namespace {

using CReaction = CPZARRecordReaction_None;

std::unique_ptr<CReaction> Record(std::int32_t component) {
  auto pRecord = std::make_unique<CReaction>();
  pRecord->SetHeader({0, component});
  pRecord->SetReaction(ReactionRows());
  return pRecord;
}

// An id outside the reaction components (480, 489) holds no rows.
TEST(ReactionRecord, EachComponentDeliversItsValueForEveryRow) {
  const std::pair<std::int32_t, std::vector<double>> cases[] = {
      {481, {13, 10}}, {482, {3, 0}}, {483, {4, -6}}, {484, {12, 8}}, {485, {3, 2}},
      {486, {1, -2}},  {487, {2, 0}}, {488, {2, 0}},  {480, {}},      {489, {}}};
  for (const auto& [component, expected] : cases) {
    auto pRecord = Record(component);
    EXPECT_EQ(pRecord->GetDataCount(), static_cast<std::int32_t>(expected.size())) << component;
    EXPECT_EQ(pRecord->SetReaction(ReactionRows()), expected.empty() ? 0 : 1) << component;
    if (expected.empty()) continue;
    // Every loading form gives the same values; the keys are the rows' entity ids.
    zar::MArray<double> all{99.0}, byItrs, withIds;
    zar::MArray<std::uint64_t> itrs{5, 6, 7};
    zar::MArray<std::int32_t> ids{1};
    EXPECT_EQ(pRecord->LoadData(all, nullptr, nullptr), 1);
    EXPECT_EQ(pRecord->LoadData(byItrs, zar::MArray<std::uint64_t>{4}, nullptr), 1);
    EXPECT_EQ(pRecord->LoadData(withIds, itrs, nullptr, &ids), 1);
    EXPECT_EQ(all, expected) << component;
    EXPECT_EQ(byItrs, expected) << component;
    EXPECT_EQ(withIds, expected) << component;
    EXPECT_TRUE(itrs.empty());
    EXPECT_EQ(ids, (zar::MArray<std::int32_t>{7, 9}));
  }
}

TEST(ReactionRecord, FaceGivesTheRowsIdsAndCoordinates) {
  auto pRecord = Record(CReaction::FORCE_Y);
  zar::MArray<std::int32_t> ids{3};
  zar::MArray<zar::MVector<double, 3>> points(4);
  EXPECT_EQ(pRecord->LoadFace(ids, points), 1);
  EXPECT_EQ(ids, (zar::MArray<std::int32_t>{7, 9}));
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0], (zar::MVector<double, 3>{{1, 2, 3}}));
  EXPECT_EQ(points[1], (zar::MVector<double, 3>{{-1, 0, 5}}));
  EXPECT_EQ(pRecord->SetReaction({}), 1);  // replaces the earlier rows
  EXPECT_EQ(pRecord->GetDataCount(), 0);
}

}  // namespace
