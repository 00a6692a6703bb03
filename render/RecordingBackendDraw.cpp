// The offscreen drawing calls of the recording backend.
#include <cmath>
#include <cstring>

#include "render/GfxEnums.h"
#include "render/RecordingBackend.h"

namespace zar::oglib {

namespace {

std::int64_t Arg(std::size_t n) { return static_cast<std::int64_t>(n); }

std::byte ColorByte(float c) {
  const float clamped = std::fmin(1.0f, std::fmax(0.0f, c));
  return static_cast<std::byte>(std::lround(clamped * 255.0f));
}

void Append(zar::MArray<std::byte>& data, std::string_view text) {
  const auto* p = reinterpret_cast<const std::byte*>(text.data());
  data.insert(data.end(), p, p + text.size());
  data.push_back(std::byte{0});
}

}  // namespace

unsigned MRecordingBackend::CreateFramebuffer(int width, int height) {
  Record(EGfxCall::CREATE_FRAMEBUFFER, 0, {width, height});
  if (width < 1 || height < 1 || width > MAX_FRAMEBUFFER_EXTENT || height > MAX_FRAMEBUFFER_EXTENT)
    return Fail(L"A framebuffer size outside 1 to 16384");
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (!Reserve(pixels * (RGBA_PIXEL_BYTES + DEPTH_PIXEL_BYTES), 0)) return 0;
  const unsigned name = m_nNextName++;
  m_aCall.back().nName = name;
  m_mapFramebuffer[name] = {width, height, {}};
  return name;
}

int MRecordingBackend::ClearFramebuffer(unsigned name, const TGfxColor& color) {
  const std::array<std::byte, RGBA_PIXEL_BYTES> clear = {ColorByte(color[0]), ColorByte(color[1]),
                                                         ColorByte(color[2]), ColorByte(color[3])};
  Record(EGfxCall::CLEAR_FRAMEBUFFER, name,
         {std::to_integer<int>(clear[0]), std::to_integer<int>(clear[1]),
          std::to_integer<int>(clear[2]), std::to_integer<int>(clear[3])});
  const auto it = m_mapFramebuffer.find(name);
  if (it == m_mapFramebuffer.end()) return Fail(L"A framebuffer that does not exist");
  it->second.aClear = clear;
  return 1;
}

int MRecordingBackend::ReadPixels(unsigned name, std::span<std::byte> out) {
  Record(EGfxCall::READ_PIXELS, name, {Arg(out.size())});
  const auto it = m_mapFramebuffer.find(name);
  if (it == m_mapFramebuffer.end()) return Fail(L"A framebuffer that does not exist");
  const std::size_t pixels =
      static_cast<std::size_t>(it->second.nWidth) * static_cast<std::size_t>(it->second.nHeight);
  if (out.size() != pixels * RGBA_PIXEL_BYTES)
    return Fail(L"Reading a framebuffer into a buffer of another size");
  for (std::size_t i = 0; i < out.size(); i += RGBA_PIXEL_BYTES)
    std::memcpy(out.data() + i, it->second.aClear.data(), RGBA_PIXEL_BYTES);
  return 1;
}

void MRecordingBackend::DeleteFramebuffer(unsigned name) {
  Record(EGfxCall::DELETE_FRAMEBUFFER, name, {});
  const auto it = m_mapFramebuffer.find(name);
  if (it == m_mapFramebuffer.end()) return;
  m_nMemoryUsed -= static_cast<std::size_t>(it->second.nWidth) *
                   static_cast<std::size_t>(it->second.nHeight) *
                   (RGBA_PIXEL_BYTES + DEPTH_PIXEL_BYTES);
  m_mapFramebuffer.erase(it);
}

unsigned MRecordingBackend::CreateProgram(std::string_view vertex, std::string_view fragment) {
  TGfxCall& call = Record(EGfxCall::CREATE_PROGRAM, 0, {});
  Append(call.aData, vertex);
  Append(call.aData, fragment);
  if (vertex.empty() || fragment.empty()) return Fail(L"A shader program without source");
  call.nName = m_nNextName++;
  m_setProgram.insert(call.nName);
  return call.nName;
}

void MRecordingBackend::DeleteProgram(unsigned name) {
  Record(EGfxCall::DELETE_PROGRAM, name, {});
  m_setProgram.erase(name);
}

int MRecordingBackend::Draw(const TGfxDraw& d) {
  zar::MArray<std::int64_t> args = {d.nProgram,   d.nAttribBuffer, d.nIndexBuffer, d.nTexture1D,
                                    d.nPrimitive, d.nCount,        Arg(d.nOffset)};
  for (const TGfxDrawAttrib& a : d.aAttrib)
    args.insert(args.end(), {a.nLocation, a.nComponents, a.nType, Arg(a.nOffset)});
  TGfxCall& call = Record(EGfxCall::DRAW, d.nFramebuffer, std::move(args));
  for (const TGfxUniform& u : d.aUniform) {
    const auto bytes = std::as_bytes(u.aValue);
    call.aData.insert(call.aData.end(), bytes.begin(), bytes.end());
  }
  if (!m_mapFramebuffer.contains(d.nFramebuffer)) return Fail(L"A framebuffer that does not exist");
  if (!m_setProgram.contains(d.nProgram)) return Fail(L"A shader program that does not exist");
  if (d.nTexture1D != 0 && !FindTexture(d.nTexture1D, gl::TEXTURE_1D)) return 0;
  const auto attrib = m_mapBuffer.find(d.nAttribBuffer);
  const auto index = m_mapBuffer.find(d.nIndexBuffer);
  if (attrib == m_mapBuffer.end() || index == m_mapBuffer.end())
    return Fail(L"Drawing from a buffer that does not exist");
  const std::size_t indexBytes = std::size_t{d.nCount} * sizeof(std::uint32_t);
  if (d.nOffset > index->second.size() || indexBytes > index->second.size() - d.nOffset)
    return Fail(L"Drawing past the end of an index buffer");
  for (const TGfxDrawAttrib& a : d.aAttrib)
    if (a.nOffset > attrib->second.size()) return Fail(L"An attribute past its buffer's end");
  return 1;
}

}  // namespace zar::oglib
