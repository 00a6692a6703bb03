#include "render/ContourDraw.h"

#include <algorithm>

#include "render/ContourBands.h"
#include "render/GfxEnums.h"
#include "render/Texture.h"

namespace pvk::picture {

namespace {

namespace gl = zar::oglib::gl;
using zar::oglib::IGfxBackend;
using zar::oglib::TGfxDrawAttrib;
using zar::oglib::TGfxUniform;
using zar::render::E_VBO_ATTRIB;

// The attribute locations of the program.
constexpr unsigned POSITION_LOCATION = 0;
constexpr unsigned NORMAL_LOCATION = 1;
constexpr unsigned COORD_LOCATION = 2;

// Faces turned away from the light are not lost in shadow; lines carry no normal and are
// drawn unlit.
constexpr const char* VERTEX_SHADER = R"(#version 450 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in float aCoord;
uniform mat4 uMatrix;
uniform vec3 uEye;
out float vCoord;
out float vShade;
void main() {
  gl_Position = uMatrix * vec4(aPosition, 1.0);
  vCoord = aCoord;
  float len = length(aNormal);
  vShade = len > 0.0 ? 0.45 + 0.55 * abs(dot(aNormal / len, uEye)) : 1.0;
}
)";

constexpr const char* FRAGMENT_SHADER = R"(#version 450 core
layout(binding = 0) uniform sampler1D uBands;
in float vCoord;
in float vShade;
out vec4 fColor;
void main() { fColor = vec4(texture(uBands, vCoord).rgb * vShade, 1.0); }
)";

constexpr float LINE_WIDTH = 2.0f;

// The backend's framebuffer and program, deleted with the object.
class COffscreen {
public:
  explicit COffscreen(IGfxBackend& backend) : m_backend(backend) {}
  ~COffscreen() {
    if (m_nProgram) m_backend.DeleteProgram(m_nProgram);
    if (m_nFramebuffer) m_backend.DeleteFramebuffer(m_nFramebuffer);
  }
  COffscreen(const COffscreen&) = delete;
  COffscreen& operator=(const COffscreen&) = delete;

  int Create(int width, int height) {
    m_nFramebuffer = m_backend.CreateFramebuffer(width, height);
    if (m_nFramebuffer) m_nProgram = m_backend.CreateProgram(VERTEX_SHADER, FRAGMENT_SHADER);
    if (!m_nProgram) return 0;
    const auto& bg = BACKGROUND_COLOR;
    return m_backend.ClearFramebuffer(m_nFramebuffer,
                                      {bg[0] / 255.0f, bg[1] / 255.0f, bg[2] / 255.0f, 1.0f});
  }
  unsigned Framebuffer() const { return m_nFramebuffer; }
  unsigned Program() const { return m_nProgram; }

private:
  IGfxBackend& m_backend;
  unsigned m_nFramebuffer = 0;
  unsigned m_nProgram = 0;
};

int MakeBandTexture(zar::oglib::MTexture& tex, std::size_t texels) {
  const zar::MArray<std::uint8_t> table = BandTable(texels);
  const auto bytes = std::as_bytes(std::span(table));
  const auto width = static_cast<int>(table.size() / 3);
  const int clamp = static_cast<int>(gl::CLAMP_TO_EDGE), nearest = static_cast<int>(gl::NEAREST);
  return tex.GLGenerate() && tex.GLSetParam(gl::TEXTURE_1D, clamp, clamp, nearest, nearest) &&
         tex.GLSetTexImage1D(gl::TEXTURE_1D, 0, static_cast<int>(gl::RGB), width, 0, gl::RGB,
                             gl::UNSIGNED_BYTE, bytes);
}

unsigned LocationOf(E_VBO_ATTRIB kind) {
  switch (kind) {
    case E_VBO_ATTRIB::NORMAL:
      return NORMAL_LOCATION;
    case E_VBO_ATTRIB::TEXCOORD:
      return COORD_LOCATION;
    default:
      return POSITION_LOCATION;
  }
}

int DrawModel(IGfxBackend& backend, const COffscreen& target, const zar::render::MVBOModel& model,
              unsigned texture, std::span<const TGfxUniform> uniforms) {
  zar::MArray<TGfxDrawAttrib> attribs;
  for (const auto& a : model.GetAttribs())
    attribs.push_back({LocationOf(a.eKind), a.nComponents, a.nType, a.nOffset});
  for (const auto& part : model.GetParts()) {
    zar::oglib::TGfxDraw draw;
    draw.nFramebuffer = target.Framebuffer();
    draw.nProgram = target.Program();
    draw.nAttribBuffer = model.GetAttribBuffer().GetName();
    draw.nIndexBuffer = part.pIndex->GetName();
    draw.nTexture1D = texture;
    draw.aAttrib = attribs;
    draw.aUniform = uniforms;
    draw.nPrimitive = part.nPrimitive;
    draw.nCount = part.nCount;
    draw.nOffset = part.nOffset;
    draw.rWidth = part.nPrimitive == gl::LINES ? LINE_WIDTH : part.rWidth;
    if (!backend.Draw(draw)) return 0;
  }
  return 1;
}

}  // namespace

int CContourRndrD::Load(const TContourGeometry& g) {
  Clear();
  if (!LoadDataFaceVBO(g.aTri, g.aTriNormal, g.aTriCoord, m_list) || !GetReason().IsEmpty())
    return 0;
  return LoadDataEdgeVBO(g.aLine, g.aLineCoord, m_list) && GetReason().IsEmpty();
}

int DrawContour(const CContourRndrD& data, std::size_t rankCount, const TCamera& camera, int width,
                int height, TRgbaImage& out, CString& reason) {
  IGfxBackend* backend = zar::oglib::GetGfxBackend();
  if (!backend) {
    reason = L"No graphics backend is set";
    return 0;
  }
  COffscreen target(*backend);
  zar::oglib::MTexture bands;
  if (!target.Create(width, height)) {
    reason = backend->GetReason();
    return 0;
  }
  if (!MakeBandTexture(bands, rankCount)) {
    reason = bands.GetReason();
    return 0;
  }
  const TGfxUniform uniforms[] = {{"uMatrix", camera.aMatrix}, {"uEye", camera.aEye}};
  for (const auto& model : data.GetModels())
    if (!DrawModel(*backend, target, *model, bands.GetName(), uniforms)) {
      reason = backend->GetReason();
      return 0;
    }
  out = TRgbaImage(width, height, BACKGROUND_COLOR);
  if (!backend->ReadPixels(target.Framebuffer(), std::as_writable_bytes(std::span(out.aByte)))) {
    reason = backend->GetReason();
    return 0;
  }
  // OpenGL reads the bottom row first.
  const std::size_t row = TRgbaImage::CHANNELS * static_cast<std::size_t>(width);
  for (int y = 0; y < height / 2; ++y)
    std::swap_ranges(out.At(0, y), out.At(0, y) + row, out.At(0, height - 1 - y));
  return 1;
}

}  // namespace pvk::picture
