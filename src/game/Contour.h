#pragma once
#include "layers/SpriteLayer.h"

// The faint outline of a player shown at the start of an egg game, so that the
// player can stand where the four catching quarters are within reach. It has
// no behaviour of its own; the game places it and hides it. Frame thread only.
class CContour : public CSpriteLayer {
 public:
  // Colour of the outline: white at alpha 0x77.
  static constexpr uint32_t kColor = 0x77FFFFFF;

  // Loads "./res/contour.png" (colour key 0xFFFFFF) with `d3dDevice`.
  CContour();
  ~CContour() override;
};
