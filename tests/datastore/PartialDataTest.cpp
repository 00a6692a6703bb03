#include <gtest/gtest.h>

#include "datastore/PostPartialDList.h"

namespace {

using IDs = zar::MArray<std::int32_t>;

TEST(CPostPartialD, InitTakesTheAmountTypeDefaultOrTheGivenCount) {
  const std::int32_t defaults[18] = {0, 1, 4, 8, 12, 7, 7, 4, 9, 13, 8, 6, 7, 0, 10, 30, 60, 70};
  const struct {
    std::int32_t amt, n, expected;
  } given[] = {{13, 8, 8}, {2, 3, 3}, {18, 0, 0}, {1, -1, 0}, {1, 71, 0}, {1, 70, 70}};
  for (std::int32_t amt = 0; amt < 18; ++amt)
    EXPECT_EQ(pvk::GetDefaultCompCnt(amt), defaults[amt]) << amt;
  for (const auto& c : given) {
    CPostPartialD block;
    ASSERT_EQ(block.Init(pvk::AMT_VECTOR, pvk::LOC_ELEM, 0), 1);
    block.GetKey()->push_back(5);
    const int ok = block.Init(static_cast<pvk::AMT_TYPE>(c.amt), pvk::LOC_NODE, c.n);
    EXPECT_EQ(ok, c.expected > 0 ? 1 : 0) << c.amt << "/" << c.n;
    // A refused Init changes nothing; an accepted one starts afresh.
    EXPECT_EQ(block.GetCompCnt(), ok ? c.expected : 4);
    EXPECT_EQ(block.GetLOCType(), ok ? pvk::LOC_NODE : pvk::LOC_ELEM);
    EXPECT_EQ(block.GetKey()->size(), ok ? 0u : 1u);
  }
}

// A block with keys 7 and 9, two columns and its indexing.
CPostPartialD FilledBlock() {
  CPostPartialD block;
  block.Init(pvk::AMT_SCALAR, pvk::LOC_NODE, 2);
  *block.GetKey() = {7, 9};
  *block.GetDSI() = {0, 1};
  *block.GetDCT() = {1, 1};
  *block.GetComp(0) = {1.0, 2.0};
  *block.GetComp(1) = {3.0, 4.0};
  *block.GetCaseInfo() = {11u};
  block.GetFKey()->push_back(3);
  block.GetFPos()->push_back({{1.0, 2.0, 3.0}});
  return block;
}

TEST(CPostPartialD, CopyIsDeepAndClearEmptiesTheRowsButKeepsTheStorage) {
  CPostPartialD block = FilledBlock();
  const CPostPartialD copy = block;
  const double* column = block.GetComp(0)->data();
  block.Clear();
  EXPECT_EQ(*copy.GetKey(), (IDs{7, 9}));
  EXPECT_EQ(copy.GetComp(1)->size(), 2u);
  EXPECT_EQ(block.GetCompCnt() + block.GetAMTType() + block.GetLOCType(), 0);
  EXPECT_EQ(block.GetDataCount(), 0);
  EXPECT_TRUE(block.GetKey()->empty() && block.GetFKey()->empty() && block.GetPos()->empty());
  // The indexing and case information are the filler's to set; Reset empties them too.
  EXPECT_EQ(*block.GetDSI(), (IDs{0, 1}));
  EXPECT_EQ(*block.GetDCT(), (IDs{1, 1}));
  EXPECT_EQ(block.GetCaseInfo()->size(), 1u);
  block.Reset();
  const CPostPartialD resetCopy = block;
  EXPECT_TRUE(resetCopy.GetDSI()->empty() && block.GetDCT()->empty() &&
              block.GetCaseInfo()->empty());
  // A refill that overwrites gets the last fill's storage at its size; a copy carries none.
  EXPECT_EQ(block.GetDSIForOverwrite()->size() + block.GetCompForOverwrite(1)->size(), 4u);
  EXPECT_TRUE(CPostPartialD(resetCopy).GetCompForOverwrite(1)->empty());
  EXPECT_EQ(block.GetCompForOverwrite(70), nullptr);
  block.GetComp(0)->push_back(5.0);
  EXPECT_EQ(block.GetComp(0)->data(), column);
  EXPECT_EQ(*block.GetComp(0), (std::vector<double>{5.0}));
  EXPECT_EQ(block.GetScalarComp(), block.GetComp(0));
  EXPECT_EQ(block.GetComp(-1), nullptr);
  EXPECT_EQ(block.GetComp(70), nullptr);
}

TEST(CPostPartialD, StructPointsAtFilledArraysAndIsNullForEmptyOnes) {
  CPostPartialD block = FilledBlock();
  block.GetDSI()->clear();
  block.GetDCT()->clear();
  block.GetComp(1)->clear();
  block.GetComp(2)->push_back(8.0);  // beyond the column count
  const TPostPartialD flat = block.GetStruct();
  EXPECT_EQ((IDs{flat.nAMTType, flat.nLOCType, flat.nCompCnt, flat.nKeyCnt, flat.nDataCnt}),
            (IDs{1, 6, 2, 2, 2}));
  EXPECT_EQ(
      (std::vector<const void*>{flat.pKey, flat.pDSI, flat.pDCT, flat.pComp[0], flat.pComp[1],
                                flat.pComp[2], flat.pCaseInfo}),
      (std::vector<const void*>{block.GetKey()->data(), nullptr, nullptr, block.GetComp(0)->data(),
                                nullptr, nullptr, block.GetCaseInfo()->data()}));
  EXPECT_EQ(flat.nCaseInfoCnt, 1u);
}

TEST(CPostPartialDList, AddRemoveAndSums) {
  CPostPartialDList list, other;
  EXPECT_EQ(list.GetTotalKeyCnt() + list.GetTotalDSICnt() + list.GetTotalDataCnt(), 0);
  CPostPartialD* first = list.Add();
  *first = FilledBlock();
  CPostPartialD* second = list.Add();
  second->GetKey()->assign(3, 1);
  second->GetDSI()->assign(4, 0);
  second->GetComp(0)->assign(5, 0.0);
  EXPECT_EQ((IDs{list.GetTotalKeyCnt(), list.GetTotalDSICnt(), list.GetTotalDataCnt()}),
            (IDs{5, 6, 7}));

  EXPECT_EQ(list.Remove(other.Add()), 0);
  EXPECT_EQ(list.Remove(nullptr), 0);
  EXPECT_EQ(list.GetSize() + other.GetSize(), 3);
  EXPECT_EQ(list.Remove(first), 1);
  EXPECT_EQ(list.Remove(first), 0);
  EXPECT_EQ(list.GetList().front().get(), second);

  // Reset keeps the first blocks, emptied, and adds or drops the rest.
  list.Add();
  list.Reset(3);
  EXPECT_EQ(list.GetSize(), 3);
  EXPECT_EQ(list.GetList().front().get(), second);
  EXPECT_EQ(list.GetTotalKeyCnt() + list.GetTotalDSICnt() + list.GetTotalDataCnt(), 0);
  list.Reset(1);
  EXPECT_EQ(list.GetSize(), 1);
  list.Clear();
  EXPECT_EQ(list.GetSize() + list.GetTotalDataCnt(), 0);
}

}  // namespace
