#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "vresult/VResultAPI.h"
#include "vresult/catalogue/VResultCatalogue.h"

namespace {

using Ids = std::vector<std::int32_t>;

template <std::size_t N>
Ids Call(void (*fill)(std::int32_t*)) {
  std::array<std::int32_t, N> ids{};
  fill(ids.data());
  return Ids(ids.begin(), ids.end());
}

template <std::size_t N>
Ids CallWithId(void (*fill)(std::int32_t, std::int32_t*), std::int32_t id) {
  std::array<std::int32_t, N> ids;
  ids.fill(-7);
  fill(id, ids.data());
  return Ids(ids.begin(), ids.end());
}

// Every variable the combinations name is a result of the catalogue: a typo in an id would
// make the display combine nothing.
TEST(CVResultAPI, EveryVariableIsACatalogueResult) {
  std::vector<Ids> lists = {
      Call<6>(CVResultAPI::GetSolidStrsVariables),
      Call<6>(CVResultAPI::GetSolidStrnVariables),
      Call<3>(CVResultAPI::GetSolidStrsVariables_Mean),
      Call<3>(CVResultAPI::GetSolidStrnVariables_MaxShear),
      Call<3>(CVResultAPI::GetShellStrsVariables_MaxShear),
      Call<3>(CVResultAPI::GetShellStrsVariables_MaxVonMises),
      Call<3>(CVResultAPI::GetShellStrnVariables_MaxPricipal),
      Call<3>(CVResultAPI::GetShellStrnVariables_MinPricipal),
      Call<2>(CVResultAPI::GetShellForcVariables_MaxForc),
      Call<2>(CVResultAPI::GetShellForcVariables_MaxMoment),
      Call<2>(CVResultAPI::GetShellForcVariables_MaxTransverseShear),
      Call<4>(CVResultAPI::GetBarStrsVariables_VonMises),
      Call<4>(CVResultAPI::GetBarStrnVariables_Combined),
      CallWithId<12>(CVResultAPI::GetSolidStrnVariables_PrincpIdx, 311108),
      CallWithId<3>(CVResultAPI::GetShellStrsVariables, 412191),
      CallWithId<3>(CVResultAPI::GetShellStrnVariables, 411171),
      CallWithId<3>(CVResultAPI::GetShellForcVariables, 410415),
  };
  for (const Ids& ids : lists)
    for (const std::int32_t id : ids) EXPECT_NE(FindVResultCatalogueRow(id), nullptr) << id;
}

TEST(CVResultAPI, PrincipalGroupsRotateWithTheAskedValue) {
  EXPECT_EQ(CallWithId<12>(CVResultAPI::GetSolidStrnVariables_PrincpIdx, 311109),
            (Ids{311109, 311128, 311131, 311134, 311108, 311129, 311132, 311135, 311107, 311127,
                 311130, 311133}));
  EXPECT_EQ(CallWithId<12>(CVResultAPI::GetSolidStrsVariables_PrincpIdx, 312108),
            (Ids{8, 9, 10, 11, 0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(CallWithId<12>(CVResultAPI::GetSolidStrsVariables_PrincpIdx, 312110), Ids(12, -7));
  EXPECT_EQ(CVResultAPI::GetSolidStrsVariables_PrincpMainIdx(312109), 1);
  EXPECT_EQ(CVResultAPI::GetSolidStrnVariables_PrincpMainIdx(311108), 2);
  EXPECT_EQ(CVResultAPI::GetSolidStrsVariables_PrincpMainIdx(312110), 0);

  std::int32_t principal = -1, axis = -1;
  CVResultAPI::GetSolidStrsVariables_PrincpCosIdx(312134, principal, axis);
  EXPECT_EQ(principal, 1);  // B
  EXPECT_EQ(axis, 2);       // z
  CVResultAPI::GetSolidStrnVariables_PrincpCosIdx(311126, principal, axis);
  EXPECT_EQ(principal, 1);  // untouched
}

TEST(CVResultAPI, LayersAndUnknownIdsOfShells) {
  EXPECT_EQ(CallWithId<3>(CVResultAPI::GetShellStrsVariables, 412182),
            (Ids{412131, 412132, 412134}));
  EXPECT_EQ(CallWithId<3>(CVResultAPI::GetShellStrnVariables, 411107),
            (Ids{411101, 411102, 411104}));
  EXPECT_EQ(CallWithId<3>(CVResultAPI::GetShellStrsVariables, 412101), Ids(3, -7));
  EXPECT_EQ(CallWithId<3>(CVResultAPI::GetShellForcVariables, 410411),
            (Ids{410402, 410403, 410404}));
  EXPECT_EQ(CallWithId<3>(CVResultAPI::GetShellForcVariables, 410413), Ids(3, -7));
}

TEST(CVResultAPI, FactorsAreTheNearestDoublesOfTheirFractions) {
  double a = 0, b = 0;
  CVResultAPI::GetSolidStrnFactor_VonMises(a, b);
  EXPECT_EQ(a * 9.0, 2.0);
  EXPECT_EQ(b, 1.0 / 3.0);
  CVResultAPI::GetSolidStrnFactor_Octahedral(a, b);
  EXPECT_EQ(b * 6.0, 1.0);
  CVResultAPI::GetBarStrnFactor_VonMises(a, b);
  EXPECT_EQ(a, 4.0 / 9.0);
  CVResultAPI::GetSolidStrnFactor_Mean(a);
  EXPECT_EQ(a, -1.0 / 3.0);
  CVResultAPI::GetShellStrnFactor_MaxShear(a);
  EXPECT_EQ(a, 2.0);
}

}  // namespace
