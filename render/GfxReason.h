#pragma once
// The reason of the last failure, kept by the graphics backends and their objects.
#include "base/CString.h"
#include "qve_pvk_export.h"

namespace zar::oglib {

class PVK_API MGfxReason {
public:
  // Why the last failing call failed.
  const CString& GetReason() const { return m_strReason; }

protected:
  // Keeps the reason, sends it to the message output as a warning and returns 0.
  int Fail(const CString& reason) const;
  // Keeps a reason that was already reported (by the backend) and returns 0.
  int Keep(const CString& reason) const {
    m_strReason = reason;
    return 0;
  }

private:
  mutable CString m_strReason;
};

}  // namespace zar::oglib
