#include "render/RecordingBackend.h"

#include <cstring>

namespace zar::oglib {

namespace {

std::int64_t Arg(std::size_t n) { return static_cast<std::int64_t>(n); }

zar::MArray<std::byte> Copy(const void* data, std::size_t bytes) {
  const auto* p = static_cast<const std::byte*>(data);
  return data ? zar::MArray<std::byte>(p, p + bytes) : zar::MArray<std::byte>(bytes);
}

}  // namespace

TGfxCall& MRecordingBackend::Record(EGfxCall call, unsigned name, zar::MArray<std::int64_t> args) {
  return m_aCall.emplace_back(TGfxCall{call, name, std::move(args), {}});
}

int MRecordingBackend::Reserve(std::size_t bytes, std::size_t replaced) {
  const std::size_t others = m_nMemoryUsed - replaced;
  if (bytes > m_nMemoryLimit || others > m_nMemoryLimit - bytes) {
    CString reason;
    reason.Format(L"Out of graphics memory for %llu bytes", static_cast<unsigned long long>(bytes));
    return Fail(reason);
  }
  m_nMemoryUsed = others + bytes;
  return 1;
}

unsigned MRecordingBackend::GenBuffer() {
  const unsigned name = m_nNextName++;
  Record(EGfxCall::GEN_BUFFER, name, {});
  m_mapBuffer[name];
  return name;
}

int MRecordingBackend::BufferData(unsigned name, unsigned target, std::span<const std::byte> data,
                                  unsigned usage) {
  Record(EGfxCall::BUFFER_DATA, name, {target, Arg(data.size()), usage}).aData =
      Copy(data.data(), data.size());
  const auto it = m_mapBuffer.find(name);
  if (it == m_mapBuffer.end()) return Fail(L"Buffer data for a buffer that does not exist");
  if (!Reserve(data.size(), it->second.size())) return 0;
  it->second = Copy(data.data(), data.size());
  return 1;
}

int MRecordingBackend::GetBufferSubData(unsigned name, std::size_t offset,
                                        std::span<std::byte> out) {
  Record(EGfxCall::GET_BUFFER_SUB_DATA, name, {Arg(offset), Arg(out.size())});
  const auto it = m_mapBuffer.find(name);
  if (it == m_mapBuffer.end()) return Fail(L"Reading a buffer that does not exist");
  if (offset > it->second.size() || out.size() > it->second.size() - offset)
    return Fail(L"Reading past the end of a buffer");
  if (!out.empty()) std::memcpy(out.data(), it->second.data() + offset, out.size());
  return 1;
}

void MRecordingBackend::DeleteBuffer(unsigned name) {
  Record(EGfxCall::DELETE_BUFFER, name, {});
  const auto it = m_mapBuffer.find(name);
  if (it == m_mapBuffer.end()) return;
  m_nMemoryUsed -= it->second.size();
  m_mapBuffer.erase(it);
}

unsigned MRecordingBackend::GenTexture() {
  const unsigned name = m_nNextName++;
  Record(EGfxCall::GEN_TEXTURE, name, {});
  m_mapTexture[name];
  return name;
}

MRecordingBackend::TTexture* MRecordingBackend::FindTexture(unsigned name, unsigned target) {
  const auto it = m_mapTexture.find(name);
  if (it == m_mapTexture.end()) {
    Fail(L"A texture that does not exist");
    return nullptr;
  }
  if (it->second.nTarget == 0) it->second.nTarget = target;
  if (it->second.nTarget != target) {
    Fail(L"A texture used with a target other than its own");
    return nullptr;
  }
  return &it->second;
}

int MRecordingBackend::TexParam(unsigned name, const TTexParam& p) {
  Record(EGfxCall::TEX_PARAM, name,
         {p.nTarget, p.nWrapS, p.nWrapT, p.nWrapR, p.nMinFilter, p.nMagFilter});
  return FindTexture(name, p.nTarget) ? 1 : 0;
}

int MRecordingBackend::TexImage(unsigned name, const TTexImage& im) {
  Record(EGfxCall::TEX_IMAGE, name,
         {im.nTarget, im.nLevel, im.nInternalFormat, im.nWidth, im.nHeight, im.nDepth, im.nBorder,
          im.nFormat, im.nType})
      .aData = im.pData ? Copy(im.pData, im.nBytes) : zar::MArray<std::byte>();
  TTexture* tex = FindTexture(name, im.nTarget);
  if (!tex) return 0;
  const auto old = tex->mapLevel.find(im.nLevel);
  if (!Reserve(im.nBytes, old == tex->mapLevel.end() ? 0 : old->second.aByte.size())) return 0;
  tex->mapLevel[im.nLevel] = {im.nFormat, im.nType, Copy(im.pData, im.nBytes)};
  return 1;
}

int MRecordingBackend::GetTexImage(unsigned name, unsigned target, int level, unsigned format,
                                   unsigned type, std::span<std::byte> out) {
  Record(EGfxCall::GET_TEX_IMAGE, name, {target, level, format, type, Arg(out.size())});
  TTexture* tex = FindTexture(name, target);
  if (!tex) return 0;
  const auto it = tex->mapLevel.find(level);
  if (it == tex->mapLevel.end()) return Fail(L"Reading a texture level that has no image");
  // No conversion here: reading back is for checking what was written.
  if (it->second.nFormat != format || it->second.nType != type)
    return Fail(L"Reading a texture in a format other than the one written");
  if (out.size() != it->second.aByte.size())
    return Fail(L"Reading a texture image into a buffer of another size");
  if (!out.empty()) std::memcpy(out.data(), it->second.aByte.data(), out.size());
  return 1;
}

void MRecordingBackend::DeleteTexture(unsigned name) {
  Record(EGfxCall::DELETE_TEXTURE, name, {});
  const auto it = m_mapTexture.find(name);
  if (it == m_mapTexture.end()) return;
  for (const auto& [level, image] : it->second.mapLevel) m_nMemoryUsed -= image.aByte.size();
  m_mapTexture.erase(it);
}

}  // namespace zar::oglib
