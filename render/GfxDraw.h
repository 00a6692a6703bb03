#pragma once
// What a backend needs to draw offscreen: a framebuffer of a colour and a depth renderbuffer,
// a shader program, and one draw of an indexed primitive from an attribute buffer.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace zar::oglib {

using TGfxColor = std::array<float, 4>;  // red, green, blue, alpha in 0 to 1

// A framebuffer's colour is read back as 8-bit red, green, blue, alpha, bottom row first.
inline constexpr std::size_t RGBA_PIXEL_BYTES = 4;
// A 24-bit depth with its 8 bits of padding.
inline constexpr std::size_t DEPTH_PIXEL_BYTES = 4;
// The widest and tallest framebuffer the recording backend makes, as common OpenGL drivers.
inline constexpr int MAX_FRAMEBUFFER_EXTENT = 16384;

// One vertex attribute read from the attribute buffer.
struct TGfxDrawAttrib {
  unsigned nLocation;  // the program's attribute location
  int nComponents;
  unsigned nType;
  std::size_t nOffset;  // bytes from the start of the attribute buffer
};

// A uniform of the program by name: 1, 3 or 4 floats a vector, 16 a matrix column by column.
struct TGfxUniform {
  const char* pName;
  std::span<const float> aValue;
};

struct TGfxDraw {
  unsigned nFramebuffer = 0;
  unsigned nProgram = 0;
  unsigned nAttribBuffer = 0;
  unsigned nIndexBuffer = 0;  // 32-bit indices
  unsigned nTexture1D = 0;    // bound to unit 0; 0 for none
  std::span<const TGfxDrawAttrib> aAttrib;
  std::span<const TGfxUniform> aUniform;
  unsigned nPrimitive = 0;
  std::uint32_t nCount = 0;  // indices drawn
  std::size_t nOffset = 0;   // bytes into the index buffer
  float rWidth = 1.0f;       // line width
};

}  // namespace zar::oglib
