// pvk render: the picture of the sample against a reference image, and bad input that exits
// with its code and leaves no file behind.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PvkRun.h"

namespace {

using pvk_test::PvkCli;
using pvk_test::TRun;

struct TImage {
  png_uint_32 width = 0, height = 0;
  std::vector<png_byte> rgba;
};

// 8-bit RGBA as written by pvk; empty when the file is not such a PNG.
TImage ReadPng(const std::string& path) {
  TImage image;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return image;
  png.format = PNG_FORMAT_RGBA;
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) return {};
  image.width = png.width;
  image.height = png.height;
  return image;
}

bool OpenGLRequired() {
  const char* require = std::getenv("PVK_REQUIRE_GL");
  return require && std::string(require) == "1";
}

// llvmpipe draws the same pixels run after run; a small difference at edges is allowed for
// another Mesa version.
constexpr int CHANNEL_TOLERANCE = 24;
constexpr double DIFFERENT_PIXEL_SHARE = 0.01;

TEST_F(PvkCli, RenderDrawsTheReferencePictureOfTheSample) {
  ASSERT_EQ(Run("sample beam").code, 0);
  const TRun run = Run("render beam.tkvp --result 7207 --out beam.png --size 320x240");
  if (run.code != 0 && !OpenGLRequired() && run.err.find("OpenGL context") != std::string::npos)
    GTEST_SKIP() << run.err;
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, "beam.png\n");
  const TImage drawn = ReadPng(m_dir.Narrow("beam.png"));
  const TImage reference = ReadPng(PVK_RENDER_REFERENCE);
  ASSERT_EQ(drawn.width, 320u);
  ASSERT_EQ(drawn.height, 240u);
  ASSERT_EQ(drawn.rgba.size(), reference.rgba.size());
  std::size_t different = 0;
  for (std::size_t i = 0; i < drawn.rgba.size(); i += 4)
    for (std::size_t c = 0; c < 4; ++c)
      if (std::abs(drawn.rgba[i + c] - reference.rgba[i + c]) > CHANNEL_TOLERANCE) {
        ++different;
        break;
      }
  EXPECT_LE(different, DIFFERENT_PIXEL_SHARE * 320 * 240);
}

TEST_F(PvkCli, RenderFailuresExitWithTheirCodeAndLeaveNoFile) {
  ASSERT_EQ(Run("sample beam --cells 1 --steps 1").code, 0);
  struct TCase {
    std::string args, env;
    int code;
    std::string message;
  };
  const TCase cases[] = {
      {"--result 4242 --out p.png", "", 3,
       "pvk: no result 4242: the step does not hold it (see 'pvk results beam.tkvp')\n"},
      {"--result 7207 --step 9 --out p.png", "", 3, ""},
      {"--result 7207 --out none/p.png", "", 1,
       "pvk: cannot write none/p.png: No such file or directory\n"},
      {"--result 481 --out p.png", "", 2,
       "pvk: cannot draw result 481 at point: a picture shows node and element results\n"},
      {"--result 7207 --out p.png --size 64x48", "", 2, ""},
      {"--result 7207 --out p.png", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent", 1, ""},
  };
  for (const TCase& c : cases) {
    ExpectRefused("render beam.tkvp " + c.args, c.code, c.message, c.env);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.Narrow()))
      EXPECT_EQ(entry.path().filename().string().find("p.png"), std::string::npos) << c.args;
  }
}

}  // namespace
