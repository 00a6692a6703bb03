#pragma once
// The helpers of one volume texture over the body set's grid: the deformation field (three
// translation components per texel) and a nodal scalar field (one value per texel, stored as
// it is, without normalisation).
#include <memory>
#include <vector>

#include "qve_pvk_export.h"
#include "render/PVKIBMPartLoaderHelper.h"

class PVK_API CPVKIBMPartLoaderHelperVolume : public IPVKIBMPartLoaderHelper {
public:
  zar::render::E_DATA_TYPE GetHelperType() const override { return zar::render::DATA_VOLUME; }
  TMPUBndrD* GetBndrData() override { return &m_bndrD; }
  // The grid point counts nx, ny, nz.
  const std::int32_t* GetNumber() const { return m_bndrD.m_aNumber.data(); }
  zar::oglib::MTexture* GetVolumeTex() const { return m_pVolumeTex.get(); }
  const std::vector<float>& GetTexelBuffer() const { return m_aTexel; }

  int SetInit(CIBMPDLItem* pItem, TMPUBodySet* pSet) override;
  int SetData(CIBMPDLItem* pItem, TMPUBodySet* pSet) override;
  void GLInitTexture() override { m_pVolumeTex.reset(); }
  int GLSetTexture(CIBMPDLItem* pItem, TMPUBodySet* pSet) override;

protected:
  static constexpr std::size_t N_MAX_CHANNEL = 3;  // RGB

  // What a subclass samples: its data, their components (one per texel channel) and formats.
  struct TVolumeKind {
    const wchar_t* pszName;
    std::span<const std::int32_t> comps;
    unsigned nInternalFormat;
    unsigned nFormat;
  };
  virtual TVolumeKind GetKind() const = 0;
  virtual const CIBMGlobalD* GetData(const CIBMPDLItem& item) const = 0;

private:
  TMPUBndrD m_bndrD;
  std::vector<float> m_aTexel;
  std::unique_ptr<zar::oglib::MTexture> m_pVolumeTex;
};

class PVK_API CPVKIBMPartLoaderHelperDeform : public CPVKIBMPartLoaderHelperVolume {
protected:
  // The item's deformation data.
  TVolumeKind GetKind() const override;
  const CIBMGlobalD* GetData(const CIBMPDLItem& item) const override;
};

class PVK_API CPVKIBMPartLoaderHelperNodal : public CPVKIBMPartLoaderHelperVolume {
protected:
  // The item's main data.
  TVolumeKind GetKind() const override;
  const CIBMGlobalD* GetData(const CIBMPDLItem& item) const override;
};
