#pragma once
// Eigen solution of a symmetric 3x3 matrix: Householder reduction to tridiagonal form and
// implicit-shift QL iterations.
namespace pvk::csys {

// Entries up to this magnitude count as zero.
inline constexpr double kEigenZero = 2.2e-16;

// Replaces a by its eigenvectors (column k belongs to d[k]) and fills d ascending. A matrix
// whose entries are all within kEigenZero gives zeros and the identity. 0 when an entry is
// not finite or the iterations do not settle; a and d then hold no usable solution.
int SolveSymEigen3(double a[3][3], double d[3]);
// The textbook form, with every length formed by hypot and no scaling; it overflows for
// entries beyond about 1e154. SolveSymEigen3 agrees with it to rounding where both work.
int SolveSymEigen3Reference(double a[3][3], double d[3]);

}  // namespace pvk::csys
