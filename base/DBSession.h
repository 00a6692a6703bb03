#pragma once
// The host's database session, as far as the library asks it: the unit control of the unit
// system that the host displays values in.
#include "qve_pvk_export.h"

namespace zar::lib {
class MUnitCtrl;
}

namespace zar_interface {

class PVK_API IDBSession {
public:
  virtual ~IDBSession() = default;
  // Not owned; null leaves loaded values in their result file's units.
  virtual const zar::lib::MUnitCtrl* GetUnitCtrl() const = 0;
};

}  // namespace zar_interface
