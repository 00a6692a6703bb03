#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResult.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResultRegistrar.h"

// A concrete result class with a fixed id, created through its class record.
class CFactoryTestVResult : public CVResult {
  DECLARE_DYNCREATE(CFactoryTestVResult)

public:
  std::int32_t GetType() const override { return 4242; }
};
IMPLEMENT_DYNCREATE(CFactoryTestVResult, CVResult)

namespace {

// Keys that the load-time tables of the library never use.
constexpr int kLoadKey = -41;
constexpr int kCallKey = -42;

const TVResultClassReg kClassRows[] = {
    {102, &CFactoryTestVResult::classCFactoryTestVResult},
    {103, nullptr},
    {1000000102, &CVResult::classCVResult},
};
const TCompTypeVResReg kPairRows[] = {{102, 102}, {102, 103}, {102, 104}, {106, 106}};
const CVResultTableRegistrar s_registrar(kLoadKey, kClassRows, kPairRows);

const char* ClassName(const CVResult* pResult) {
  return pResult ? pResult->GetRuntimeClass()->m_lpszClassName : nullptr;
}

TEST(VResultFactoryTest, CreatesRegisteredResultClassesOnly) {
  CVResultFactory factory;
  EXPECT_EQ(factory.CreateVResult(102), nullptr);
  EXPECT_EQ(factory.Register(102, RUNTIME_CLASS(CVResult)), 1);
  EXPECT_EQ(factory.Register(103, nullptr), 0);
  EXPECT_EQ(factory.Register(104, RUNTIME_CLASS(CPostObject)), 1);  // not a virtual result
  EXPECT_EQ(factory.GetCount(), 2);
  const struct {
    std::int32_t id;
    const char* className;
  } kCases[] = {{102, "CVResult"}, {103, nullptr}, {104, nullptr}, {999, nullptr}};
  for (const auto& c : kCases)
    EXPECT_STREQ(ClassName(factory.CreateVResult(c.id).get()), c.className) << c.id;

  EXPECT_EQ(factory.Register(102, RUNTIME_CLASS(CFactoryTestVResult)), 1);  // replaces
  EXPECT_EQ(factory.GetCount(), 2);
  EXPECT_EQ(factory.CreateVResult(102)->GetType(), 4242);
  EXPECT_EQ(factory.Unregister(102), 1);
  EXPECT_EQ(factory.Unregister(102), 0);
  EXPECT_EQ(factory.CreateVResult(102), nullptr);
  EXPECT_EQ(factory.GetCount(), 1);
}

// The manager is one instance and hands out one registry per key, apart from the stand-alone
// one.
template <class TManager, class TRegistry>
void ExpectOneRegistryPerKey(TRegistry* (TManager::*pfnGet)(int)) {
  TManager& manager = TManager::GetInstance();
  TRegistry* pRegistry = (manager.*pfnGet)(-31);
  ASSERT_NE(pRegistry, nullptr);
  EXPECT_EQ(pRegistry->GetCount(), 0);
  EXPECT_EQ((manager.*pfnGet)(-31), pRegistry);
  EXPECT_NE((manager.*pfnGet)(-32), pRegistry);
  EXPECT_NE(&TRegistry::GetInstance(), pRegistry);
}

TEST(VResultFactoryTest, ManagersCreateOneRegistryPerKey) {
  ExpectOneRegistryPerKey(&CVResultFactoryManager::GetVResultFactory);
  ExpectOneRegistryPerKey(&CCompTypeVResMapManager::GetCompTypeVResMap);
}

std::vector<std::int32_t> ResultsOf(const CCompTypeVResMap& map, std::int32_t compId) {
  std::vector<std::int32_t> a;
  for (auto [it, end] = map.EqualRange(compId); it != end; ++it) a.push_back(it->second);
  return a;
}

TEST(CompTypeVResMapTest, KeepsEveryPairInRegistrationOrder) {
  CCompTypeVResMap map;
  const TCompTypeVResReg kRows[] = {{102, 102}, {7201, 7201}, {102, 103}, {101, 101},
                                    {102, 104}, {7201, 7207}, {102, 103}};
  for (const auto& row : kRows) EXPECT_EQ(map.Register(row.nCompID, row.nResultID), 1);
  EXPECT_EQ(map.GetCount(), 7);
  EXPECT_EQ(map.GetCompIDCount(), 3);
  const struct {
    std::int32_t compId;
    std::vector<std::int32_t> results;
  } kCases[] = {{102, {102, 103, 104, 103}}, {101, {101}}, {7201, {7201, 7207}}, {999, {}}};
  for (const auto& c : kCases) EXPECT_EQ(ResultsOf(map, c.compId), c.results) << c.compId;
}

TEST(VResultRegistrarTest, TablesRegisterUnderTheirKey) {
  const CVResultFactory* pLoaded =
      CVResultFactoryManager::GetInstance().GetVResultFactory(kLoadKey);
  EXPECT_EQ(pLoaded->GetCount(), 2);  // the row without a class is refused
  EXPECT_STREQ(ClassName(pLoaded->CreateVResult(102).get()), "CFactoryTestVResult");
  EXPECT_STREQ(ClassName(pLoaded->CreateVResult(1000000102).get()), "CVResult");
  const CCompTypeVResMap* pMap =
      CCompTypeVResMapManager::GetInstance().GetCompTypeVResMap(kLoadKey);
  EXPECT_EQ(pMap->GetCount(), 4);
  EXPECT_EQ(pMap->GetCompIDCount(), 2);
  EXPECT_EQ(ResultsOf(*pMap, 102), (std::vector<std::int32_t>{102, 103, 104}));

  EXPECT_EQ(RegisterVResultClasses(kCallKey, kClassRows), 2);
  EXPECT_EQ(RegisterCompTypeVResPairs(kCallKey, kPairRows), 4);
  EXPECT_EQ(CCompTypeVResMapManager::GetInstance().GetCompTypeVResMap(kCallKey)->GetCount(), 4);
}

}  // namespace
