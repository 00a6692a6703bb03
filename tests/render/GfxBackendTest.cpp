#include <bit>
#include <cmath>
#include <thread>

#include "GfxBackendFixture.h"
#include "render/Buffer.h"
#include "render/GfxEnums.h"
#include "render/Texture.h"
#include "support/MsgCapture.h"

namespace {

namespace gl = zar::oglib::gl;
using zar::oglib::EGfxCall;
using zar::oglib::MTexture;

using Bytes = std::vector<std::byte>;

// Floats of many magnitudes and both signs, negative zero among them.
std::vector<float> SampleFloats(std::size_t n) {
  std::vector<float> v(n);
  for (std::size_t i = 0; i < n; ++i)
    v[i] = i % 11 == 3 ? -0.0f
                       : std::ldexp(1.0f + 0.0078125f * static_cast<float>(i % 128),
                                    static_cast<int>(i % 41) - 20) *
                             (i % 2 ? -1.0f : 1.0f);
  return v;
}

Bytes AsBytes(const std::vector<float>& v) {
  const auto b = std::as_bytes(std::span(v));
  return Bytes(b.begin(), b.end());
}

struct TTexCase {
  const char* name;
  unsigned target;
  unsigned internalFormat;
  unsigned format;
  int width, height, depth;
  unsigned wrap, filter;
};

const TTexCase TEX_CASES[] = {
    {"volume RGB32F", gl::TEXTURE_3D, gl::RGB32F, gl::RGB, 3, 4, 5, gl::CLAMP_TO_EDGE, gl::LINEAR},
    {"volume R32F", gl::TEXTURE_3D, gl::R32F, gl::RED, 2, 3, 7, gl::CLAMP_TO_EDGE, gl::LINEAR},
    {"curve R32F", gl::TEXTURE_1D, gl::R32F, gl::RED, 9, 1, 1, gl::CLAMP, gl::NEAREST},
    {"empty curve", gl::TEXTURE_1D, gl::R32F, gl::RED, 0, 1, 1, gl::CLAMP, gl::NEAREST},
    {"plane RGB32F", gl::TEXTURE_2D, gl::RGB32F, gl::RGB, 5, 3, 1, gl::CLAMP_TO_EDGE, gl::LINEAR},
};

int Upload(MTexture& tex, const TTexCase& c, std::span<const std::byte> data) {
  const int w = static_cast<int>(c.wrap), f = static_cast<int>(c.filter);
  const int in = static_cast<int>(c.internalFormat);
  switch (c.target) {
    case gl::TEXTURE_1D:
      return tex.GLSetParam(c.target, w, w, f, f) &&
             tex.GLSetTexImage1D(c.target, 0, in, c.width, 0, c.format, gl::FLOAT, data);
    case gl::TEXTURE_2D:
      return tex.GLSetParam(c.target, w, w, f, f) &&
             tex.GLSetTexImage2D(c.target, 0, in, c.width, c.height, 0, c.format, gl::FLOAT, data);
    default:
      return tex.GLSetParam3D(c.target, w, w, w, f, f) &&
             tex.GLSetTexImage3D(c.target, 0, in, c.width, c.height, c.depth, 0, c.format,
                                 gl::FLOAT, data);
  }
}

using GfxTextureTest = GfxBackendTest;
PVK_ON_BOTH_GFX_BACKENDS(GfxTextureTest);

TEST_P(GfxTextureTest, FloatTexturesReadBackBitForBit) {
  for (const TTexCase& c : TEX_CASES) {
    SCOPED_TRACE(c.name);
    const std::size_t n =
        static_cast<std::size_t>(c.width) * c.height * c.depth * (c.format == gl::RGB ? 3 : 1);
    const Bytes given = AsBytes(SampleFloats(n));
    MTexture tex;
    ASSERT_TRUE(tex.GLGenerate() && Upload(tex, c, given)) << tex.GetReason().str();
    Bytes back(given.size());
    ASSERT_EQ(tex.GLGetTexImage(0, c.format, gl::FLOAT, back), 1);
    EXPECT_EQ(back, given);
    if (!m_pRecorder) continue;
    // The calls a texture makes: parameters, then the image with its own target.
    const auto& calls = m_pRecorder->GetCalls();
    const auto& image = calls.end()[-2];
    ASSERT_EQ(image.eCall, EGfxCall::TEX_IMAGE);
    EXPECT_EQ(image.aArg, (std::vector<std::int64_t>{c.target, 0, c.internalFormat, c.width,
                                                     c.height, c.depth, 0, c.format, gl::FLOAT}));
    EXPECT_EQ(image.aData, given);
    EXPECT_EQ(calls.end()[-3].aArg[5], static_cast<std::int64_t>(c.filter));
  }
}

TEST_P(GfxTextureTest, BadCallsFailWithAReason) {
  const Bytes four(4 * sizeof(float));
  struct TCase {
    const char* name;
    int (*call)(MTexture&, const Bytes&);
  } cases[] = {
      {"data of another size",
       [](MTexture& t, const Bytes& d) -> int {
         return t.GLSetTexImage1D(gl::TEXTURE_1D, 0, gl::R32F, 3, 0, gl::RED, gl::FLOAT, d);
       }},
      {"unknown format",
       [](MTexture& t, const Bytes& d) -> int {
         return t.GLSetTexImage1D(gl::TEXTURE_1D, 0, gl::R32F, 4, 0, 0x1234, gl::FLOAT, d);
       }},
      {"negative extent",
       [](MTexture& t, const Bytes&) -> int {
         return t.GLSetTexImage3D(gl::TEXTURE_3D, 0, gl::R32F, 2, -1, 2, 0, gl::RED, gl::FLOAT, {});
       }},
      {"another target than its own",
       [](MTexture& t, const Bytes& d) -> int {
         return t.GLSetParam(gl::TEXTURE_1D, gl::CLAMP, gl::CLAMP, gl::NEAREST, gl::NEAREST) &&
                t.GLSetTexImage2D(gl::TEXTURE_2D, 0, gl::R32F, 2, 2, 0, gl::RED, gl::FLOAT, d);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    MTexture tex;
    ASSERT_EQ(tex.GLGenerate(), 1);
    CMsgCapture warnings(zar::lib::EMsgLevel::Warning);
    EXPECT_EQ(c.call(tex, four), 0);
    EXPECT_FALSE(tex.GetReason().IsEmpty());
    EXPECT_EQ(warnings.m_texts.size(), 1u);
  }
}

using GfxBufferTest = GfxBackendTest;
PVK_ON_BOTH_GFX_BACKENDS(GfxBufferTest);

TEST_P(GfxBufferTest, ReadsBackRangesAndRefusesPastTheEnd) {
  const Bytes given = AsBytes(SampleFloats(10));
  zar::oglib::MBuffer buffer;
  ASSERT_TRUE(buffer.GLGenerate() && buffer.GLSetData(given));
  Bytes back(8);
  ASSERT_EQ(buffer.GLGetData(32, back), 1);
  EXPECT_EQ(back, Bytes(given.begin() + 32, given.end()));
  EXPECT_EQ(buffer.GLGetData(36, back), 0);
  EXPECT_FALSE(buffer.GetReason().IsEmpty());
  // A deleted buffer reads nothing.
  buffer.GLDelete();
  EXPECT_EQ(buffer.GLGetData(0, back), 0);
}

TEST(GfxBackend, NoBackendAndOtherThreadsFailWithAReason) {
  zar::oglib::IGfxBackend* previous = zar::oglib::SetGfxBackend(nullptr);
  zar::oglib::MBuffer buffer;
  EXPECT_EQ(buffer.GLGenerate(), 0);
  EXPECT_FALSE(buffer.GetReason().IsEmpty());
  zar::oglib::MOpenGLBackend* glBackend = zar::oglib::MOpenGLBackend::Instance();
  if (glBackend) {
    unsigned name = 1;
    std::thread([&] { name = glBackend->GenBuffer(); }).join();
    EXPECT_EQ(name, 0u);
    EXPECT_FALSE(glBackend->GetReason().IsEmpty());
  } else {
    EXPECT_FALSE(OpenGLRequired()) << OpenGLCreateReason();
    EXPECT_NE(OpenGLCreateReason().find("Cannot create the OpenGL context"), std::string::npos);
  }
  zar::oglib::SetGfxBackend(previous);
}

}  // namespace
