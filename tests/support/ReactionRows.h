#pragma once
// Two reaction rows whose resultants are whole numbers: entity 7 at (1, 2, 3) with force
// |(3, 4, 12)| = 13 and moment |(1, 2, 2)| = 3, entity 9 at (-1, 0, 5).
#include "base/Containers.h"
#include "resultfile/records/PZARRecordReaction.h"

inline zar::MArray<TZARReactionD> ReactionRows() {
  TZARReactionD a{.nID = 7,
                  .nGeomType = TZARReactionD::GEOM_SURF,
                  .rCoord = {1, 2, 3},
                  .rForce = {3, 4, 12},
                  .rMoment = {1, 2, 2}};
  TZARReactionD b{.nID = 9,
                  .nGeomType = TZARReactionD::GEOM_POINT,
                  .rCoord = {-1, 0, 5},
                  .rForce = {0, -6, 8},
                  .rMoment = {-2, 0, 0}};
  return {a, b};
}
