#pragma once
// The helper of fatigue evaluated on the graphics card: the normal and shear stresses of the
// item's fatigue result as two volume textures over the body set's grid, and the damage
// curve of the body's fatigue material that fits the result's fatigue type as a
// one-dimensional texture.
#include <memory>
#include <vector>

#include "qve_pvk_export.h"
#include "render/PVKIBMPartLoaderHelper.h"

class PVK_API CPVKIBMPartLoaderHelperFatigue : public IPVKIBMPartLoaderHelper {
public:
  zar::render::E_DATA_TYPE GetHelperType() const override { return zar::render::DATA_FATIGUE; }
  TMPUBndrD* GetBndrData() override { return &m_bndrD; }
  const std::int32_t* GetNumber() const { return m_bndrD.m_aNumber.data(); }
  CIBMPDLItem* GetPDLItem() const { return m_pItem; }
  TMPUBodySet* GetBndrSet() const { return m_pBndrSet; }
  const TMPUFatD& GetFatigueData() const { return m_fatD; }
  const TMPUFatMatD& GetFatMatData() const { return m_fatMatD; }
  std::int32_t GetShaderResType() const { return m_nShaderResType; }
  std::int32_t GetShaderFatType() const { return m_nShaderFatType; }
  const std::vector<float>& GetNormalBuffer() const { return m_aNormal; }
  const std::vector<float>& GetShearBuffer() const { return m_aShear; }
  const std::vector<float>& GetCurveBuffer() const { return m_aCurve; }
  zar::oglib::MTexture* GetNormalTex() const { return m_pNormalTex.get(); }
  zar::oglib::MTexture* GetShearTex() const { return m_pShearTex.get(); }
  zar::oglib::MTexture* GetResultTex() const { return m_pResultTex.get(); }

  int SetInit(CIBMPDLItem* pItem, TMPUBodySet* pSet) override;
  int SetData(CIBMPDLItem* pItem, TMPUBodySet* pSet) override;
  void GLInitTexture() override;
  int GLSetTexture(CIBMPDLItem* pItem, TMPUBodySet* pSet) override;

  // The fatigue type of a result id: 0 for 9001 and 9002, 1 for 9003 and 9004, else 2.
  static std::int32_t GetFatigueType(std::int32_t resultID);
  // The first curve whose type code modulo 10 is the fatigue type; the first curve when none.
  static std::int32_t ChooseCurve(const TMPUFatD& fatD, std::int32_t fatigueType);

protected:
  // The data whose components 1 to 6 are the stresses: the item's main data.
  virtual const CIBMGlobalD* GetStressData(const CIBMPDLItem& item) const;

private:
  int SetStress(const CIBMPDLItem& item, const TMPUBodySet& set);
  int SetCurve(const CIBMPDLItem& item);
  int MakeCurveTexture();

  CIBMPDLItem* m_pItem = nullptr;     // not owned
  TMPUBodySet* m_pBndrSet = nullptr;  // not owned
  TMPUBndrD m_bndrD;
  TMPUFatD m_fatD;
  TMPUFatMatD m_fatMatD;
  std::int32_t m_nShaderResType = 0;
  std::int32_t m_nShaderFatType = 0;
  std::vector<float> m_aNormal;
  std::vector<float> m_aShear;
  std::vector<float> m_aCurve;
  std::unique_ptr<zar::oglib::MTexture> m_pNormalTex;
  std::unique_ptr<zar::oglib::MTexture> m_pShearTex;
  std::unique_ptr<zar::oglib::MTexture> m_pResultTex;
};
