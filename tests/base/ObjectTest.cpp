#include <gtest/gtest.h>

#include <memory>

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

TEST(CRuntimeClass, CreatesByClassRecordAndByKnownNameOnly) {
  std::unique_ptr<CObject> byClass(RUNTIME_CLASS(CTestCircle)->CreateObject());
  ASSERT_NE(byClass, nullptr);
  EXPECT_EQ(byClass->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));
  EXPECT_EQ(dynamic_cast<CTestCircle*>(byClass.get())->m_rRadius, 1.5);

  std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("CTestShape"));
  ASSERT_NE(byName, nullptr);
  EXPECT_EQ(byName->GetRuntimeClass(), RUNTIME_CLASS(CTestShape));
  std::unique_ptr<CObject> byWide(CRuntimeClass::CreateObject(L"CTestCircle"));
  ASSERT_NE(byWide, nullptr);
  EXPECT_EQ(byWide->GetRuntimeClass(), RUNTIME_CLASS(CTestCircle));

  EXPECT_EQ(CRuntimeClass::FromName(L"CTestAbstract"), RUNTIME_CLASS(CTestAbstract));
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
  EXPECT_EQ(RUNTIME_CLASS(CTestAbstract)->CreateObject(), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject("CTestAbstract"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName("CTestSquare"), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject(L"CTestSquare"), nullptr);
  EXPECT_EQ(CRuntimeClass::CreateObject(L"CTestCircl\u00e9"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(static_cast<const wchar_t*>(nullptr)), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
}

TEST(CRuntimeClass, DerivationFollowsTheBaseChain) {
  const CRuntimeClass* circle = RUNTIME_CLASS(CTestCircle);
  EXPECT_TRUE(circle->IsDerivedFrom(circle));
  EXPECT_TRUE(circle->IsDerivedFrom(RUNTIME_CLASS(CTestShape)));
  EXPECT_TRUE(circle->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(RUNTIME_CLASS(CTestShape)->IsDerivedFrom(circle));
  EXPECT_FALSE(circle->IsDerivedFrom(RUNTIME_CLASS(CTestAbstract)));
  EXPECT_FALSE(circle->IsDerivedFrom(nullptr));
  EXPECT_EQ(RUNTIME_CLASS(CObject)->GetBaseClass(), nullptr);

  CTestCircle c;
  const CObject& asObject = c;
  EXPECT_TRUE(asObject.IsKindOf(RUNTIME_CLASS(CTestShape)));
  EXPECT_FALSE(asObject.IsKindOf(RUNTIME_CLASS(CTestAbstract)));
}

}  // namespace
}  // namespace objtest
