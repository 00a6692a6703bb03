#include <gtest/gtest.h>

#include "IdResult.h"
#include "base/TestEnv.h"
#include "session/PostAPI.h"

namespace {

using TIds = std::vector<std::int32_t>;

TIds Ids(std::initializer_list<TIds> parts) {
  TIds ids;
  for (const TIds& part : parts) ids.insert(ids.end(), part.begin(), part.end());
  return ids;
}

TIds Span(std::int32_t first, std::int32_t last) {
  TIds ids;
  for (std::int32_t id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

class PostResultFilter : public ::testing::Test {
protected:
  void SetUp() override {
    for (const wchar_t* name : kSwitches) zar::lib::SetTestEnvValue(name, L"");
  }
  void TearDown() override {
    for (const wchar_t* name : kSwitches) zar::lib::ClearTestEnvValue(name);
  }
  static constexpr const wchar_t* kSwitches[] = {L"FACET_COMP", L"STRAIN_COMP", L"STRESS_COMP"};
};

TEST_F(PostResultFilter, ChangeResultTypeAndFacetLocations) {
  const std::vector<std::pair<std::int32_t, std::int32_t>> rows = {
      {1000000101, 101}, {1000000000, 1000000000}, {101, 101},
      {-5, -5},          {50012107, 7207},         {50003401, 7301},
      {50003999, 0},     {49999999, 49999999},     {60000000, 60000000}};
  for (const auto& [id, expected] : rows) EXPECT_EQ(IPostAPI::ChangeResultType(id), expected) << id;
  // Facet-only ids and the facet switch.
  const TIds facetOnly = {1301, 1305, 1309, 1310, 1321, 1322};
  for (const wchar_t* facetComp : {L"", L"YES", L"yes"}) {
    zar::lib::SetTestEnvValue(L"FACET_COMP", facetComp);
    const int otherOnFacet = CString(facetComp) == L"yes" ? 1 : 0;
    for (unsigned loc = 0; loc <= 7; ++loc) {
      for (const std::int32_t id : facetOnly)
        EXPECT_EQ(IPostAPI::FilterLocType(id, loc), loc == 1 ? 1 : 0) << id << " " << loc;
      for (const std::int32_t id : {101, 1302, 7107})
        EXPECT_EQ(IPostAPI::FilterLocType(id, loc), loc == 1 ? otherOnFacet : 1) << id << loc;
    }
  }
}

TEST_F(PostResultFilter, FilterTypeGivesTheIdsOfEachAnalysisType) {
  const TIds a = {101, 7107, 7207, 60166, 60266}, b = {102, 103, 104, 7208, 7209, 7210};
  const TIds d = {3101,  7304,  7301,  7302,  7303,  7308,  7305,  7306, 7307,
                  60433, 60400, 60411, 60422, 60477, 60444, 60455, 60466};
  const TIds p = {60267, 60268, 60279}, t = {1301, 1305, 1309, 1310, 1321, 1322};
  const std::vector<std::pair<TIds, TIds>> rows = {
      {{101, 106}, Ids({a, b, p, t})},
      {{102, 103, 107}, Ids({a, t})},
      {{104, 105}, Ids({d, t})},
      {{108, 122}, Ids({a, b, p, d, t})},
      {{109}, Ids({a, b, p, {7401}, t})},
      {{110, 111, 116, 117, 118}, Ids({a, Span(9001, 9006), Span(9101, 9106), d, t})},
      {{112, 113, 114, 115, 120, 121},
       Ids({{101, 102, 103, 104, 601, 602, 603, 604, 201, 202, 203, 204, 701, 702, 703, 704},
            {301, 302, 303, 304, 801, 802, 803, 804, 7107, 7207, 60166, 60266},
            t})},
      {{119},
       Ids({{101, 102, 103, 104, 201, 202, 203, 204, 301, 302, 303, 304},
            {7107, 7108, 7109, 7110, 7207, 7208, 7209, 7210},
            {60166, 60167, 60168, 60179, 60266, 60267, 60268, 60279},
            t})},
      {{123}, Ids({a, b, {7702, 7701}, p, {60311, 60300}, t})},
      {{0, 100, 124, -101, 1000000101}, Ids({{101, 7107, 60266}, t})},
  };
  for (const auto& [types, expected] : rows)
    for (const std::int32_t type : types) {
      zar::MArray<std::int32_t> ids = {42};  // replaced, not appended to
      EXPECT_EQ(IPostAPI::FilterType(type, ids), static_cast<std::int32_t>(expected.size()));
      EXPECT_EQ(ids, expected) << type;
    }
}

TEST_F(PostResultFilter, StrainThenStressComponentsAreAppendedOnlyForAnExactYes) {
  const TIds strain = Ids({Span(7101, 7106), {60100, 60111, 60122, 60133, 60144, 60155}});
  const TIds stress = Ids({Span(7201, 7206), {60200, 60211, 60222, 60233, 60244, 60255}});
  zar::MArray<std::int32_t> plain;
  IPostAPI::FilterType(102, plain);
  struct Row {
    const wchar_t* strainComp;
    const wchar_t* stressComp;
    TIds tail;
  };
  const std::vector<Row> rows = {{L"yes", L"", strain},
                                 {L"", L"yes", stress},
                                 {L"yes", L"yes", Ids({strain, stress})},
                                 {L"Yes", L"yes ", {}}};
  for (const Row& row : rows) {
    zar::lib::SetTestEnvValue(L"STRAIN_COMP", row.strainComp);
    zar::lib::SetTestEnvValue(L"STRESS_COMP", row.stressComp);
    zar::MArray<std::int32_t> ids;
    IPostAPI::FilterType(102, ids);
    EXPECT_EQ(ids, Ids({plain, row.tail})) << row.strainComp << "/" << row.stressComp;
  }
}

TEST_F(PostResultFilter, ShaderClassesOfResultIds) {
  struct Row {
    std::int32_t id;
    int resType, subType, fatigueType, fatMSC;
  };
  // The phase-angle and board forms (the last three) count for the first two classes only.
  const std::vector<Row> rows = {
      {7107, 1, 0, 2, 2},       {7108, 1, 3, 2, 2},       {7109, 1, 2, 2, 2},
      {7110, 1, 1, 2, 2},       {60166, 1, 0, 2, 2},      {60167, 1, 3, 2, 2},
      {60168, 1, 2, 2, 2},      {60179, 1, 1, 2, 2},      {7207, 0, 0, 2, 2},
      {7208, 0, 3, 2, 2},       {7209, 0, 2, 2, 2},       {7210, 0, 1, 2, 2},
      {60266, 0, 0, 2, 2},      {60267, 0, 3, 2, 2},      {60268, 0, 2, 2, 2},
      {60279, 0, 1, 2, 2},      {9001, 0, 4, 0, 0},       {9002, 0, 4, 1, 0},
      {9003, 0, 4, 0, 1},       {9004, 0, 4, 1, 1},       {9005, 0, 4, 0, 2},
      {9006, 0, 4, 1, 2},       {7106, 2, 4, 2, 2},       {7111, 2, 4, 2, 2},
      {60169, 2, 4, 2, 2},      {101, 2, 4, 2, 2},        {0, 2, 4, 2, 2},
      {1000007108, 1, 3, 2, 2}, {1000009001, 0, 4, 2, 2}, {50012108, 0, 3, 2, 2}};
  for (const Row& row : rows) {
    const CIdResult result(row.id);
    EXPECT_EQ(IPostAPI::GetShaderResType(&result), row.resType) << row.id;
    EXPECT_EQ(IPostAPI::GetShaderSubType(&result), row.subType) << row.id;
    EXPECT_EQ(IPostAPI::GetShaderFatigueType(&result), row.fatigueType) << row.id;
    EXPECT_EQ(IPostAPI::GetShaderFatMSC(&result), row.fatMSC) << row.id;
  }
  EXPECT_EQ(IPostAPI::GetShaderResType(nullptr), 2);
  EXPECT_EQ(IPostAPI::GetShaderSubType(nullptr), 4);
}

}  // namespace
