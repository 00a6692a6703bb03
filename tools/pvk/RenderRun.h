#pragma once
// What `pvk render` draws for an opened file: a contour picture of one result of one step,
// written as PNG.
#include <cstdint>
#include <optional>
#include <string>

#include "PvkOptions.h"

class CPvkSession;

struct TRenderOptions {
  static constexpr std::int32_t N_DEFAULT_RANKS = 10;

  std::string file;  // as given: named in messages
  std::string result;
  std::string loc;
  TStepSelect select;
  std::string out;
  std::string size = "800x600";
  std::string view = "iso";
  std::int32_t nRank = N_DEFAULT_RANKS;
  std::optional<double> deformed;
};

// Writes the picture to o.out under a temporary name renamed at the end. Throws CPvkError,
// leaving no file behind, when the step, result, size or view is refused, no OpenGL context can
// be made, or the file cannot be written.
void RenderFile(CPvkSession& session, const TRenderOptions& o);
