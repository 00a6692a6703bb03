#pragma once
// Element-node results of the grid cells (location types 6 and 7): the cell's node values are
// evaluated inside the cell with the hexahedral shape functions, at the display points of a
// subclass and at any point a user picks (GetPosValue).
#include <memory>

#include "ibm/IBMGlobalD.h"
#include "ibm/IBMGlobalKernel.h"

class CIBMGlobalElemBase : public CIBMGlobalD {
public:
  using CIBMGlobalD::SetGlobal;

  void Clear() override;
  int InitData(CMPUPost* pMPU, pvk::TDLoadOpt& opt, std::int32_t nComp) override {
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
    double aExtent[3] = {};
    double aStep[3] = {};  // lengths of the axis step vectors
    std::int32_t aCells[3] = {};
    std::int32_t nCellsPerRow = 0;
    std::int32_t nCellsPerLayer = 0;
    std::int32_t nCellStart = 0;

    // Into the grid frame: second origin and rotation for unaligned grids, then the origin.
    template <class T>
    void ToGrid(const zar::MVector<double, 3>& p, T (&q)[3], const double (&origin)[3]) const;
    // The element of the cell holding grid-frame point q; -1 outside the grid or without one.
    template <class T>
    std::int32_t FindElem(const CMPUPost& mpu, const T (&q)[3]) const;
    // The element of cell (i, j, k) of the grid; -1 for none.
    std::int32_t CellElem(const CMPUPost& mpu, const std::int32_t (&cell)[3]) const;
  };

  virtual void SetDataRange(const CMPUData* pData) = 0;

  pvk::ibm::TKernelFlags MakeFlags(bool bFatigueIn) const;
  // Rows per node, grid frames, curves: what a build and a point query read.
  void PrepareSampling();
  // The context of body b for precision T; the shape functions are the body's (null when its
  // cell order has none).
  template <class T>
  pvk::ibm::TKernelContext<T> MakeContext() const;
  template <class T>
  const ShapeFuncHexaBase<T>* BodyShape(std::int32_t b) const;
  // Natural coordinates of grid-frame point q in element e from its corners 0 and 6, taken
  // into the grid frame with the same origin as q.
  template <class T>
  bool NaturalCoords(std::int32_t b, std::int32_t e, const T (&q)[3], const double (&origin)[3],
                     T (&xi)[3]) const;
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
  // Per output slot, 1 when the kernel gave it a value.
  zar::MArray<unsigned char> m_aSampled;

  // Component 0 of every slot starts unset, so that the slots the kernel leaves out can be
  // told apart (and set to 0) after sampling.
  void BeginSampling();
  void EndSampling();
};
