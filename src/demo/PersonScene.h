#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "capture/CameraScene.h"

class CPersonMotion;

// A point of the camera picture as fractions of its size: (0, 0) top-left,
// (1, 1) bottom-right. The screen shows the picture mirrored left to right.
struct PicturePoint {
  float x = 0.5f;
  float y = 0.5f;
};

// Where the person's two hands are in one picture, and which of them shows
// its dark back rather than its light palm (a waving hand turns).
struct PersonPose {
  PicturePoint hands[2];
  bool turned[2] = {false, false};
};

// The virtual player as the demo's camera sees it: head and shoulders
// standing still in the lower middle of the picture, over the test camera's
// banded background, and two light hands. Only the hands move, so only they
// make the motion detector see movement. Deterministic: the same pose gives
// the same pixels, and the motion gives the same pose for a frame's time and
// number. Any thread.
class CPersonScene : public CCameraScene {
 public:
  // The hands go where `motion` has them at each frame's tick.
  explicit CPersonScene(std::shared_ptr<const CPersonMotion> motion);

  void Draw(const CameraFrameTime& when, uint8_t* pixels, int32_t width, int32_t height,
            ptrdiff_t stride) const override;

  // Hand radius as a fraction of the picture height.
  static constexpr float kHandRadius = 0.08f;
  // Palm and back: each differs from the other, from the body and from
  // every shade of the background by more than the detector's threshold in
  // every channel, so a hand that turns while it moves changes all of its
  // area at once and the detector sees one moving patch, not two edges.
  static constexpr uint32_t kHandColor = 0xF8F0E0;
  static constexpr uint32_t kHandBackColor = 0x100C08;
  static constexpr uint32_t kBodyColor = 0x283C64;
  static constexpr uint32_t kHeadColor = 0xC89070;

  // Draws the picture with the hands at `pose` into 32-bit pixels (bytes
  // blue, green, red, 255), top row first, `stride` bytes between rows.
  static void Render(const PersonPose& pose, uint8_t* pixels, int32_t width, int32_t height, ptrdiff_t stride);

  // The colour (0xRRGGBB) of the still part of the picture at a pixel:
  // background, shoulders or head.
  static uint32_t StillColor(int32_t x, int32_t y, int32_t width, int32_t height);

 private:
  std::shared_ptr<const CPersonMotion> motion;
};
