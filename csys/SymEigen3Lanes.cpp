#include "csys/SymEigen3Lanes.h"

#include "csys/SymEigen3.h"

namespace pvk::csys::lanes {

namespace {

// The same constants and steps as the scalar solver; comments there say why.
constexpr int kN = 3;
constexpr double kOffDiagTol = 1e-10;
constexpr int kMaxSweeps = 60;

struct TState {
  VD v[3][3];
  VD d[3];
  VD e[3];
};

// Lanes of m keep from, the others to.
void Keep(VM m, TState& to, const TState& from) {
  for (int i = 0; i < kN; ++i) {
    for (int j = 0; j < kN; ++j) to.v[i][j] = Select(m, from.v[i][j], to.v[i][j]);
    to.d[i] = Select(m, from.d[i], to.d[i]);
    to.e[i] = Select(m, from.e[i], to.e[i]);
  }
}

// Row i without a reflection: its scale counts as zero.
void SkipRow(TState& s, int i) {
  s.e[i] = s.d[i - 1];
  for (int j = 0; j < i; ++j) {
    s.d[j] = s.v[i - 1][j];
    s.v[i][j] = VD{};
    s.v[j][i] = VD{};
  }
  s.d[i] = VD{};
}

void ReflectRow(TState& s, int i, VD scale) {
  auto& v = s.v;
  VD* d = s.d;
  VD* e = s.e;
  VD h = VD{};
  for (int k = 0; k < i; ++k) {
    d[k] /= scale;
    h += d[k] * d[k];
  }
  VD f = d[i - 1];
  const VD root = Sqrt(h);
  VD g = Select(f > 0, -root, root);
  e[i] = scale * g;
  h -= f * g;
  d[i - 1] = f - g;
  for (int j = 0; j < i; ++j) e[j] = VD{};
  for (int j = 0; j < i; ++j) {
    f = d[j];
    v[j][i] = f;
    g = e[j] + v[j][j] * f;
    for (int k = j + 1; k <= i - 1; ++k) {
      g += v[k][j] * d[k];
      e[k] += v[k][j] * f;
    }
    e[j] = g;
  }
  f = VD{};
  for (int j = 0; j < i; ++j) {
    e[j] /= h;
    f += e[j] * d[j];
  }
  const VD hh = f / (h + h);
  for (int j = 0; j < i; ++j) e[j] -= hh * d[j];
  for (int j = 0; j < i; ++j) {
    f = d[j];
    g = e[j];
    for (int k = j; k <= i - 1; ++k) v[k][j] -= (f * e[k] + g * d[k]);
    d[j] = v[i - 1][j];
    v[i][j] = VD{};
  }
  d[i] = h;
}

void ReduceRow(TState& s, int i) {
  VD scale = VD{};
  for (int k = 0; k < i; ++k) scale += Abs(s.d[k]);
  const VM skip = scale <= kEigenZero;
  if (!Any(skip)) return ReflectRow(s, i, scale);
  if (!Any(~skip)) return SkipRow(s, i);
  TState skipped = s;
  SkipRow(skipped, i);
  ReflectRow(s, i, scale);
  Keep(skip, s, skipped);
}

// The reflection of step i, in the lanes where its length h is not zero.
void Reflect(TState& s, int i, VM reflect) {
  auto& v = s.v;
  VD* d = s.d;
  const VD h = d[i + 1];
  VD dk[kN], vkj[kN][kN];
  for (int k = 0; k <= i; ++k) dk[k] = v[k][i + 1] / h;
  for (int k = 0; k <= i; ++k)
    for (int j = 0; j <= i; ++j) vkj[k][j] = v[k][j];
  for (int j = 0; j <= i; ++j) {
    VD g = VD{};
    for (int k = 0; k <= i; ++k) g += v[k][i + 1] * vkj[k][j];
    for (int k = 0; k <= i; ++k) vkj[k][j] -= g * dk[k];
  }
  for (int k = 0; k <= i; ++k) {
    d[k] = Select(reflect, dk[k], d[k]);
    for (int j = 0; j <= i; ++j) v[k][j] = Select(reflect, vkj[k][j], v[k][j]);
  }
}

void AccumulateReflections(TState& s) {
  auto& v = s.v;
  VD* d = s.d;
  for (int i = 0; i < kN - 1; ++i) {
    v[kN - 1][i] = v[i][i];
    v[i][i] = Splat(1.0);
    const VD h = d[i + 1];
    const VM reflect = h != 0.0;
    if (Any(reflect)) Reflect(s, i, reflect);
    for (int k = 0; k <= i; ++k) v[k][i + 1] = VD{};
  }
  for (int j = 0; j < kN; ++j) {
    d[j] = v[kN - 1][j];
    v[kN - 1][j] = VD{};
  }
  v[kN - 1][kN - 1] = Splat(1.0);
  s.e[0] = VD{};
}

void Tridiagonalize(TState& s) {
  for (int j = 0; j < kN; ++j) s.d[j] = s.v[kN - 1][j];
  for (int i = kN - 1; i > 0; --i) ReduceRow(s, i);
  AccumulateReflections(s);
}

struct TRotation {
  VD c, c2, c3, s, s2, p;
};

// Step i of a sweep, from the bottom of the block upwards.
void RotateStep(TState& st, TRotation& q, int i) {
  auto& v = st.v;
  VD* d = st.d;
  VD* e = st.e;
  q.c3 = q.c2;
  q.c2 = q.c;
  q.s2 = q.s;
  const VD g = q.c * e[i];
  VD h = q.c * q.p;
  const VD r = Sqrt(q.p * q.p + e[i] * e[i]);
  e[i + 1] = q.s * r;
  q.s = e[i] / r;
  q.c = q.p / r;
  q.p = q.c * d[i] - q.s * g;
  d[i + 1] = h + q.s * (q.c * g + q.s * d[i]);
  for (int k = 0; k < kN; ++k) {
    h = v[k][i + 1];
    v[k][i + 1] = q.s * v[k][i] + q.c * h;
    v[k][i] = q.c * v[k][i] - q.s * h;
  }
}

// One implicit-shift QL sweep on the block l..m; m is 2 in the lanes of mTo2, else l + 1.
void QLSweep(TState& st, int l, VM mTo2, VD& shift) {
  VD* d = st.d;
  VD* e = st.e;
  const VD g = d[l];
  VD p = (d[l + 1] - g) / (2.0 * e[l]);
  VD r = Sqrt(p * p + 1.0 * 1.0);
  r = Select(p < 0, -r, r);
  d[l] = e[l] / (p + r);
  d[l + 1] = e[l] * (p + r);
  const VD dl1 = d[l + 1];
  const VD h = g - d[l];
  for (int i = l + 2; i < kN; ++i) d[i] -= h;
  shift += h;
  TRotation q{Splat(1.0), Splat(1.0), Splat(1.0), VD{}, VD{}, Select(mTo2, d[2], d[l + 1])};
  const VD el1 = e[l + 1];
  for (int i = kN - 2; i >= l; --i) {
    // Above the block's bottom only the lanes whose block reaches row 2 take the step.
    if (i == l || !Any(~mTo2)) {
      RotateStep(st, q, i);
      continue;
    }
    TState before = st;
    const TRotation qBefore = q;
    RotateStep(st, q, i);
    Keep(~mTo2, st, before);
    q = {Select(mTo2, q.c, qBefore.c),   Select(mTo2, q.c2, qBefore.c2),
         Select(mTo2, q.c3, qBefore.c3), Select(mTo2, q.s, qBefore.s),
         Select(mTo2, q.s2, qBefore.s2), Select(mTo2, q.p, qBefore.p)};
  }
  p = -q.s * q.s2 * q.c3 * el1 * e[l] / dl1;
  e[l] = q.s * p;
  d[l] = q.c * p;
}

VM IsSmall(VD x, VD tst) { return Abs(x) <= kOffDiagTol * tst; }

// Lanes that run out of sweeps are returned.
VM Diagonalize(TState& st) {
  VD* d = st.d;
  VD* e = st.e;
  for (int i = 1; i < kN; ++i) e[i - 1] = e[i];
  e[kN - 1] = VD{};
  VD shift = VD{};
  VD tst = VD{};
  VM failed = VM{};
  for (int l = 0; l < kN - 1; ++l) {
    const VD rowSum = Abs(d[l]) + Abs(e[l]);
    tst = Select(rowSum > tst, rowSum, tst);
    // The block ends at the first small off-diagonal from l, fixed for all its sweeps.
    const VM mTo2 = l == 0 ? ~IsSmall(e[0], tst) & ~IsSmall(e[1], tst) : ~IsSmall(e[1], tst);
    VM active = ~IsSmall(e[l], tst);
    for (int sweep = 0; Any(active); ++sweep) {
      if (sweep == kMaxSweeps) {
        failed |= active;
        break;
      }
      const TState before = st;
      const VD shiftBefore = shift;
      QLSweep(st, l, mTo2, shift);
      Keep(~active, st, before);
      shift = Select(active, shift, shiftBefore);
      active &= ~IsSmall(e[l], tst);
    }
    d[l] += shift;
    e[l] = VD{};
  }
  d[kN - 1] += shift;
  e[kN - 1] = VD{};
  return failed;
}

VM NotFinite(VD x) { return ~(Abs(x) <= __builtin_huge_val()); }

void SortAscending(TState& s) {
  for (int i = 0; i < kN - 1; ++i) {
    VM toK[kN] = {};
    VD least = s.d[i];
    for (int j = i + 1; j < kN; ++j) {
      const VM smaller = s.d[j] < least;
      least = Select(smaller, s.d[j], least);
      for (int k = i + 1; k < j; ++k) toK[k] &= ~smaller;
      toK[j] = smaller;
    }
    for (int k = i + 1; k < kN; ++k) {
      const VD di = s.d[i];
      s.d[i] = Select(toK[k], s.d[k], di);
      s.d[k] = Select(toK[k], di, s.d[k]);
      for (int j = 0; j < kN; ++j) {
        const VD vi = s.v[j][i];
        s.v[j][i] = Select(toK[k], s.v[j][k], vi);
        s.v[j][k] = Select(toK[k], vi, s.v[j][k]);
      }
    }
  }
}

}  // namespace

VM SolveSymEigen3Lanes(TEigenLanes& m) {
  TState s;
  for (int i = 0; i < kN; ++i)
    for (int j = 0; j < kN; ++j) s.v[i][j] = m.a[i][j];
  Tridiagonalize(s);
  VM failed = Diagonalize(s);
  for (int i = 0; i < kN; ++i) {
    failed |= NotFinite(s.d[i]);
    for (int j = 0; j < kN; ++j) failed |= NotFinite(s.v[i][j]);
  }
  SortAscending(s);
  for (int i = 0; i < kN; ++i) {
    m.d[i] = s.d[i];
    for (int j = 0; j < kN; ++j) m.a[i][j] = s.v[i][j];
  }
  return failed;
}

}  // namespace pvk::csys::lanes
