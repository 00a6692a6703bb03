// Registers the generated result classes and their component-type rows under key 0 when the
// library is loaded.
#include <vector>

#include "base/Object.h"
#include "vresult/catalogue/VResultClassTables.h"
#include "vresult/templates/VRTmplPhaseAngle.h"

namespace {

struct TJoinedTables {
  std::vector<TVResultClassReg> aClasses;
  std::vector<TCompTypeVResReg> aPairs;
};

TJoinedTables JoinTables() {
  TJoinedTables joined;
  for (const TVResultClassTable& table :
       {GetScalarDirectClassTable(), GetScalarDirectPhaseClassTable(), GetCaseInfoClassTable(),
        GetVectorClassTable(), GetStressClassTable(), GetTensorClassTable(), GetSPRClassTable()}) {
    joined.aClasses.insert(joined.aClasses.end(), table.aClasses.begin(), table.aClasses.end());
    joined.aPairs.insert(joined.aPairs.end(), table.aPairs.begin(), table.aPairs.end());
  }
  // The phase angle of the nodal material density is listed although no class delivers it:
  // the import asks the factory for it and creates nothing.
  constexpr std::int32_t kDensityPhase = pvk::vrtmpl::PhaseAngleId(7401);
  joined.aPairs.push_back({kDensityPhase, kDensityPhase});
  // The classes are known by name, as classes with their own static record are.
  for (const TVResultClassReg& row : joined.aClasses) AFX_CLASSINIT{row.pClass};
  return joined;
}

// The tables of the generating sources are constant-initialised, so they are complete here
// whatever the order of the static initialisers.
const TJoinedTables s_tables = JoinTables();
const CVResultTableRegistrar s_registrar(0, s_tables.aClasses, s_tables.aPairs);

}  // namespace
