#pragma once
// The OpenGL enumerants that buffers, textures and models pass to a backend, by the values
// OpenGL gives them, so that callers need no OpenGL header.
namespace zar::oglib::gl {

// Buffer targets and usage.
inline constexpr unsigned ARRAY_BUFFER = 0x8892;
inline constexpr unsigned ELEMENT_ARRAY_BUFFER = 0x8893;
inline constexpr unsigned STATIC_DRAW = 0x88E4;

// Primitives.
inline constexpr unsigned LINES = 0x0001;
inline constexpr unsigned TRIANGLES = 0x0004;

// Component types.
inline constexpr unsigned UNSIGNED_BYTE = 0x1401;
inline constexpr unsigned UNSIGNED_INT = 0x1405;
inline constexpr unsigned FLOAT = 0x1406;

// Pixel formats and internal formats.
inline constexpr unsigned RED = 0x1903;
inline constexpr unsigned RGB = 0x1907;
inline constexpr unsigned RGBA = 0x1908;
inline constexpr unsigned R32F = 0x822E;
inline constexpr unsigned RGB32F = 0x8815;
inline constexpr unsigned RGBA32F = 0x8814;

// Texture targets and sampling.
inline constexpr unsigned TEXTURE_1D = 0x0DE0;
inline constexpr unsigned TEXTURE_2D = 0x0DE1;
inline constexpr unsigned TEXTURE_3D = 0x806F;
inline constexpr unsigned CLAMP = 0x2900;
inline constexpr unsigned CLAMP_TO_EDGE = 0x812F;
inline constexpr unsigned NEAREST = 0x2600;
inline constexpr unsigned LINEAR = 0x2601;

}  // namespace zar::oglib::gl
