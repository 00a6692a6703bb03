#pragma once
// Composite (laminate) result components. A composite component id has 8 to 10 digits; after
// the leading ones its digits are: laminate kind (1 or 2), ply number (4 digits, 0 for none),
// component (1 to 5), position code (2 digits).
#include <cstdint>

#include "base/Containers.h"
#include "qve_pvk_export.h"

namespace PZAR_Composite {

// info: [0] 1 no ply, 2 ply; [1] ply id; [2] position class 1 to 4; [3] laminate kind;
// [4] component; [5] position index. 1 when `comp` is a composite component.
PVK_API int GetCompositeInformation(const zar::MArray<std::int32_t>& plyIds, std::int32_t comp,
                                    unsigned int info[6]);
// The composite class 0 to 3 of the information; plyId receives the ply id of class 3.
PVK_API int IsComposite(const unsigned int info[6], int& plyId);
// Class 1 → 97, 2 → 98, 3 → 99, else 0.
PVK_API std::int32_t GetCompositeRltCatType(int compositeClass);

}  // namespace PZAR_Composite
