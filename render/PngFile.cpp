#include "render/PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace pvk::picture {

namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// libpng reports errors by a long jump; its message is kept here first.
void OnError(png_structp png, png_const_charp message) {
  auto* reason = static_cast<CString*>(png_get_error_ptr(png));
  reason->Format(L"libpng: %S", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Apart from the function with the long jump's target, so that no object with a destructor
// lives across it.
int WriteRows(std::FILE* file, const TRgbaImage& image, CString& reason) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &reason, OnError, OnWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    reason = L"libpng: out of memory";
    return 0;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return 0;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.nWidth),
               static_cast<png_uint_32>(image.nHeight), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.nHeight; ++y) png_write_row(png, image.At(0, y));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return 1;
}

}  // namespace

int WritePng(const std::string& path, const TRgbaImage& image, CString& reason) {
  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    reason.Format(L"%S", std::strerror(errno));
    return 0;
  }
  if (!WriteRows(file.get(), image, reason)) return 0;
  const bool failed = std::ferror(file.get()) != 0;
  if (std::fclose(file.release()) != 0 || failed) {
    reason.Format(L"%S", std::strerror(errno));
    return 0;
  }
  return 1;
}

}  // namespace pvk::picture
