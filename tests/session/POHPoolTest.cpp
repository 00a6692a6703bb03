#include <gtest/gtest.h>

#include "POHTestNodes.h"
#include "session/POHMcas.h"
#include "session/POHScas.h"
#include "session/POHVcas.h"

namespace {

using Itrs = zar::MArray<std::uint64_t>;

class POHPoolTest : public ::testing::Test {
protected:
  std::uint64_t Add(std::int32_t level, const wchar_t* name, std::uint64_t parent,
                    std::uint64_t dbItr = 0) {
    return AddNode(session, level, name, parent, dbItr);
  }

  CQVEPOHSession session;
  CPOHPoolBase& mcasPool = *session.GetPOHPool(0);
  CPOHPoolBase& scasPool = *session.GetPOHPool(1);
};

TEST_F(POHPoolTest, ListsAndNamesRespectParentAndCase) {
  Itrs out{99};
  EXPECT_EQ(scasPool.GetListByParent(1, out), 0);
  EXPECT_EQ(out, Itrs{99});  // empty pool leaves it alone
  EXPECT_EQ(CPOHPoolBase(nullptr, RUNTIME_CLASS(CPostObject)).Add(), 0u);  // not a node class
  EXPECT_EQ(CPOHPoolBase(nullptr, nullptr).Add(), 0u);

  const auto m1 = Add(0, L"m1", 0), m2 = Add(0, L"m2", 0);
  const auto s1 = Add(1, L"Load", m1), s2 = Add(1, L"Load", m2);
  const auto s3 = Add(1, L"load", m1), s4 = Add(1, L"Wind", m1);
  EXPECT_EQ(scasPool.GetListByParent(m1, out), 3);
  EXPECT_EQ(out, (Itrs{s1, s3, s4}));
  EXPECT_EQ(scasPool.GetByName(L"Load", m2), s2);
  EXPECT_EQ(scasPool.GetByName(L"Load", 0), s1);
  EXPECT_EQ(scasPool.GetByName(L"load", 0), s3);
  EXPECT_EQ(scasPool.GetByName(L"Wind", m2), 0u);
}

TEST_F(POHPoolTest, DBItrMapFollowsBuildAndRemoval) {
  const auto a = Add(0, L"a", 0, 0xA0), b = Add(0, L"b", 0, 0xB0);
  const auto none = Add(0, L"none", 0, 0);
  const auto b2 = Add(0, L"b2", 0, 0xB0);
  EXPECT_EQ(mcasPool.GetByDBItr(0xA0), 0u);  // not built yet
  mcasPool.BuildDBItrMap();
  EXPECT_EQ(mcasPool.GetByDBItr(0xB0), b2);  // the later node wins
  EXPECT_EQ(mcasPool.GetByDBItr(0), 0u);
  EXPECT_EQ(mcasPool.GetPtrByDBItr(0xA0), mcasPool.GetAt(a));
  EXPECT_EQ(mcasPool.GetPtrByDBItr(0xC0), nullptr);
  Itrs out{7};
  EXPECT_EQ(mcasPool.GetByDBItr(Itrs{0xB0, 0xC0, 0xA0}, out), 3);
  EXPECT_EQ(out, (Itrs{7, b2, a}));

  EXPECT_EQ(mcasPool.Remove(b), 1);  // b's id maps to b2, which keeps it
  EXPECT_EQ(mcasPool.GetByDBItr(0xB0), b2);
  std::uint64_t itr = a;
  EXPECT_EQ(mcasPool.RemoveNext(itr), 1);
  EXPECT_EQ(itr, none);
  Add(0, L"reuses a's record", 0);
  EXPECT_EQ(mcasPool.GetByDBItr(0xA0), 0u);

  // Reorder frees b2's record and the allocator hands it to the other node: the stale map
  // entry names a live entry that no longer carries 0xB0.
  const CPOHBase* pB2 = mcasPool.GetAt(b2);
  mcasPool.Reorder({none, b2});
  ASSERT_TRUE(mcasPool.IsLiveItr(b2));
  ASSERT_NE(mcasPool.GetAt(b2), pB2);
  EXPECT_EQ(mcasPool.GetByDBItr(0xB0), 0u);
  mcasPool.BuildDBItrMap();
  EXPECT_EQ(mcasPool.GetPtrByDBItr(0xB0), pB2);
  mcasPool.RemoveAll();
  EXPECT_EQ(mcasPool.GetByDBItr(0xB0), 0u);
}

TEST_F(POHPoolTest, CrossLevelLookups) {
  const auto m1 = Add(0, L"m1", 0, 0x100), m2 = Add(0, L"m2", 0);
  const auto s1 = Add(1, L"s1", m1, 0x110), s2 = Add(1, L"s2", m2);
  const auto s3 = Add(1, L"s3", m1);
  const auto v1 = Add(2, L"v1", s3), v2 = Add(2, L"v2", s1, 0x111);
  const auto v3 = Add(2, L"v3", s2), v4 = Add(2, L"v4", s3);
  session.BuildDBItrMap();
  session.GetPOHPool(2)->BuildDBItrMap();

  const auto& mcas = static_cast<const CPOHPoolQVEMcas&>(mcasPool);
  const auto& scas = static_cast<const CPOHPoolScas&>(scasPool);
  const auto& vcas = static_cast<const CPOHPoolVcas&>(*session.GetPOHPool(2));
  EXPECT_EQ(mcas.GetByPOHScas(s2), m2);
  EXPECT_EQ(mcas.GetByPOHVcas(v4), m1);
  EXPECT_EQ(mcas.GetByPOHVcas(0), 0u);
  EXPECT_EQ(scas.GetByPOHVcas(v3), s2);
  EXPECT_EQ(scas.GetByVcasDB(0x111), s1);
  EXPECT_EQ(scas.GetByVcasDB(0x999), 0u);
  Itrs out;
  EXPECT_EQ(scas.GetListByMcasDB(0x100, out), 2);
  EXPECT_EQ(out, (Itrs{s1, s3}));
  EXPECT_EQ(vcas.GetListByScasDB(0x110, out), 1);
  EXPECT_EQ(out, Itrs{v2});
  EXPECT_EQ(vcas.GetListByPOHMcas(m1, out), 3);
  EXPECT_EQ(out, (Itrs{v2, v1, v4}));  // sub-case order first, then step order
}

}  // namespace
