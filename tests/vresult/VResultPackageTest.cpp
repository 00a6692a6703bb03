#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

using pvk::LOC_TYPE;
using Ids = std::vector<std::int32_t>;

// A result of a chosen id that counts how many of its kind are alive.
class CTestVResult : public CVResult {
public:
  CTestVResult(std::int32_t id, std::int32_t locType) : m_nID(id) {
    SetLocType(static_cast<LOC_TYPE>(locType));
    ++s_nLive;
  }
  ~CTestVResult() override { --s_nLive; }
  std::int32_t GetType() const override { return m_nID; }

  inline static int s_nLive = 0;

private:
  std::int32_t m_nID;
};

std::unique_ptr<CVResult> Make(std::int32_t id, std::int32_t locType) {
  return std::make_unique<CTestVResult>(id, locType);
}

// Inserts (id, location type) rows; the results in row order.
std::vector<CVResult*> InsertAll(CVResultPackage& package,
                                 const std::vector<std::pair<std::int32_t, std::int32_t>>& rows) {
  std::vector<CVResult*> aResults;
  for (const auto& [id, locType] : rows) {
    auto p = Make(id, locType);
    aResults.push_back(p.get());
    EXPECT_EQ(package.Insert(p), 1) << id;
  }
  return aResults;
}

// The ids of the results after the first (caller's) entry.
Ids IdsAfterFirst(const std::vector<CVResult*>& out) {
  Ids a;
  for (std::size_t i = 1; i < out.size(); ++i) a.push_back(out[i]->GetType());
  return a;
}

TEST(VResultModuleTest, SlotsOwnTheirResultsAndIsEmptyIsInverted) {
  const int nLive = CTestVResult::s_nLive;
  {
    CVResultModule module(7201);
    EXPECT_EQ(module.IsEmpty(), 0);
    auto pFirst = Make(7201, pvk::LOC_ELEM);
    std::unique_ptr<CVResult> pAgain(pFirst.get());  // the very result the module will hold
    EXPECT_EQ(module.Insert(pFirst), 1);
    EXPECT_EQ(module.IsEmpty(), 1);
    EXPECT_EQ(module.Insert(pAgain), 1);
    EXPECT_EQ(pAgain, nullptr);

    EXPECT_EQ(module.Erase(pvk::LOC_NODE), 0);
    EXPECT_EQ(module.Erase(static_cast<LOC_TYPE>(9)), 0);
    EXPECT_EQ(module.Erase(pvk::LOC_ELEM), 1);
    EXPECT_EQ(CTestVResult::s_nLive, nLive);
    EXPECT_EQ(module.IsEmpty(), 0);

    for (std::int32_t locType = 0; locType < CVResultModule::kSlotCount; ++locType) {
      auto p = Make(7201, locType);
      EXPECT_EQ(module.Insert(p), 1) << locType;
    }
    module.Clear();
    EXPECT_EQ(CTestVResult::s_nLive, nLive);
    auto pLast = Make(7201, pvk::LOC_FACET);
    module.Insert(pLast);
  }
  EXPECT_EQ(CTestVResult::s_nLive, nLive);
}

TEST(VResultPackageTest, FilesByTypeAndLocationAndOwnsResults) {
  const int nLive = CTestVResult::s_nLive;
  {
    CVResultPackage package;
    EXPECT_EQ(package.IsEmpty(), 1);
    const std::vector<std::pair<std::int32_t, std::int32_t>> kRows = {
        {102, 6}, {102, 2}, {7201, 6}, {50000123, 6}, {1000000102, 1}, {102, 1}, {102, 7}};
    const std::vector<CVResult*> aKept = InsertAll(package, kRows);
    EXPECT_EQ(package.IsEmpty(), 0);
    EXPECT_EQ(package.GetCount(), 4);
    for (std::size_t i = 0; i < kRows.size(); ++i)
      EXPECT_EQ(package.Find(kRows[i].second, kRows[i].first), aKept[i]) << kRows[i].first;
    for (const std::int32_t locType : {-1, 8}) EXPECT_EQ(package.Exist(locType, 102), 0);
    EXPECT_EQ(package.Find(6, 103), nullptr);
    EXPECT_EQ(package.ExistVolume(102), 1);
    EXPECT_EQ(package.ExistFacet(1000000102), 1);
    EXPECT_EQ(package.ExistVolume(1000000102), 0);
    EXPECT_EQ(package.FindModule(7201)->GetID(), 7201);
    // The slots of a type in location order, after what the list held.
    CTestVResult earlier(1, 0);
    std::vector<CVResult*> out{&earlier};
    const std::vector<CVResult*> kExpected = {&earlier, aKept[5], aKept[1], aKept[0], aKept[6]};
    EXPECT_EQ(package.GetDataList(102, out), 5);
    EXPECT_EQ(out, kExpected);
    EXPECT_EQ(package.GetDataList(103, out), 0);
    EXPECT_EQ(out, kExpected);

    // Rejected results stay with the caller; the first one stays in place.
    for (const auto& [id, locType] : {std::pair{102, 6}, {555, 9}, {555, -1}}) {
      auto p = Make(id, locType);
      EXPECT_EQ(package.Insert(p), 0) << id;
      EXPECT_NE(p, nullptr) << id;
    }
    EXPECT_EQ(package.Find(6, 102), aKept[0]);
    EXPECT_EQ(package.ExistModule(555), 0);  // no empty module left behind
    std::unique_ptr<CVResult> pNone;
    EXPECT_EQ(package.Insert(pNone), 0);

    EXPECT_EQ(package.Erase(102), 1);
    EXPECT_EQ(package.Erase(102), 0);
    EXPECT_EQ(package.ExistModule(102), 0);
    EXPECT_EQ(CTestVResult::s_nLive, nLive + 4);  // the rest and `earlier`
  }
  EXPECT_EQ(CTestVResult::s_nLive, nLive);
}

TEST(VResultPackageTest, BoardAndPhaseAngleLookups) {
  CVResultPackage plain, mixed;
  InsertAll(plain, {{102, 6}, {49999999, 6}, {60000000, 6}, {1000000000, 6}});
  InsertAll(mixed, {{50000123, 6},
                    {50000101, 6},
                    {50000200, 2},
                    {102, 6},
                    {1000000102, 6},
                    {1000000101, 6},
                    {1000000103, 2}});
  std::vector<CVResult*> out(1, nullptr);  // earlier contents are kept
  EXPECT_EQ(plain.ExistPCB() + plain.ExistComplex(), 0);
  EXPECT_EQ(plain.FindPCB(out), 1);
  EXPECT_EQ(plain.FindComplex(out), 1);
  EXPECT_EQ(mixed.ExistPCB(), 1);
  EXPECT_EQ(mixed.FindPCB(out), 3);
  EXPECT_EQ(IdsAfterFirst(out), (Ids{50000101, 50000123}));
  out.resize(1);
  EXPECT_EQ(mixed.ExistComplex(), 1);
  EXPECT_EQ(mixed.FindComplex(out), 3);
  EXPECT_EQ(IdsAfterFirst(out), (Ids{1000000101, 1000000102}));
}

}  // namespace
