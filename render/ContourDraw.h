#pragma once
// The contour picture drawn on the current graphics backend: its geometry as vertex-buffer
// models of render data, drawn into an offscreen framebuffer by a small shader program (flat
// band colours from the band table, lit from the viewer) and read back.
#include "base/CString.h"
#include "render/ContourGeometry.h"
#include "render/PostRndrData.h"
#include "render/RgbaImage.h"

namespace pvk::picture {

// The contour faces and lines of one picture as vertex-buffer models.
class CContourRndrD : public CPostRndrData {
public:
  ~CContourRndrD() override { Clear(); }
  void Clear() override { GLClearList(&m_list); }
  int HasData() const override { return m_list.empty() ? 0 : 1; }

  // Builds the models on the current backend; 0 with the reason when one cannot be built.
  int Load(const TContourGeometry& geometry);
  const TVBOModelList& GetModels() const { return m_list; }

private:
  TVBOModelList m_list;
};

inline constexpr TRgb BACKGROUND_COLOR = {255, 255, 255};

// Draws the models, coloured from the band table of a legend of `rankCount` ranks, into a
// width × height image; 0 with the reason when the backend fails.
int DrawContour(const CContourRndrD& data, std::size_t rankCount, const TCamera& camera, int width,
                int height, TRgbaImage& out, CString& reason);

}  // namespace pvk::picture
