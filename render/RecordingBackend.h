#pragma once
// A graphics backend that draws nothing: it records every call with its arguments and a copy
// of its data, and keeps the contents of its buffers and textures so that they read back as
// OpenGL would give them. For tests of exact calls and byte layouts, and for machines without
// a display. The record grows with every call; ClearCalls drops it.
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "base/Containers.h"
#include "qve_pvk_export.h"
#include "render/GfxBackend.h"

namespace zar::oglib {

enum class EGfxCall {
  GEN_BUFFER,
  BUFFER_DATA,
  GET_BUFFER_SUB_DATA,
  DELETE_BUFFER,
  GEN_TEXTURE,
  TEX_PARAM,
  TEX_IMAGE,
  GET_TEX_IMAGE,
  DELETE_TEXTURE,
  CREATE_FRAMEBUFFER,
  CLEAR_FRAMEBUFFER,
  READ_PIXELS,
  DELETE_FRAMEBUFFER,
  CREATE_PROGRAM,
  DELETE_PROGRAM,
  DRAW,
};

// One call. The arguments after the name, in order:
//   BUFFER_DATA: target, bytes, usage;  GET_BUFFER_SUB_DATA: offset, bytes;
//   TEX_PARAM: target, wrap S, T, R, min filter, mag filter;
//   TEX_IMAGE: target, level, internal format, width, height, depth, border, format, type;
//   GET_TEX_IMAGE: target, level, format, type, bytes;
//   CREATE_FRAMEBUFFER: width, height;  CLEAR_FRAMEBUFFER: red, green, blue, alpha (0 to 255);
//   READ_PIXELS: bytes;  DRAW: program, attribute buffer, index buffer, texture, primitive,
//   count, offset, then location, components, type, offset of each attribute.
// The data: CREATE_PROGRAM the vertex and the fragment source, each ended by a zero byte;
// DRAW the floats of its uniforms, in order.
struct TGfxCall {
  EGfxCall eCall;
  unsigned nName;
  zar::MArray<std::int64_t> aArg;
  zar::MArray<std::byte> aData;  // the bytes given (BUFFER_DATA, TEX_IMAGE)
};

class PVK_API MRecordingBackend : public IGfxBackend {
public:
  unsigned GenBuffer() override;
  int BufferData(unsigned name, unsigned target, std::span<const std::byte> data,
                 unsigned usage) override;
  int GetBufferSubData(unsigned name, std::size_t offset, std::span<std::byte> out) override;
  void DeleteBuffer(unsigned name) override;
  unsigned GenTexture() override;
  int TexParam(unsigned name, const TTexParam& param) override;
  int TexImage(unsigned name, const TTexImage& image) override;
  int GetTexImage(unsigned name, unsigned target, int level, unsigned format, unsigned type,
                  std::span<std::byte> out) override;
  void DeleteTexture(unsigned name) override;
  unsigned CreateFramebuffer(int width, int height) override;
  int ClearFramebuffer(unsigned name, const TGfxColor& color) override;
  // Draws nothing: the colour reads back as the last clear colour, or zeros.
  int ReadPixels(unsigned name, std::span<std::byte> out) override;
  void DeleteFramebuffer(unsigned name) override;
  unsigned CreateProgram(std::string_view vertex, std::string_view fragment) override;
  void DeleteProgram(unsigned name) override;
  // Checks the names and that the indices and attributes lie inside their buffers.
  int Draw(const TGfxDraw& draw) override;

  const zar::MArray<TGfxCall>& GetCalls() const { return m_aCall; }
  void ClearCalls() { m_aCall.clear(); }
  // Bytes that buffers and textures may hold together; beyond it storage fails as OpenGL's
  // out-of-memory error would.
  void SetMemoryLimit(std::size_t bytes) { m_nMemoryLimit = bytes; }
  // Buffers and textures that are generated and not deleted.
  std::size_t GetLiveObjectCount() const {
    return m_mapBuffer.size() + m_mapTexture.size() + m_mapFramebuffer.size() + m_setProgram.size();
  }

private:
  struct TImage {
    unsigned nFormat;
    unsigned nType;
    zar::MArray<std::byte> aByte;
  };
  struct TTexture {
    unsigned nTarget = 0;  // fixed by the first parameter or image call
    std::map<int, TImage> mapLevel;
  };

  struct TFramebuffer {
    int nWidth;
    int nHeight;
    std::array<std::byte, RGBA_PIXEL_BYTES> aClear;
  };

  TGfxCall& Record(EGfxCall call, unsigned name, zar::MArray<std::int64_t> args);
  // Room for a store of `bytes` that replaces one of `replaced` bytes; fails when there is none.
  int Reserve(std::size_t bytes, std::size_t replaced);
  TTexture* FindTexture(unsigned name, unsigned target);

  zar::MArray<TGfxCall> m_aCall;
  std::unordered_map<unsigned, zar::MArray<std::byte>> m_mapBuffer;
  std::unordered_map<unsigned, TTexture> m_mapTexture;
  std::unordered_map<unsigned, TFramebuffer> m_mapFramebuffer;
  std::unordered_set<unsigned> m_setProgram;
  unsigned m_nNextName = 1;
  std::size_t m_nMemoryLimit = std::numeric_limits<std::size_t>::max();
  std::size_t m_nMemoryUsed = 0;
};

}  // namespace zar::oglib
