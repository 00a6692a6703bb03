// The scan of the solver's text output: the reaction tables become reaction records.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "resultfile/PZARFileEx.h"

namespace {

class CFuzzFileEx final : public CPZARFileEx {
public:
  using CPZARFileEx::_Scan;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pvk_fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = pvk_fuzz::Put("input.out", data, size);
  CFuzzFileEx file;
  file._Scan(pvk_fuzz::Wide(path));
  return 0;
}
