// The block scan of a result file: header, offset table, every record's body and its echo,
// then the walks over the kept records.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "resultfile/PZARFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pvk_fuzz::Init();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = pvk_fuzz::Put("input.tkvp", data, size);
  CPZARFile file;
  if (file.ScanWithEcho(pvk_fuzz::Wide(path), pvk_fuzz::NullEcho())) {
    file.InitAllRecordFlags();
    std::int32_t range[2];
    file.GetRecordVectorIDRange(range);
    file.DeInitAllRecordFlags();
  }
  return 0;
}
