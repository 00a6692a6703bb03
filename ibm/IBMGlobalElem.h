#pragma once
// Element-node results sampled at the tessellation vertices of the bodies' geometry: one
// value per vertex, all bodies' vertices in one run (DSI, DCT: each body's first vertex and
// vertex count).
#include "ibm/IBMGlobalElemBase.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalElem : public CIBMGlobalElemBase {
public:
  int DoSetGlobal(TIBMLoadParam& param, PartialList list, PartialList pair) override;
  // The total tessellation vertex count of the shown bodies.
  std::int32_t GetVertexSize() const;

protected:
  void SetDataRange(const CMPUData* pData) override;
  // Samples every body's vertices; the arrays must be sized (DoSetGlobal).
  void SetDataComponent();

private:
  // The ids, positions and per-body ranges of the shown bodies' vertices.
  void InitVertices();
  void SetNoResultElem(const CPostPartialD& part);
  void SampleBody(std::int32_t b, const pvk::ibm::TValueKernel<float>& kernel,
                  double* const* out) const;
  // The data range over the vertices, and the extent pair with it.
  void SetElemNodeMinMax(const CMPUData* pData);
  std::span<const zar::MVector<double, 3>> BodyVertices(std::int32_t b) const;
};
