#pragma once
// The registration rows of the generated result classes, one table per generating source
// (VResultClassGen.h builds them); VResultClasses.cpp registers them all under key 0, in the
// order of these getters.
#include <span>

#include "vresult/VResultRegistrar.h"

struct TVResultClassTable {
  std::span<const TVResultClassReg> aClasses;
  std::span<const TCompTypeVResReg> aPairs;
};

TVResultClassTable GetScalarDirectClassTable();
TVResultClassTable GetScalarDirectPhaseClassTable();
TVResultClassTable GetCaseInfoClassTable();
TVResultClassTable GetVectorClassTable();
TVResultClassTable GetStressClassTable();
TVResultClassTable GetTensorClassTable();
TVResultClassTable GetSPRClassTable();
