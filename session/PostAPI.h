#pragma once
// The library's facade towards the host: static services (post cache folders and their
// clean-up, result id and location filters, lookups across steps, iso-surface cutting) and
// the virtual operations that the host overrides in its one subclass, which registers itself
// as the instance.
#include <cstdint>

#include "base/CString.h"
#include "base/Containers.h"
#include "core/DataTypes.h"
#include "qve_pvk_export.h"

class CAnimInfo;
class CMPUPost;
class CQVEDocBase;
class CVResult;
class CYRViewBase;
class IPOHSession;
class IPreDBLinker;
struct TMPUIPLEdge;
struct TMPUIPLTri;
struct TPViewQVEResOptInfo;
namespace pvk {
struct TDataRange;
}

class PVK_API IPostAPI {
public:
  IPostAPI(const IPostAPI&) = delete;
  IPostAPI& operator=(const IPostAPI&) = delete;
  virtual ~IPostAPI();

  // The host's own operations; only their place in the table is fixed here.
  virtual void OnHostReserved1() = 0;
  virtual void OnHostReserved2() = 0;
  virtual void OnHostReserved3() = 0;
  virtual void OnHostReserved4() = 0;
  virtual void OnHostReserved5() = 0;
  // Both 1.0: grid results are neither scaled in diagrams nor deformed here.
  virtual double GetDiagramFactorByIBM(CYRViewBase* pView, CAnimInfo* pAnim, const double& rRatio);
  virtual double GetDeformScaleByIBM(CYRViewBase* pView, TPViewQVEResOptInfo* pOpt,
                                     double* const pScale, pvk::TDataRange& range, double rRatio);
  // The displacement result (id 101) of the same location type in the result's step.
  virtual CVResult* GetDeformResult(CVResult* pResult);
  virtual void MakeQVEUnitModelResOptOnProduct(CVResult* pResult, TPViewQVEResOptInfo* pOpt,
                                               CQVEDocBase* pDoc);
  virtual void OnHostReserved6() = 0;
  virtual int IsZeroToNoRes(CVResult* pResult);
  virtual void OnHostReserved7() = 0;
  // The title line of a legend for a result category; here the quantity's common name, upper
  // case as the legend labels are, or "RESULT" for a category without one.
  virtual CString GetResCatTitle(std::int32_t nResCatType) const;

  static IPostAPI* Instance() { return m_pInstance; }

  // Cache folders. Each returns 1 when the produced path is not empty; folder paths end
  // with '/'.
  static int GetPostCacheFolderPath(CString& out, const CString& sub);
  static int GetCurPostCacheFolderPath(CString& out, const CString& sub);
  static int GetCurPSessionCacheFolderPath(const IPOHSession* pSession, CString& out,
                                           const CString& sub);
  static int MakePostVresFilePath(const CString& folder, const CVResult* pResult,
                                  const CString& ext, CString& out);
  // Creates a cache folder and its missing parents private to this user (mode 0700); 1 when
  // the folder is a real folder of this user afterwards.
  static int CreateCacheFolder(const CString& path);

  // Clean-up. Only entries of this user are removed; symbolic links are never followed (a
  // link that matches the pattern is removed itself, a link to a folder is not entered).
  static void CleanAndRemoveDir(const CString& dir, const CString& pattern);
  static void CleanUpPsessionCacheFolder(const CString& dir, const CString& pattern);
  static void CleanUpPostCacheFolder(const CString& root, const CString& pattern);
  static void CleanUpPostCacheFolderAll(const CString& sub, std::uint64_t processId,
                                        const CString& pattern);

  // Result ids.
  static std::int32_t ChangeResultType(std::int32_t id);
  static int FilterLocType(std::int32_t resultId, unsigned int locType);
  static std::int32_t FilterType(std::int32_t type, zar::MArray<std::int32_t>& ids);
  static int GetShaderResType(const CVResult* pResult);
  static int GetShaderSubType(const CVResult* pResult);
  static int GetShaderFatigueType(const CVResult* pResult);
  static int GetShaderFatMSC(const CVResult* pResult);

  // Entity counts and lookups across steps.
  static std::int32_t GetGlobalDSICount(pvk::LOC_TYPE locType, const IPreDBLinker* pLinker);
  static std::int32_t GetGlobalDSICount(pvk::LOC_TYPE locType, const CMPUPost* pMPU);
  static int FindMultiSetVResults(IPOHSession* pSession, CVResult* pResult,
                                  zar::MArray<CVResult*>& out, std::int32_t& index);

  // Iso-surface of one hexahedral cell and iso-line of one triangle at the zero level.
  static std::int32_t CutCube(TMPUIPLTri* out, const float v[8]);
  static std::int32_t CutFacetLine(TMPUIPLEdge* out, const float v[3]);

protected:
  IPostAPI() { m_pInstance = this; }

private:
  static IPostAPI* m_pInstance;  // not owned
};
