#pragma once
// A graphics backend that draws nothing: it records every call with its arguments and a copy
// of its data, and keeps the contents of its buffers and textures so that they read back as
// OpenGL would give them. For tests of exact calls and byte layouts, and for machines without
// a display. The record grows with every call; ClearCalls drops it.
#include <cstdint>
#include <limits>
#include <map>
#include <unordered_map>

#include "base/Containers.h"
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
};

// One call. The arguments after the name, in order:
//   BUFFER_DATA: target, bytes, usage;  GET_BUFFER_SUB_DATA: offset, bytes;
//   TEX_PARAM: target, wrap S, T, R, min filter, mag filter;
//   TEX_IMAGE: target, level, internal format, width, height, depth, border, format, type;
//   GET_TEX_IMAGE: target, level, format, type, bytes.
struct TGfxCall {
  EGfxCall eCall;
  unsigned nName;
  zar::MArray<std::int64_t> aArg;
  zar::MArray<std::byte> aData;  // the bytes given (BUFFER_DATA, TEX_IMAGE)
};

class MRecordingBackend : public IGfxBackend {
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

  const zar::MArray<TGfxCall>& GetCalls() const { return m_aCall; }
  void ClearCalls() { m_aCall.clear(); }
  // Bytes that buffers and textures may hold together; beyond it storage fails as OpenGL's
  // out-of-memory error would.
  void SetMemoryLimit(std::size_t bytes) { m_nMemoryLimit = bytes; }
  // Buffers and textures that are generated and not deleted.
  std::size_t GetLiveObjectCount() const { return m_mapBuffer.size() + m_mapTexture.size(); }

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

  TGfxCall& Record(EGfxCall call, unsigned name, zar::MArray<std::int64_t> args);
  // Room for a store of `bytes` that replaces one of `replaced` bytes; fails when there is none.
  int Reserve(std::size_t bytes, std::size_t replaced);
  TTexture* FindTexture(unsigned name, unsigned target);

  zar::MArray<TGfxCall> m_aCall;
  std::unordered_map<unsigned, zar::MArray<std::byte>> m_mapBuffer;
  std::unordered_map<unsigned, TTexture> m_mapTexture;
  unsigned m_nNextName = 1;
  std::size_t m_nMemoryLimit = std::numeric_limits<std::size_t>::max();
  std::size_t m_nMemoryUsed = 0;
};

}  // namespace zar::oglib
