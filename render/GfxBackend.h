#pragma once
// The graphics backend under zar::oglib's buffers and textures.
//
// Choosing a backend: the host sets one process-wide current backend with SetGfxBackend; the
// backend is not owned and must outlive every buffer and texture generated on it. By default
// there is none, and generating a buffer or a texture then fails with a reason. Each buffer and
// texture keeps the backend it was generated on, so that it is filled, read and deleted there
// even when the host switches backends later. Two backends exist: MRecordingBackend (records
// every call, for tests and machines without a display) and MOpenGLBackend (OpenGL on an EGL
// surfaceless context).
//
// Offscreen drawing (GfxDraw.h): a framebuffer of a given size with colour and depth, shader
// programs, draws of indexed primitives into a framebuffer and reading its colour back.
//
// Backends report failure as 0 (or name 0), keep the reason (GetReason) and send it to the
// message output as a warning.
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "render/GfxDraw.h"
#include "render/GfxReason.h"

namespace zar::oglib {

// Sampling parameters of a texture; wrap R is used by three-dimensional targets only.
struct TTexParam {
  unsigned nTarget = 0;
  int nWrapS = 0;
  int nWrapT = 0;
  int nWrapR = 0;
  int nMinFilter = 0;
  int nMagFilter = 0;
};

// One image level of a texture. Unused extents are 1; pData may be null (storage without
// contents), otherwise it holds nBytes tightly packed bytes.
struct TTexImage {
  unsigned nTarget = 0;
  int nLevel = 0;
  int nInternalFormat = 0;
  int nWidth = 1;
  int nHeight = 1;
  int nDepth = 1;
  int nBorder = 0;
  unsigned nFormat = 0;
  unsigned nType = 0;
  const void* pData = nullptr;
  std::size_t nBytes = 0;
};

class PVK_API IGfxBackend : public MGfxReason {
public:
  virtual ~IGfxBackend() = default;

  // A new buffer name; 0 on failure.
  virtual unsigned GenBuffer() = 0;
  // Replaces the buffer's storage with a copy of data; target is its binding point.
  virtual int BufferData(unsigned name, unsigned target, std::span<const std::byte> data,
                         unsigned usage) = 0;
  // Copies out.size() bytes from the buffer, starting at offset.
  virtual int GetBufferSubData(unsigned name, std::size_t offset, std::span<std::byte> out) = 0;
  virtual void DeleteBuffer(unsigned name) = 0;

  virtual unsigned GenTexture() = 0;
  virtual int TexParam(unsigned name, const TTexParam& param) = 0;
  virtual int TexImage(unsigned name, const TTexImage& image) = 0;
  // Copies one image level, tightly packed in format and type; out must hold it exactly.
  virtual int GetTexImage(unsigned name, unsigned target, int level, unsigned format, unsigned type,
                          std::span<std::byte> out) = 0;
  virtual void DeleteTexture(unsigned name) = 0;

  // A framebuffer of an 8-bit RGBA colour and a depth renderbuffer; 0 when it cannot be made
  // (a size outside 1 to the backend's limit, out of memory, incomplete).
  virtual unsigned CreateFramebuffer(int width, int height) = 0;
  // Fills the colour with `color` and the depth with the far plane.
  virtual int ClearFramebuffer(unsigned name, const TGfxColor& color) = 0;
  // The colour, width × height × RGBA_PIXEL_BYTES bytes; out must hold it exactly.
  virtual int ReadPixels(unsigned name, std::span<std::byte> out) = 0;
  virtual void DeleteFramebuffer(unsigned name) = 0;
  // A linked program of a vertex and a fragment shader; 0 with the compiler's log as reason.
  virtual unsigned CreateProgram(std::string_view vertex, std::string_view fragment) = 0;
  virtual void DeleteProgram(unsigned name) = 0;
  // Draws with depth test into the framebuffer, over its whole extent.
  virtual int Draw(const TGfxDraw& draw) = 0;
};

// The current backend; null when none is set.
PVK_API IGfxBackend* GetGfxBackend();
// Sets the current backend (not owned; null for none) and returns the previous one.
PVK_API IGfxBackend* SetGfxBackend(IGfxBackend* backend);

// Bytes of a tightly packed image of the given extents, format and type; none for an unknown
// format or type, a negative extent, or a size that does not fit in memory.
std::optional<std::size_t> GetTexImageBytes(int width, int height, int depth, unsigned format,
                                            unsigned type);

}  // namespace zar::oglib
