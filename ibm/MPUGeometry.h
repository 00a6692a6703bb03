#pragma once
// The geometry of the unit's parts as its facet data give it: one body per facet group (the
// surface of one part), with one face whose tessellation is the part's facets. The vertices
// are the facet nodes the part uses, in the order its facets first use them. A facet with a
// node the facet data do not hold is left out.
#include <cstdint>
#include <memory>

#include "base/Containers.h"
#include "base/MXBody.h"
#include "ibm/MPUFacet.h"

struct TMPUPartBody {
  std::int32_t m_nPartID;
  std::unique_ptr<zar::cad::MXBody> m_pBody;
};

zar::MArray<TMPUPartBody> MakeMPUBodies(const CMPUFacet& facet);
