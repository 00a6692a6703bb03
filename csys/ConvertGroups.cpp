#include <cstdint>

#include "csys/OutputCSysConvertAPI.h"
#include "csys/OutputCSysConverter_ZAR.h"

namespace {

bool IsGroupSize(std::int32_t n) { return n == 3 || n == 6 || n == 8; }

// Every group must lie inside the columns before anything is touched.
bool GroupsFit(const TCSysConvGroups& g) {
  if (!IsGroupSize(g.nComp) || g.nEntity < 0 || g.nRows < 0) return false;
  for (std::int32_t k = 0; k < g.nComp; ++k)
    if (!g.pComp[k] && g.nRows > 0) return false;
  if (g.nEntity > 0 && (!g.pDSI || !g.pDCT)) return false;
  for (std::int32_t i = 0; i < g.nEntity; ++i) {
    const std::int64_t first = g.pDSI[i], count = g.pDCT[i];
    if (first < 0 || count < 0 || first + count > g.nRows) return false;
  }
  return true;
}

struct TGroupCtx {
  const TOutCSysInfo& info;
  int nEngineering;
  const double (*pElem)[3];
  const double (*pOut)[3];
  bool bProject;
};

int ConvertOne(const TGroupCtx& ctx, std::int32_t n, double c[8]) {
  using API = COutputCSysConvertAPI;
  if (ctx.bProject)
    return API::Ucs2UcsCompShellProjectional(n, c, ctx.pElem, ctx.pOut, ctx.info.rProjDir);
  if (n == 3) return API::Ucs2GcsComp3(c, ctx.pElem) && API::Gcs2UcsComp3(c, ctx.pOut);
  if (n == 6)
    return API::Ucs2GcsComp6(0, c, ctx.pElem, ctx.nEngineering) &&
           API::Gcs2UcsComp6(0, c, ctx.pOut, ctx.nEngineering);
  return API::Ucs2UcsComp8(0, c, ctx.pElem, ctx.pOut);
}

int ConvertEntity(const TGroupCtx& ctx, const TCSysConvGroups& g, std::int32_t i) {
  const std::int32_t n = g.nComp;
  const std::int32_t end = g.pDSI[i] + g.pDCT[i];
  for (std::int32_t row = g.pDSI[i]; row < end; ++row) {
    double c[8];
    for (std::int32_t k = 0; k < n; ++k) c[k] = g.pComp[k][row];
    if (!ConvertOne(ctx, n, c)) return 0;
    for (std::int32_t k = 0; k < n; ++k) g.pComp[k][row] = c[k];
  }
  return 1;
}

}  // namespace

int COutputCSysConverter_ZAR::IsNeedConvert(const TOutCSysInfo* pInfo) {
  return pInfo && pInfo->nCSysKind != 0 ? 1 : 0;
}

int COutputCSysConverter_ZAR::ConvertGroups(const TOutCSysInfo& info, int nEngineering,
                                            const TCSysConvGroups& groups) {
  if (!GroupsFit(groups)) return 0;
  TGetOutputCSysParam param{info.nCSysKind, info.nCSysID};
  double out[3][3];
  COutputCSysConvertAPI::GetOutputCSys(&param, out);
  // Vectors have no shell projection; they go through global axes like solid values.
  const bool bMayProject = info.nProjection && groups.pIsShell && groups.nComp != 3;
  for (std::int32_t i = 0; i < groups.nEntity; ++i) {
    double elem[3][3];
    GetElemOutputCSys(groups.pElemCSys, groups.pElemCSys ? i : -1, elem);
    const TGroupCtx ctx{info, nEngineering, elem, out, bMayProject && groups.pIsShell[i]};
    if (!ConvertEntity(ctx, groups, i)) return 0;
  }
  return 1;
}
