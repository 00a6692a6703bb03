#pragma once
// Element-node results of the grid cells (location types 6 and 7): the cell's node values are
// evaluated inside the cell with the hexahedral shape functions, at the display points of a
// subclass and at any point a user picks (GetPosValue).
#include <memory>

#include "ibm/IBMGlobalD.h"
#include "ibm/IBMGlobalKernel.h"
#include "qve_pvk_export.h"

class PVK_API CIBMGlobalElemBase : public CIBMGlobalD {
public:
  using CIBMGlobalD::SetGlobal;

  void Clear() override;
  int InitData(CMPUPost* pMPU, pvk::TDLoadOpt& opt, std::int32_t nComp) override {
    m_query.Reset();
    return InitDataShared(pMPU, opt, nComp, true, true);
  }
  // Keeps both lists; builds at once when param's build flag is set. 0 for an empty list,
  // which releases both, and when param names no display mesh.
  int SetGlobal(TIBMLoadParam& param, PartialList list, PartialList pair) override;
  int SetGlobal(TIBMLoadParam& param, PartialList list) override {
    return SetGlobal(param, std::move(list), nullptr);
  }
  int UpdateDataRange(TIBMLoadParam& param) override;
  // The value at a point inside the first grid whose cell there has a result.
  int GetPosValue(const zar::MVector<double, 3>& pos, double& value) override;

  virtual int DoSetGlobal(TIBMLoadParam& param, PartialList list, PartialList pair) = 0;
  // Grid cells keep no block-to-node index of their own: nothing to map, 0.
  virtual int SetGlobalToPartialBNIdx(TPostPartialD& part, std::int32_t n);

protected:
  // The frame of one body's grid: point transform, cell lookup and extent.
  struct TGridFrame {
    bool bGrid = false;
    bool bAligned = true;
    std::int32_t nOrder = 0;
    double aRot[3][3] = {};
    double aOrigin[3] = {};
    double aOrigin2[3] = {};
    // The transform in single precision, rounded once rather than at every vertex.
    float aRotF[3][3] = {};
    float aOriginF[3] = {};
    float aOrigin2F[3] = {};
    double aExtent[3] = {};
    double aStep[3] = {};     // lengths of the axis step vectors
    double aInvStep[3] = {};  // and their inverses
    std::int32_t aCells[3] = {};
    std::int32_t nCellsPerRow = 0;
    std::int32_t nCellsPerLayer = 0;
    std::int32_t nCellStart = 0;

    // Into the grid frame: second origin and rotation for unaligned grids, then the origin.
    template <class T>
    void ToGrid(const zar::MVector<double, 3>& p, T (&q)[3], const T (&origin)[3]) const;
  };

  // Where a point lies along the axes of its cell: xi = (2 q - sum) / diff per axis, from the
  // cell's diagonal corners 0 and 6 (sum c0 + c6, diff c6 - c0) in the grid frame.
  template <class T>
  struct TCellAxes {
    T aSum[3] = {};
    T aDiff[3] = {};
    void Natural(const T (&q)[3], T (&xi)[3]) const {
      for (int a = 0; a < 3; ++a) xi[a] = (T(2) * q[a] - aSum[a]) / aDiff[a];
    }
  };

  // The element of the cell of body b's grid holding grid-frame point q; -1 outside the grid
  // or without one.
  template <class T>
  std::int32_t FindElem(std::int32_t b, const T (&q)[3]) const;
  // The element of cell (i, j, k) of body b's grid; -1 for none.
  std::int32_t CellElem(std::int32_t b, const std::int32_t (&cell)[3]) const;

  virtual void SetDataRange(const CMPUData* pData) = 0;

  // bVolume: the volume data, which keep the stresses of fatigue results.
  pvk::ibm::TKernelFlags MakeFlags(bool bVolume) const;
  // Rows per node, grid frames, curves: what a build and a point query read.
  void PrepareSampling();
  // The context of body b for precision T; the shape functions are the body's (null when its
  // cell order has none).
  template <class T>
  pvk::ibm::TKernelContext<T> MakeContext() const;
  template <class T>
  const ShapeFuncHexaBase<T>* BodyShape(std::int32_t b) const;
  // The axes of element e of body b, its corners taken into the grid frame with origin; false
  // for a cell without both corners or with a flat axis.
  template <class T>
  bool CellAxes(std::int32_t b, std::int32_t e, const T (&origin)[3], TCellAxes<T>& axes) const;
  // Makes sure that the components the kernel writes hold n values.
  void EnsureWrittenComps(const pvk::ibm::TKernelFlags& flags, std::int32_t n);

  PartialList m_pList;
  PartialList m_pPair;
  zar::MArray<std::int32_t> m_aRowMain;
  zar::MArray<std::int32_t> m_aRowPair;
  zar::MArray<TGridFrame> m_aFrame;
  zar::MArray<pvk::ibm::TFatigueCurve> m_aFatigue;  // per body, for fatigue results
  zar::MArray<unsigned char> m_aHasFatigue;
  zar::MArray<pvk::ibm::THardening> m_aHardening;      // per body
  zar::MArray<zar::MArray<std::int32_t>> m_aBodyElem;  // per body, BodyElems
  // Element index by element id - 1 (the cell number over all grids), when the ids are dense
  // enough for a table; empty sends the lookups to the unit's id map.
  zar::MArray<std::int32_t> m_aCellElem;
  // Per output slot, 1 when the kernel gave it a value.
  zar::MArray<unsigned char> m_aSampled;

  // Component 0 of every slot starts unset, so that the slots the kernel leaves out can be
  // told apart (and set to 0) after sampling.
  void BeginSampling();
  void EndSampling();

private:
  // What a point query builds from the result and grid, kept until either changes. A copy
  // starts without it: the kernel points into its own context.
  struct TPosQuery {
    TPosQuery() = default;
    TPosQuery(const TPosQuery&) {}
    TPosQuery& operator=(const TPosQuery&) {
      Reset();
      return *this;
    }
    void Reset() {
      bBuilt = false;
      kernel = nullptr;
      cellRows = {};
    }

    bool bBuilt = false;
    pvk::ibm::TCellRows cellRows;
    pvk::ibm::TKernelContext<double> ctx;
    pvk::ibm::TValueKernel<double> kernel;  // empty for a result without one
  };

  void BuildCellElem();

  TPosQuery m_query;
};
