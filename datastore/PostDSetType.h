#pragma once
// The kinds of data set; a component carries the kind of the set it belongs to.
#include <cstdint>

namespace pvk {

enum E_POST_DSET_TYPE : std::int32_t {
  POST_DSET_UNIT_MODEL_RESULT = 0,
  POST_DSET_UNIT_ENTITY_COMP = 1,
  POST_DSET_UNIT_ENTITY_CASE_INFO = 2,
  POST_DSET_UNIT_ENTITY_CASE_DATA = 3,
};

}  // namespace pvk
