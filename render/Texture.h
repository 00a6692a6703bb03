#pragma once
// A texture object of the current graphics backend (see GfxBackend.h). The first parameter
// call fixes the texture's target; images are given for that target. Image data are tightly
// packed bytes whose size the extents, format and type fix; empty data give storage without
// contents. Failures return 0 and keep the reason; the texture is deleted with the object.
#include <cstddef>
#include <span>

#include "base/CString.h"
#include "qve_pvk_export.h"
#include "render/GfxBackend.h"

namespace zar::oglib {

class PVK_API MTexture : public MGfxReason {
public:
  MTexture() = default;
  MTexture(const MTexture&) = delete;
  MTexture& operator=(const MTexture&) = delete;
  ~MTexture() { GLDelete(); }

  // Creates the texture object on the current backend (deleting one made before).
  int GLGenerate();
  // Wrapping and filtering of a one- or two-dimensional texture.
  int GLSetParam(unsigned target, int wrapS, int wrapT, int minFilter, int magFilter);
  int GLSetParam3D(unsigned target, int wrapS, int wrapT, int wrapR, int minFilter, int magFilter);
  int GLSetTexImage1D(unsigned target, int level, int internalFormat, int width, int border,
                      unsigned format, unsigned type, std::span<const std::byte> data);
  int GLSetTexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                      int border, unsigned format, unsigned type, std::span<const std::byte> data);
  int GLSetTexImage3D(unsigned target, int level, int internalFormat, int width, int height,
                      int depth, int border, unsigned format, unsigned type,
                      std::span<const std::byte> data);
  // Reads one level back in format and type; out must hold the image exactly.
  int GLGetTexImage(int level, unsigned format, unsigned type, std::span<std::byte> out) const;
  void GLDelete();

  unsigned GetTarget() const { return m_nTarget; }
  unsigned GetName() const { return m_nName; }

private:
  int SetParam(const TTexParam& param);
  int SetImage(TTexImage image, std::span<const std::byte> data);
  // Keeps the reason of the backend's failure, which sent its own warning.
  int BackendFailed(const IGfxBackend& backend) const { return Keep(backend.GetReason()); }

  unsigned m_nTarget = 0;
  unsigned m_nName = 0;
  IGfxBackend* m_pBackend = nullptr;  // not owned: the backend it was generated on
};

}  // namespace zar::oglib
