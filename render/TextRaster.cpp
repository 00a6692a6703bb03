#include "render/TextRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

namespace pvk::picture {

namespace {

constexpr int FT_FIXED_SHIFT = 6;  // FreeType's 26.6 fixed point

// The code points of UTF-8 text; a byte that starts no valid sequence stands for itself.
template <class F>
void EachCodePoint(std::string_view text, F f) {
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t n = b < 0x80         ? 1
                          : b >> 5 == 0x6  ? 2
                          : b >> 4 == 0xE  ? 3
                          : b >> 3 == 0x1E ? 4
                                           : 1;
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    bool ok = i + n <= text.size();
    for (std::size_t k = 1; ok && k < n; ++k) {
      const auto cont = static_cast<unsigned char>(text[i + k]);
      ok = (cont & 0xC0) == 0x80;
      c = (c << 6) | (cont & 0x3F);
    }
    f(ok ? c : static_cast<char32_t>(b));
    i += ok ? n : 1;
  }
}

}  // namespace

struct CTextRaster::TFace {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~TFace() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

CTextRaster::CTextRaster() = default;
CTextRaster::~CTextRaster() = default;

int CTextRaster::Open(int pixelHeight, const char* path) {
  auto face = std::make_unique<TFace>();
  if (FT_Init_FreeType(&face->library) != 0) {
    m_strReason = L"FreeType cannot start";
    return 0;
  }
  if (FT_New_Face(face->library, path, 0, &face->face) != 0 ||
      FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
    m_strReason.Format(L"Cannot load the font %S (install fonts-dejavu-core)", path);
    return 0;
  }
  m_nAscender = static_cast<int>(face->face->size->metrics.ascender >> FT_FIXED_SHIFT);
  m_nLineHeight = static_cast<int>(face->face->size->metrics.height >> FT_FIXED_SHIFT);
  m_pFace = std::move(face);
  return 1;
}

int CTextRaster::Width(std::string_view utf8) const {
  if (!m_pFace) return 0;
  FT_Face face = m_pFace->face;
  long width = 0;
  EachCodePoint(utf8, [&](char32_t c) {
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0) width += face->glyph->advance.x;
  });
  return static_cast<int>(width >> FT_FIXED_SHIFT);
}

void CTextRaster::Draw(TRgbaImage& image, int x, int y, std::string_view utf8,
                       const TRgb& color) const {
  if (!m_pFace) return;
  FT_Face face = m_pFace->face;
  long penX = static_cast<long>(x) << FT_FIXED_SHIFT;
  const int baseline = y + m_nAscender;
  EachCodePoint(utf8, [&](char32_t c) {
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const int left = static_cast<int>(penX >> FT_FIXED_SHIFT) + g->bitmap_left;
    const int top = baseline - g->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row)
      for (unsigned col = 0; col < bm.width; ++col)
        image.Blend(left + static_cast<int>(col), top + static_cast<int>(row), color,
                    bm.buffer[static_cast<std::ptrdiff_t>(row) * bm.pitch + col]);
    penX += g->advance.x;
  });
}

}  // namespace pvk::picture
