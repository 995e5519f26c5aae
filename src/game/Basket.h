#pragma once
#include <cstdint>

#include "layers/SpriteLayer.h"

// The player's basket. About twenty times a second it asks the installed
// basket motion detector which screen quarter shows movement and jumps to that
// quarter's catching position; after three more polls without a quarter it
// goes back to the middle. It neither moves by velocity nor animates. Frame
// thread only.
class CBasket : public CSpriteLayer {
 public:
  // A poll happens only when more than this many milliseconds have passed.
  static constexpr uint32_t kPollIntervalMs = 50;
  // Polls without a quarter during which the basket stays where it is.
  static constexpr int32_t kStillPollLimit = 3;

  // Loads "./res/basket2.png" with `d3dDevice` and stands at the home position.
  CBasket();
  ~CBasket() override;

  // The poll (see the .cpp). Reads CurrentMotionDetector(); a detector that
  // is not a CBasketMotionDetector, or none, counts as no movement.
  void Update() override;

  // Zone of the last poll: 0 top-left, 1 bottom-left, 2 top-right,
  // 3 bottom-right, 4 none (also before the first poll).
  int32_t GetZone() const { return currentZone; }
  // Viewport pixels.
  float HomeX() const { return homePosition[0]; }
  float HomeY() const { return homePosition[1]; }
  float ZoneX(int32_t zone) const { return zonePositions[zone & 3][0]; }
  float ZoneY(int32_t zone) const { return zonePositions[zone & 3][1]; }

 protected:
  // The home and catching positions follow the new viewport.
  void ScaleViewportPixels(float fx, float fy) override;

 private:
  // Home and catching positions from the screen scale.
  void PlacePositions();

  int32_t currentZone = 4;
  float homePosition[2];
  float zonePositions[4][2];
  int32_t stillPolls = 0;
};
