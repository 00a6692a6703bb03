#pragma once
// The loader of the grid legend: a component that owns the legend render data, and the loader
// through which a view sends it update requests and stream calls.
#include <cstdint>
#include <memory>

#include "qve_pvk_export.h"
#include "render/IBMLegendRndrD.h"

namespace pvk {

class PVK_API IPostRndrDLoaderComp {
public:
  virtual ~IPostRndrDLoaderComp() = default;
  virtual void SetUsedVBO(int used) = 0;
  virtual void Clear() = 0;
  virtual int HasData() const = 0;
};

class PVK_API IPostRndrDLoader {
public:
  virtual ~IPostRndrDLoader() = default;
  virtual IPostRndrDLoaderComp* GetRndrDLoaderComp() const = 0;
  virtual IPostRndrDStream* GetIPostRndrDStream() = 0;
  virtual void Update(const TRndrDUpdateParam& param) = 0;
  virtual void ClearRndrD() = 0;
};

class PVK_API CPostIBMLegendRndrDLoaderComp : public IPostRndrDLoaderComp, public IPostRndrDStream {
public:
  // Initialize, change result and show/hide: the legend follows the shown result, not the
  // options of its drawing.
  static constexpr unsigned short N_UPDATE_INFO =
      RNDRD_UPDATE_INITIALIZE | RNDRD_UPDATE_CHANGE_RESULT | RNDRD_UPDATE_SHOW_HIDE;

  CPostIBMLegendRndrDLoaderComp() : m_pLegend(std::make_unique<CIBMLegendRndrD>(N_UPDATE_INFO)) {}

  CIBMLegendRndrD* GetLegendRndrD() const { return m_pLegend.get(); }
  // Passed on only when the legend's load information asks for vertex buffers (bit 0).
  void SetUsedVBO(int used) override;
  void Clear() override { m_pLegend->Clear(); }
  int HasData() const override { return m_pLegend->HasData(); }

  std::uint64_t GetInstSize(TStreamInfo* pInfo) const override {
    return m_pLegend->GetInstSize(pInfo);
  }
  int Stream2Data(CFile* pFile, TInstSizeIter& it) override {
    return m_pLegend->Stream2Data(pFile, it);
  }
  int Stream2Data(const char*& pBuf, TInstSizeIter& it) override {
    return m_pLegend->Stream2Data(pBuf, it);
  }
  int Data2Stream(CFile* pFile, TInstSizeIter& it) const override {
    return m_pLegend->Data2Stream(pFile, it);
  }
  int Data2Stream(char*& pBuf, TInstSizeIter& it) const override {
    return m_pLegend->Data2Stream(pBuf, it);
  }

private:
  std::unique_ptr<CIBMLegendRndrD> m_pLegend;
};

class PVK_API CIBMLegendRndrDLoader : public IPostRndrDLoader, public IPostRndrDStream {
public:
  // The component is not owned.
  explicit CIBMLegendRndrDLoader(CPostIBMLegendRndrDLoaderComp* pComp) : m_pComp(pComp) {}

  IPostRndrDLoaderComp* GetRndrDLoaderComp() const override { return m_pComp; }
  IPostRndrDStream* GetIPostRndrDStream() override { return this; }
  // Only kinds that the legend's update information names reach it.
  void Update(const TRndrDUpdateParam& param) override;
  void ClearRndrD() override {}

  std::uint64_t GetInstSize(TStreamInfo* pInfo) const override {
    return m_pComp->GetInstSize(pInfo);
  }
  int Stream2Data(CFile* pFile, TInstSizeIter& it) override {
    return m_pComp->Stream2Data(pFile, it);
  }
  int Stream2Data(const char*& pBuf, TInstSizeIter& it) override {
    return m_pComp->Stream2Data(pBuf, it);
  }
  int Data2Stream(CFile* pFile, TInstSizeIter& it) const override {
    return m_pComp->Data2Stream(pFile, it);
  }
  int Data2Stream(char*& pBuf, TInstSizeIter& it) const override {
    return m_pComp->Data2Stream(pBuf, it);
  }

private:
  CPostIBMLegendRndrDLoaderComp* m_pComp;
};

}  // namespace pvk
