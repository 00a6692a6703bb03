#include "csys/CSysMath.h"
#include "csys/OutputCSysConverter_ZAR.h"

using namespace pvk::csys;

int COutputCSysConverter_ZAR::GetElemOutputCSys(const pvk::TElemOutCsys_d* pEntries,
                                                std::int32_t nIndex, double m[3][3]) {
  if (!pEntries || nIndex < 0) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0 : 0.0;
    return 1;
  }
  const double* a = pEntries[nIndex].v;
  for (int j = 0; j < 3; ++j) {
    m[0][j] = a[j];
    m[1][j] = a[3 + j];
  }
  Cross3(m[0], m[1], m[2]);
  NormalizeIfLong(m[2]);
  return 1;
}
