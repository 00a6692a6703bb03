#include <gtest/gtest.h>

#include "base/Object.h"

namespace objtest {

class CTestShape : public CObject {
  DECLARE_DYNCREATE(CTestShape)
};

class CTestCircle : public CTestShape {
  DECLARE_DYNCREATE(CTestCircle)
public:
  double m_rRadius = 1.5;
};

class CTestAbstract : public CObject {
  DECLARE_DYNAMIC(CTestAbstract)
public:
  virtual int Value() const = 0;
};

IMPLEMENT_DYNCREATE(CTestShape, CObject)
IMPLEMENT_DYNCREATE(CTestCircle, CTestShape)
IMPLEMENT_DYNAMIC(CTestAbstract, CObject)

namespace {

const CRuntimeClass* ClassOf(CObject* pObject) {
  const std::unique_ptr<CObject> owned(pObject);
  return owned ? owned->GetRuntimeClass() : nullptr;
}

TEST(CRuntimeClass, CreatesByClassRecordAndByKnownNameOnly) {
  std::unique_ptr<CObject> byClass(RUNTIME_CLASS(CTestCircle)->CreateObject());
  ASSERT_NE(dynamic_cast<CTestCircle*>(byClass.get()), nullptr);
  EXPECT_EQ(dynamic_cast<CTestCircle*>(byClass.get())->m_rRadius, 1.5);
  const std::pair<const CRuntimeClass*, const CRuntimeClass*> cases[] = {
      {byClass->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle)},
      {ClassOf(CRuntimeClass::CreateObject("CTestShape")), RUNTIME_CLASS(CTestShape)},
      {ClassOf(CRuntimeClass::CreateObject(L"CTestCircle")), RUNTIME_CLASS(CTestCircle)},
      {CRuntimeClass::FromName(L"CTestAbstract"), RUNTIME_CLASS(CTestAbstract)},
      {CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject)},
      {ClassOf(RUNTIME_CLASS(CTestAbstract)->CreateObject()), nullptr},
      {ClassOf(CRuntimeClass::CreateObject("CTestAbstract")), nullptr},
      {CRuntimeClass::FromName("CTestSquare"), nullptr},
      {ClassOf(CRuntimeClass::CreateObject(L"CTestSquare")), nullptr},
      {ClassOf(CRuntimeClass::CreateObject(L"CTestCircl\u00e9")), nullptr},
      {CRuntimeClass::FromName(static_cast<const char*>(nullptr)), nullptr},
      {CRuntimeClass::FromName(static_cast<const wchar_t*>(nullptr)), nullptr},
      {CRuntimeClass::FromName(""), nullptr}};
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].first, cases[i].second) << i;
}

TEST(CRuntimeClass, DerivationFollowsTheBaseChain) {
  const CRuntimeClass* circle = RUNTIME_CLASS(CTestCircle);
  CTestCircle c;
  const CObject& asObject = c;
  EXPECT_EQ((std::vector<bool>{
                circle->IsDerivedFrom(circle), circle->IsDerivedFrom(RUNTIME_CLASS(CTestShape)),
                circle->IsDerivedFrom(RUNTIME_CLASS(CObject)),
                RUNTIME_CLASS(CTestShape)->IsDerivedFrom(circle),
                circle->IsDerivedFrom(RUNTIME_CLASS(CTestAbstract)), circle->IsDerivedFrom(nullptr),
                asObject.IsKindOf(RUNTIME_CLASS(CTestShape)),
                asObject.IsKindOf(RUNTIME_CLASS(CTestAbstract))}),
            (std::vector<bool>{true, true, true, false, false, false, true, false}));
  EXPECT_EQ(RUNTIME_CLASS(CObject)->GetBaseClass(), nullptr);
}

}  // namespace
}  // namespace objtest
