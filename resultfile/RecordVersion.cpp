#include "resultfile/RecordVersion.h"

namespace PZAR_RECORD_VER {

bool FromFormatNumber(std::int32_t format, E_VER& version) {
  switch (format) {
    case 130:
      version = VER_130;
      return true;
    case 140:
      version = VER_140;
      return true;
    case 150:
      version = VER_150;
      return true;
    default:
      return false;
  }
}

}  // namespace PZAR_RECORD_VER
