// The whole road: the result file (and the solver output after the separator) added through
// the post file manager, the model database filled from it, every result of every step loaded.
#include <cstddef>
#include <cstdint>

#include "FuzzRoad.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pvk_fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pvk_fuzz::RunRoadInput(data, size, nullptr);
  return 0;
}
