#pragma once
// The value kernels of the element interpolation: for one cell and one sample point they
// interpolate the cell's node values with the hexahedral shape functions and write the
// quantity of the result. Kernels are built once per build or query and run for every point.
#include <cstdint>
#include <functional>
#include <span>

#include "base/Containers.h"
#include "datastore/PostPartialD.h"
#include "ibm/ShapeFuncHexa.h"

class IIBMGlobalMesh;
struct TMPUMatD;

namespace pvk::ibm {

inline constexpr std::int32_t N_SPR_POLY = 10;
inline constexpr std::int32_t N_TENSOR = 6;
// Magnitudes below this count as zero: 1e-12 taken in single precision.
inline constexpr float R_ZERO_F = 1e-12f;

// The three principal values of the symmetric tensor (xx, yy, zz, xy, yz, zx), largest first,
// by the trigonometric solution of the scaled deviator.
template <class T>
void PrincipalValues(const T s[N_TENSOR], T out[3]);

// sqrt(((sx - sy)^2 + (sy - sz)^2 + (sz - sx)^2 + 6 (txy^2 + tyz^2 + tzx^2)) / 2)
template <class T>
T VonMises(const T s[N_TENSOR]);

// One fatigue curve of a body, ready for the kernel.
struct TFatigueCurve {
  std::int32_t nMeasure = 0;  // 0 signed von Mises, 1 von Mises, 2 largest |principal|,
                              // 3 half the principal range
  float rMaxLife = 0.0f;
  float rLower = 0.0f;
  float rUpper = 0.0f;
  zar::MArray<float> aTable;  // damage at points spread evenly from lower to upper

  // The equivalent stress of the tensor by the curve's measure.
  float Equivalent(const float s[N_TENSOR]) const;
  // Damage in [0, 100] (sub-type 0) or life up to the maximum life (sub-type 1).
  float Evaluate(float sigma, std::int32_t nSubType) const;
};

// A hardening curve: the yield stress and its slope over the effective plastic strain.
struct THardening {
  float rConst = 0.0f;  // the value of a curve without table
  float rLower = 0.0f;
  float rUpper = 0.0f;
  zar::MArray<float> aTable;

  static THardening From(const TMPUMatD* pMat);
  void Lookup(float x, float& value, float& slope) const;
};

// Which kernel a result takes, and what it needs to know of the result.
struct TKernelFlags {
  bool bSPR = false, bSPRComp = false, bPair = false, bNonlinear = false, bComplex = false;
  bool bVonMises = false, bPrincipal = false, bTotal = false, bFatigueOut = false;
  bool bFatigueIn = false, bHeatTotal = false;
  bool bFatigueStress = false;  // a fatigue output also keeps its six stresses in 1 .. 6
  bool bStrain = false;         // tensor shears are engineering strains, halved before use
  bool bPhase = false;          // phase-angle id of a complex result
  bool bEqStrs = false, bEfPlstStrn = false, bNLVar = false;
  std::int32_t nPrinIdx = -1;
  std::int32_t nFatigueSubType = -1;
  std::int32_t nBeginComp = 0;
  std::int32_t nResType = 0;
};

// How many leading components the kernel writes (1, 4 for totals, 6 for tensors kept whole,
// 7 for a fatigue value with its stresses).
inline std::int32_t WrittenCompCount(const TKernelFlags& f) {
  return f.bFatigueStress ? 1 + N_TENSOR : f.bFatigueIn ? N_TENSOR : f.bTotal ? 4 : 1;
}

// The block rows of the nodes of the cell a core read last. A caller that samples runs of
// points in one cell on one thread lends one to its context; the parallel loop does not.
struct TCellRows {
  std::int32_t nElem = -1;
  const std::int32_t* pRows = nullptr;  // the node-to-row map they came from
  std::int32_t nNode = 0;
  bool bAll = false;                 // every node has a row
  std::int32_t aRow[N_HEXA20_NODE];  // filled by the gather that sets nElem
};

// What the kernels read: the blocks, their rows per node index, the cell's display nodes and
// positions, and the per-body curves. Set per body by the caller; read only while sampling,
// but for the cell rows it may lend.
template <class T>
struct TKernelContext {
  const IIBMGlobalMesh* pMesh = nullptr;
  TPostPartialD main, pair;
  const std::int32_t* pRowMain = nullptr;  // per node index, -1 for none
  const std::int32_t* pRowPair = nullptr;
  const ShapeFuncHexaBase<T>* pShape = nullptr;
  std::int32_t nShapeNode = 0;  // of pShape: the cores run its static form, no virtual call
  const TFatigueCurve* pFatigue = nullptr;
  const THardening* pHardening = nullptr;
  TCellRows* pCellRows = nullptr;  // not owned; null in a context shared by threads

  void SetShape(const ShapeFuncHexaBase<T>* p) {
    pShape = p;
    nShapeNode = p ? p->GetNodeCount() : 0;
  }
};

// out[c][slot] receives component c.
template <class T>
using TValueKernel =
    std::function<void(std::int32_t elem, const T (&xi)[3], const zar::MVector<double, 3>& x,
                       double* const* out, std::int32_t slot)>;

// The kernel for the flags, reading through ctx (which must outlive it); empty when the result
// has no kernel.
template <class T>
TValueKernel<T> MakeValueKernel(const TKernelFlags& flags, const TKernelContext<T>* ctx);

// sum_j N_j u_cj for m components from column `first` of the block, nodes in shape order.
// False when a node of the cell has no value.
template <class T>
bool InterpolateCore(const TKernelContext<T>& ctx, const TPostPartialD& part,
                     const std::int32_t* rows, std::int32_t elem, const T (&xi)[3],
                     std::int32_t first, std::int32_t m, T* out);

}  // namespace pvk::ibm
