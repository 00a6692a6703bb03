// The legend of a grid result of 10 M point values (MakeLegendD: ranks, shares, title and
// information blocks) against the raw band count of the same values in the same run (the
// anchor). The values are loaded once through a display item and stay warm; the legend's
// arrays are reused from one iteration to the next.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "datastore/PostPartialD.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/MPUPostProvider.h"
#include "ibm/MeshPostUnit.h"
#include "render/IBMLegendRndrD.h"
#include "render/LegendBandCounter.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "session/POHBase.h"
#include "session/POHPoolBase.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "session/QVEPOHSession.h"
#include "vresult/VResult.h"
#include "vresult/VResultPackage.h"

namespace {

constexpr std::int32_t N_VALUES = 10'000'000;
constexpr std::int32_t N_RANKS = 10;
constexpr double R_TOP = 100.0;

// Point values drawn at random, made as they load.
class CDrawnResult : public CVResult {
public:
  CDrawnResult() {
    SetLocType(pvk::LOC_POINT);
    SetAMTType(pvk::AMT_SCALAR);
    AddVRDSet(TVRDSet{});
  }
  std::int32_t GetType() const override { return 7207; }

protected:
  int _LoadPartial(CPostPartialD* pData, TVRDSet*, TVResParam*) override {
    if (!pData->Init(pvk::AMT_SCALAR, pvk::LOC_POINT, 1)) return 0;
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> u(0.0, R_TOP);
    pData->GetComp(0)->resize(N_VALUES);
    for (double& v : *pData->GetComp(0)) v = u(rng);
    pData->GetKey()->resize(N_VALUES);
    for (std::int32_t i = 0; i < N_VALUES; ++i) (*pData->GetKey())[i] = i + 1;
    return 1;
  }
};

class CBenchProvider : public IMPUPostProvider {
public:
  CMPUPost* GetMPUPost(std::uint64_t key) const override { return key ? m_pMPU : nullptr; }
  std::int32_t GetAnalType(const CVResult&) const override { return 0; }
  double GetFatigueMax(const CVResult&) const override { return 1.0; }
  bool GetSigmaFactor(const CVResult&, double&) const override { return false; }
  const zar::lib::MUnitCtrl* GetUnitCtrl() const override { return nullptr; }
  CMPUPost* m_pMPU = nullptr;
};

// One step holding the result, loaded as the main data of a display item.
struct TLoaded {
  CQVEPOHSession session;
  CMPUPost mpu;
  CBenchProvider provider;
  CIBMPDLItem item;
  CLegendValueFuncEqualInterval func;
  bool bLoaded = false;

  std::uint64_t AddNode(std::int32_t level, const wchar_t* name, std::uint64_t parent) {
    const std::uint64_t itr = session.GetPOHPool(level)->Add();
    session.GetPOHPool(level)->GetAt(itr)->SetName(name);
    session.GetPOHPool(level)->GetAt(itr)->SetParent(parent);
    return itr;
  }

  TLoaded() {
    const std::uint64_t mcas = AddNode(pvk::POH_LEVEL_MCAS, L"bench", 0);
    const std::uint64_t vcas =
        AddNode(pvk::POH_LEVEL_VCAS, L"Step 1", AddNode(pvk::POH_LEVEL_SCAS, L"STATIC", mcas));
    auto result = std::make_unique<CDrawnResult>();
    result->SetParent(vcas);
    result->SetPOHSession(&session);
    CVResult* vr = result.get();
    std::unique_ptr<CVResult> owned = std::move(result);
    if (!static_cast<CPOHVcas*>(session.GetPOHPool(pvk::POH_LEVEL_VCAS)->GetAt(vcas))
             ->GetPackage()
             ->Insert(owned))
      return;
    mpu.MakeBodySet();
    provider.m_pMPU = &mpu;
    TIBMLoadParam param;
    param.m_pMPUProvider = &provider;
    pvk::TDLoadOpt opt;
    item.SetVResultMain(vr);
    if (item.LoadMainData(opt, param) != 1) return;
    const pvk::TDataRange& range = item.GetMainD()->GetDataRange();
    func.SetData(nullptr, &item, range.m_rMin, range.m_rMax, N_RANKS);
    bLoaded = item.GetMainD()->GetDataCount() == N_VALUES;
  }
};

TLoaded& Loaded() {
  static TLoaded loaded;
  return loaded;
}

void BM_RawBandCount(benchmark::State& state) {
  TLoaded& l = Loaded();
  if (!l.bLoaded) return state.SkipWithError("the values did not load");
  zar::MTArray<double> ranks, percents;
  l.func.GetRankVal(ranks);
  for (auto _ : state) {
    CLegendBandCounter counter(ranks);
    counter.Add(l.item.GetMainD()->GetScalarComp());
    counter.GetPercents(percents);
    benchmark::DoNotOptimize(percents.data());
  }
  state.SetItemsProcessed(state.iterations() * N_VALUES);
}
BENCHMARK(BM_RawBandCount)->Unit(benchmark::kMillisecond);

void BM_MakeLegendD(benchmark::State& state) {
  TLoaded& l = Loaded();
  if (!l.bLoaded) return state.SkipWithError("the values did not load");
  pvk::CIBMLegendRndrD legend(0);
  pvk::T_RNDRD_ARG arg{&l.item, &l.func, nullptr};
  for (auto _ : state) {
    if (!legend.MakeLegendD(&arg, nullptr)) return state.SkipWithError("no legend");
    benchmark::DoNotOptimize(legend.GetPercents().data());
  }
  state.SetItemsProcessed(state.iterations() * N_VALUES);
}
BENCHMARK(BM_MakeLegendD)->Unit(benchmark::kMillisecond);

}  // namespace
