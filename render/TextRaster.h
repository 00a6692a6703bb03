#pragma once
// Text drawn into an image with FreeType, in DejaVu Sans from its Debian place
// (fonts-dejavu-core): a fixed file, so that every machine draws the same pixels.
#include <memory>
#include <string_view>

#include "base/CString.h"
#include "render/RgbaImage.h"

namespace pvk::picture {

class CTextRaster {
public:
  static constexpr const char* FONT_PATH = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

  CTextRaster();
  ~CTextRaster();
  CTextRaster(const CTextRaster&) = delete;
  CTextRaster& operator=(const CTextRaster&) = delete;

  // Loads the font at a pixel height; 0 with the reason when FreeType or the font fails.
  int Open(int pixelHeight, const char* path = FONT_PATH);
  const CString& GetReason() const { return m_strReason; }

  // The advance width of UTF-8 text in pixels.
  int Width(std::string_view utf8) const;
  // Draws UTF-8 text with its top-left corner at (x, y); what falls outside is cut.
  void Draw(TRgbaImage& image, int x, int y, std::string_view utf8, const TRgb& color) const;
  int LineHeight() const { return m_nLineHeight; }

private:
  struct TFace;
  std::unique_ptr<TFace> m_pFace;
  int m_nLineHeight = 0;
  int m_nAscender = 0;
  CString m_strReason;
};

}  // namespace pvk::picture
