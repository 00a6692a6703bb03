#pragma once
// Which stored components the host's display and combination code combines into equivalent
// values (von Mises, octahedral, mean, maximum shear, principal values), and with which
// factors, so that the rule lives in one place. Variables are result ids written into the
// caller's array of the stated length; an id the rule does not know leaves it untouched.
#include <cstdint>

#include "qve_pvk_export.h"

class PVK_API CVResultAPI {
public:
  enum E_COMB_VAR_SOLID_PRINCP_IDXS : std::int32_t {
    COMB_VAR_SOLID_PRINCP_A = 0,
    COMB_VAR_SOLID_PRINCP_B = 1,
    COMB_VAR_SOLID_PRINCP_C = 2,
  };

  static void GetSolidStrsFactor_VonMises(double& f1, double& f2);
  static void GetSolidStrnFactor_VonMises(double& f1, double& f2);
  static void GetSolidStrsFactor_Octahedral(double& f1, double& f2);
  static void GetSolidStrnFactor_Octahedral(double& f1, double& f2);
  static void GetSolidStrnFactor_Mean(double& f);
  static void GetBarStrsFactor_VonMises(double& f1, double& f2);
  static void GetBarStrnFactor_VonMises(double& f1, double& f2);
  static void GetShellStrsFactor_MaxShear(double& f);
  static void GetShellStrnFactor_MaxShear(double& f);

  static void GetSolidStrsVariables(std::int32_t ids[6]);
  static void GetSolidStrnVariables(std::int32_t ids[6]);
  static void GetSolidStrsVariables_Mean(std::int32_t ids[3]);
  static void GetSolidStrnVariables_Mean(std::int32_t ids[3]);
  static void GetSolidStrsVariables_MaxShear(std::int32_t ids[3]);
  static void GetSolidStrnVariables_MaxShear(std::int32_t ids[3]);
  static E_COMB_VAR_SOLID_PRINCP_IDXS GetSolidStrsVariables_PrincpMainIdx(std::int32_t id);
  static E_COMB_VAR_SOLID_PRINCP_IDXS GetSolidStrnVariables_PrincpMainIdx(std::int32_t id);
  // The twelve strain principal ids, the group of `id` first.
  static void GetSolidStrnVariables_PrincpIdx(std::int32_t id, std::int32_t ids[12]);
  // Positions into the A, B, C ordered twelve stress principal components, `id`'s group first.
  static void GetSolidStrsVariables_PrincpIdx(std::int32_t id, std::int32_t idx[12]);
  static void GetSolidStrsVariables_PrincpCosIdx(std::int32_t id, std::int32_t& principal,
                                                 std::int32_t& axis);
  static void GetSolidStrnVariables_PrincpCosIdx(std::int32_t id, std::int32_t& principal,
                                                 std::int32_t& axis);

  static void GetShellStrsVariables(std::int32_t id, std::int32_t ids[3]);
  static void GetShellStrnVariables(std::int32_t id, std::int32_t ids[3]);
  static void GetShellStrsVariables_MaxShear(std::int32_t ids[3]);
  static void GetShellStrsVariables_MaxVonMises(std::int32_t ids[3]);
  static void GetShellStrsVariables_MaxPricipal(std::int32_t ids[3]);
  static void GetShellStrsVariables_MinPricipal(std::int32_t ids[3]);
  static void GetShellStrnVariables_MaxShear(std::int32_t ids[3]);
  static void GetShellStrnVariables_MaxVonMises(std::int32_t ids[3]);
  static void GetShellStrnVariables_MaxPricipal(std::int32_t ids[3]);
  static void GetShellStrnVariables_MinPricipal(std::int32_t ids[3]);
  static void GetShellForcVariables(std::int32_t id, std::int32_t ids[3]);
  static void GetShellForcVariables_MaxForc(std::int32_t ids[2]);
  static void GetShellForcVariables_MaxMoment(std::int32_t ids[2]);
  static void GetShellForcVariables_MaxTransverseShear(std::int32_t ids[2]);

  static void GetBarStrsVariables_VonMises(std::int32_t ids[4]);
  static void GetBarStrnVariables_VonMises(std::int32_t ids[4]);
  static void GetBarStrsVariables_Combined(std::int32_t ids[4]);
  static void GetBarStrnVariables_Combined(std::int32_t ids[4]);
};
