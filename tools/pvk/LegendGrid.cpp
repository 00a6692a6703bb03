#include "LegendGrid.h"

#include <fmt/format.h>

#include <cmath>

#include "PvkError.h"
#include "PvkSession.h"
#include "PvkText.h"
#include "base/UnitControl.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MeshPostUnit.h"
#include "ibm/PostFileMPUProvider.h"
#include "render/IBMLegendRndrD.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/LegendValueFuncEqualPercent.h"
#include "resultfile/PZARFile.h"
#include "session/POHMcas.h"
#include "session/PostAPI.h"
#include "vresult/VResult.h"

namespace {

// The facade of a program without a host: its own operations have nothing to do, and the
// legend titles are the library's.
class CPvkPostAPI : public IPostAPI {
public:
  void OnHostReserved1() override {}
  void OnHostReserved2() override {}
  void OnHostReserved3() override {}
  void OnHostReserved4() override {}
  void OnHostReserved5() override {}
  void OnHostReserved6() override {}
  void OnHostReserved7() override {}
};

std::vector<std::string> Lines(const zar::MTArray<pvk::T_LEGEND_OBJ>& objs) {
  std::vector<std::string> lines;
  for (const pvk::T_LEGEND_OBJ& obj : objs) lines.push_back(pvk_text::Utf8(obj.GetText()));
  return lines;
}

}  // namespace

TGridLegend MakeGridLegend(CPvkSession& session, CVResult& vr, std::int32_t nRank, bool bPercent) {
  CMPUPost* pMPU = session.File().GetMPUPost();
  if (!pMPU || pMPU->GetBodySets().empty())
    throw CPvkError(PVK_EXIT_MISSING,
                    "cannot show result " + std::to_string(vr.GetType()) + " on grid cells",
                    "the file has no grids");
  CMemModelDB& db = session.Model();
  CPostFileMPUProvider provider(session.Manager());
  const CMPUGlobalMesh mesh(*pMPU, &db, &db.GetEntityPool());
  CMPUData display = pMPU->MakeData();
  TIBMLoadParam param;
  param.m_pLinker = &db;
  param.m_pMPUProvider = &provider;
  param.m_pMPUData = &display;
  param.m_pEntityPool = &db.GetEntityPool();
  param.m_nBuild = 1;
  param.m_pMesh = &mesh;

  // The node values shown on the cells, as the view shows them in volume form.
  vr.SetLocType(pvk::LOC_IBM_VOLUME_NODE);
  CIBMPDLItem item;
  item.SetVResultMain(&vr);
  pvk::TDLoadOpt opt;
  if (item.LoadMainData(opt, param) != 1 || item.GetMainD()->IsEmpty())
    throw CPvkError(PVK_EXIT_MISSING, fmt::format("no values of result {}", vr.GetType()),
                    "it does not load on the cells of the grids");
  const CIBMGlobalD& data = *item.GetMainD();

  CLegendValueFuncEqualInterval interval;
  CLegendValueFuncEqualPercent percent;
  ILegendValueFunc* pFunc = &interval;
  if (bPercent) {
    percent.SetQuantiles(data.GetScalarComp(), nRank);
    pFunc = &percent;
  } else {
    const pvk::TDataRange& range = data.GetDataRange();
    interval.SetData(nullptr, &item, range.m_rMin, range.m_rMax, nRank);
  }
  zar::lib::MUnitCtrl unit;
  unit.SetCurUnitSystem(*session.Mcas().GetUnitIndex());
  const CPvkPostAPI api;
  pvk::T_RNDRD_ARG arg{&item, pFunc, &unit};
  pvk::CIBMLegendRndrD legend(0);
  legend.MakeLegendD(&arg, nullptr);

  TGridLegend out;
  out.ranks = legend.GetValues();
  out.percents = legend.GetPercents();
  out.title = Lines(legend.GetTopLegendObjs());
  out.info = Lines(legend.GetBtmLegendObjs());
  for (const double v : data.GetScalarComp()) ++(std::isfinite(v) ? out.counted : out.leftOut);
  return out;
}
