#pragma once
// A buffer object of the current graphics backend (see GfxBackend.h). Failures return 0 and
// keep the reason; the buffer's storage is deleted with the buffer.
#include <cstddef>
#include <span>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "render/GfxBackend.h"
#include "render/GfxEnums.h"

namespace zar::oglib {

class PVK_API MBuffer : public MGfxReason {
public:
  explicit MBuffer(unsigned target = gl::ARRAY_BUFFER) : m_nTarget(target) {}
  MBuffer(const MBuffer&) = delete;
  MBuffer& operator=(const MBuffer&) = delete;
  ~MBuffer() { GLDelete(); }

  // Creates the buffer object on the current backend (deleting one made before).
  int GLGenerate();
  // Replaces the contents with a copy of `data`.
  int GLSetData(std::span<const std::byte> data, unsigned usage = gl::STATIC_DRAW);
  // Reads `out.size()` bytes back from `offset`.
  int GLGetData(std::size_t offset, std::span<std::byte> out) const;
  void GLDelete();

  unsigned GetTarget() const { return m_nTarget; }
  unsigned GetName() const { return m_nName; }
  std::size_t GetSize() const { return m_nSize; }

private:
  // Keeps the reason of the backend's failure, which sent its own warning.
  int BackendFailed(const IGfxBackend& backend) const { return Keep(backend.GetReason()); }

  unsigned m_nTarget;
  unsigned m_nName = 0;
  std::size_t m_nSize = 0;
  IGfxBackend* m_pBackend = nullptr;  // not owned: the backend it was generated on
};

}  // namespace zar::oglib
