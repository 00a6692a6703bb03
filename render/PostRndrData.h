#pragma once
// Render data: the prepared, drawable forms of results (legends, contour faces, edges).
// CPostRndrData keeps which update kinds an object reacts to, dispatches update requests to
// its handlers and turns point arrays into vertex-buffer models.
//
// Update kinds reach the handlers in the order they are declared: 1 initialize, 2 change
// result, 4 change option, 8 show/hide, 16 animation. _UpdateSetPlaneResult and
// _UpdatePlaneResultData are reached by no kind; subclasses call them themselves.
#include <cstdint>
#include <memory>

#include "base/CString.h"
#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "render/RndrDTypes.h"
#include "render/VBOModel.h"

namespace pvk {

// The models a render data object owns, in drawing order.
using TVBOModelList = zar::MList<std::unique_ptr<zar::render::MVBOModel>>;

class PVK_API IPostRndrData {
public:
  virtual ~IPostRndrData() = default;
  virtual void Clear() = 0;
  virtual int HasData() const = 0;
  // Whether the object draws from vertex buffers (0 or 1).
  virtual void SetUsedVBO(int used) = 0;
  virtual E_RNDRD_RENDER_LEVEL GetRenderLevel() const = 0;
  virtual unsigned short GetUpdateInfo() const = 0;
  virtual unsigned short GetLoadInfo() const = 0;
  virtual int GetExtraInfo() const = 0;
  virtual E_RNDRD_ANIMATE_LEVEL GetAnimateLevel() const = 0;
  virtual void SetUpdatInfo(unsigned short info) = 0;
  virtual void SetLoadInfo(unsigned short info) = 0;
  virtual void Update(const TRndrDUpdateParam& param) = 0;

protected:
  virtual void _UpdateInitialize(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
  virtual void _UpdateChangeResult(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
  virtual void _UpdateChangeOption(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
  virtual void _UpdateSetPlaneResult(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
  virtual void _UpdatePlaneResultData(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
  virtual void _UpdateShowHide(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
  virtual void _UpdateAnimation(T_RNDRD_ARG* arg, const TRndrDMPUInfo* info) = 0;
};

class PVK_API CPostRndrData : public IPostRndrData {
public:
  explicit CPostRndrData(unsigned short updateInfo = 0, unsigned short loadInfo = 0)
      : m_nUpdateInfo(updateInfo), m_nLoadInfo(loadInfo) {}

  void SetUsedVBO(int /*used*/) override {}
  E_RNDRD_RENDER_LEVEL GetRenderLevel() const override { return RNDRD_RENDER_MODEL; }
  unsigned short GetUpdateInfo() const override { return m_nUpdateInfo; }
  unsigned short GetLoadInfo() const override { return m_nLoadInfo; }
  int GetExtraInfo() const override { return 0; }
  E_RNDRD_ANIMATE_LEVEL GetAnimateLevel() const override { return RNDRD_ANIMATE_NONE; }
  void SetUpdatInfo(unsigned short info) override { m_nUpdateInfo = info; }
  void SetLoadInfo(unsigned short info) override { m_nLoadInfo = info; }
  void Update(const TRndrDUpdateParam& param) override;

  // Why the last model could not be built, or held values that are not finite.
  const CString& GetReason() const { return m_strReason; }

protected:
  void _UpdateInitialize(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}
  void _UpdateChangeResult(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}
  void _UpdateChangeOption(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}
  void _UpdateSetPlaneResult(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}
  void _UpdatePlaneResultData(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}
  void _UpdateShowHide(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}
  void _UpdateAnimation(T_RNDRD_ARG*, const TRndrDMPUInfo*) override {}

  // Deletes every model's graphics objects and the models, and empties the list.
  static void GLClearList(TVBOModelList* list);

  // Each builds one model from n points (nothing when n is 0) and appends it to the list;
  // doubles are narrowed to float. They return 1, and 0 only when the arrays differ in
  // length or hold more points than 32-bit indices reach. A model whose buffers the backend
  // cannot make is not appended; values that are not finite are kept. Both keep a reason
  // and send a warning.
  template <class T>
  using TPoints = zar::MTArray<zar::MVector<T, 3>>;
  int LoadDataEdgeVBO(const TPoints<float>& pts, TVBOModelList& list);
  int LoadDataEdgeVBO(const TPoints<double>& pts, TVBOModelList& list);
  int LoadDataEdgeVBO(const TPoints<float>& pts, const zar::MTArray<float>& vals,
                      TVBOModelList& list);
  int LoadDataEdgeVBO(const TPoints<double>& pts, const zar::MTArray<double>& vals,
                      TVBOModelList& list);
  int LoadDataFaceVBO(const TPoints<float>& pts, const TPoints<float>& normals,
                      TVBOModelList& list);
  int LoadDataFaceVBO(const TPoints<double>& pts, const TPoints<double>& normals,
                      TVBOModelList& list);
  int LoadDataFaceVBO(const TPoints<float>& pts, const TPoints<float>& normals,
                      const zar::MTArray<float>& vals, TVBOModelList& list);
  int LoadDataFaceVBO(const TPoints<double>& pts, const TPoints<double>& normals,
                      const zar::MTArray<double>& vals, TVBOModelList& list);

private:
  template <class T>
  int LoadDataVBO(unsigned primitive, const TPoints<T>& pts, const TPoints<T>* normals,
                  const zar::MTArray<T>* vals, TVBOModelList& list);
  int BuildModel(unsigned primitive, std::size_t n, std::span<const std::byte> block,
                 bool hasNormals, bool hasValues, TVBOModelList& list);
  int Fail(const CString& reason);

  unsigned short m_nUpdateInfo;
  unsigned short m_nLoadInfo;
  CString m_strReason;
};

}  // namespace pvk
