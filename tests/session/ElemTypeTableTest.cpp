#include <gtest/gtest.h>

#include "session/ElemTypeTable.h"

namespace {

// Every mid-side node lies after the corners, once each, between two distinct corners, and the
// linear counterpart has the same corners and no mid-side nodes.
TEST(ElemTypeTable, MidSideNodesFillTheNodesAfterTheCorners) {
  for (std::int32_t code = 0; code < pvk::N_ELEM_TYPE; ++code) {
    const pvk::TElemTypeEntry& e = *pvk::GetElemTypeEntry(code);
    EXPECT_EQ(e.m_nMidSideCnt, e.m_nNodeCnt - e.m_nCornerNodeCnt) << code;
    std::set<std::int32_t> nodes;
    for (std::int32_t m = 0; m < e.m_nMidSideCnt; ++m) {
      const pvk::TElemMidSide& mid = e.m_aMidSide[static_cast<std::size_t>(m)];
      nodes.insert(mid.m_nNode);
      EXPECT_LT(mid.m_nA, e.m_nCornerNodeCnt) << code;
      EXPECT_LT(mid.m_nB, e.m_nCornerNodeCnt) << code;
      EXPECT_NE(mid.m_nA, mid.m_nB) << code;
    }
    if (e.m_nMidSideCnt > 0) {
      EXPECT_EQ(*nodes.begin(), e.m_nCornerNodeCnt) << code;
      EXPECT_EQ(*nodes.rbegin(), e.m_nNodeCnt - 1) << code;
      EXPECT_EQ(nodes.size(), static_cast<std::size_t>(e.m_nMidSideCnt)) << code;
      EXPECT_EQ(e.m_nMidSideCnt, e.m_nEdgeCnt) << code;  // one mid-side node per edge
    }
    const pvk::TElemTypeEntry& linear = *pvk::GetElemTypeEntry(e.m_nLinearType);
    EXPECT_EQ(linear.m_nCornerNodeCnt, e.m_nCornerNodeCnt) << code;
    EXPECT_EQ(linear.m_nMidSideCnt, 0) << code;
    EXPECT_EQ(linear.m_nDimension, e.m_nDimension) << code;
  }
  EXPECT_EQ(pvk::GetElemTypeEntry(-1), nullptr);
  EXPECT_EQ(pvk::GetElemTypeEntry(pvk::N_ELEM_TYPE), nullptr);
}

}  // namespace
