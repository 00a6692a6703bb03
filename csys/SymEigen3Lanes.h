#pragma once
// The eigen solution of SolveSymEigen3 for several matrices at once, one per lane.
#include "csys/LaneMath.h"

namespace pvk::csys::lanes {

// a: the matrices, replaced by their eigenvectors (column k belongs to d[k]); d ascending.
struct TEigenLanes {
  VD a[3][3];
  VD d[3];
};

// Lanes whose matrix SolveSymEigen3 solves without scaling (finite entries of at most 1e140,
// not all within kEigenZero) get exactly its results. Returns the lanes where it would
// fail; those hold no usable solution.
VM SolveSymEigen3Lanes(TEigenLanes& m);

}  // namespace pvk::csys::lanes
