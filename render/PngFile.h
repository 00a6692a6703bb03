#pragma once
// An RGBA image written as PNG with libpng.
#include <string>

#include "base/CString.h"
#include "render/RgbaImage.h"

namespace pvk::picture {

// Writes the image to `path` (8-bit RGBA); 0 with the reason when the file cannot be written.
int WritePng(const std::string& path, const TRgbaImage& image, CString& reason);

}  // namespace pvk::picture
