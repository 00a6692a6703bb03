#include "render/GfxBackend.h"

#include <limits>

#include "base/MsgOut.h"
#include "render/GfxEnums.h"

namespace zar::oglib {

namespace {

IGfxBackend* g_pBackend = nullptr;

int GetFormatComponents(unsigned format) {
  switch (format) {
    case gl::RED:
      return 1;
    case gl::RGB:
      return 3;
    case gl::RGBA:
      return 4;
    default:
      return 0;
  }
}

int GetTypeBytes(unsigned type) {
  switch (type) {
    case gl::UNSIGNED_BYTE:
      return 1;
    case gl::UNSIGNED_INT:
    case gl::FLOAT:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

int MGfxReason::Fail(const CString& reason) const {
  m_strReason = reason;
  zar::lib::nsMsgOutWarning(L"%s\n", reason.GetString());
  return 0;
}

IGfxBackend* GetGfxBackend() { return g_pBackend; }

IGfxBackend* SetGfxBackend(IGfxBackend* backend) {
  IGfxBackend* previous = g_pBackend;
  g_pBackend = backend;
  return previous;
}

std::optional<std::size_t> GetTexImageBytes(int width, int height, int depth, unsigned format,
                                            unsigned type) {
  const int texelBytes = GetFormatComponents(format) * GetTypeBytes(type);
  if (texelBytes == 0 || width < 0 || height < 0 || depth < 0) return std::nullopt;
  // Each extent is below 2^31, so the product of two fits in 64 bits; check before the third.
  const auto plane = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  const std::uint64_t limit = std::numeric_limits<std::ptrdiff_t>::max() / texelBytes;
  if (depth != 0 && plane > limit / static_cast<std::uint64_t>(depth)) return std::nullopt;
  return static_cast<std::size_t>(plane * static_cast<std::uint64_t>(depth) * texelBytes);
}

}  // namespace zar::oglib
