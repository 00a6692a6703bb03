#include "render/Texture.h"

#include "base/MsgOut.h"

namespace zar::oglib {

int MTexture::GLGenerate() {
  GLDelete();
  IGfxBackend* backend = GetGfxBackend();
  if (!backend) return Fail(L"No graphics backend is set");
  m_nName = backend->GenTexture();
  if (m_nName == 0) return BackendFailed(*backend);
  m_pBackend = backend;
  return 1;
}

int MTexture::SetParam(const TTexParam& param) {
  if (!m_pBackend) return Fail(L"The texture is not generated");
  if (!m_pBackend->TexParam(m_nName, param)) return BackendFailed(*m_pBackend);
  m_nTarget = param.nTarget;
  return 1;
}

int MTexture::GLSetParam(unsigned target, int wrapS, int wrapT, int minFilter, int magFilter) {
  return SetParam({target, wrapS, wrapT, 0, minFilter, magFilter});
}

int MTexture::GLSetParam3D(unsigned target, int wrapS, int wrapT, int wrapR, int minFilter,
                           int magFilter) {
  return SetParam({target, wrapS, wrapT, wrapR, minFilter, magFilter});
}

int MTexture::SetImage(TTexImage image, std::span<const std::byte> data) {
  if (!m_pBackend) return Fail(L"The texture is not generated");
  const auto bytes =
      GetTexImageBytes(image.nWidth, image.nHeight, image.nDepth, image.nFormat, image.nType);
  if (!bytes) return Fail(L"A texture image of unknown format or impossible size");
  if (!data.empty() && data.size() != *bytes)
    return Fail(L"Texture image data of another size than the image");
  image.pData = data.empty() ? nullptr : data.data();
  image.nBytes = *bytes;
  if (!m_pBackend->TexImage(m_nName, image)) return BackendFailed(*m_pBackend);
  m_nTarget = image.nTarget;
  return 1;
}

int MTexture::GLSetTexImage1D(unsigned target, int level, int internalFormat, int width, int border,
                              unsigned format, unsigned type, std::span<const std::byte> data) {
  return SetImage({target, level, internalFormat, width, 1, 1, border, format, type}, data);
}

int MTexture::GLSetTexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                              int border, unsigned format, unsigned type,
                              std::span<const std::byte> data) {
  return SetImage({target, level, internalFormat, width, height, 1, border, format, type}, data);
}

int MTexture::GLSetTexImage3D(unsigned target, int level, int internalFormat, int width, int height,
                              int depth, int border, unsigned format, unsigned type,
                              std::span<const std::byte> data) {
  return SetImage({target, level, internalFormat, width, height, depth, border, format, type},
                  data);
}

int MTexture::GLGetTexImage(int level, unsigned format, unsigned type,
                            std::span<std::byte> out) const {
  if (!m_pBackend) return Fail(L"The texture is not generated");
  return m_pBackend->GetTexImage(m_nName, m_nTarget, level, format, type, out)
             ? 1
             : BackendFailed(*m_pBackend);
}

void MTexture::GLDelete() {
  if (m_pBackend) m_pBackend->DeleteTexture(m_nName);
  m_pBackend = nullptr;
  m_nName = 0;
  m_nTarget = 0;
}

}  // namespace zar::oglib
