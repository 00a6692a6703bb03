#pragma once
// The steps of the principal value computation after the eigen solution, with the solver as a
// parameter so that the fast and the reference solver can be compared.
namespace pvk::csys {

using EigenSolver = int (*)(double a[3][3], double d[3]);

// Values largest first and their directions as rows, degenerate cases settled and the sign
// rule applied. 0 when the solver fails.
int PrincipalValues(double a[3][3], double values[3], double dirs[3][3], EigenSolver solve);

}  // namespace pvk::csys
