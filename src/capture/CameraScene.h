#pragma once
#include <cstddef>
#include <cstdint>

// When a program-made camera takes a frame: its number since the camera's
// element started (frame 0 first), the time since then on the camera's own
// clock (number / frame rate, milliseconds), and TickCount() at that moment.
struct CameraFrameTime {
  uint64_t number = 0;
  uint32_t sinceStartMs = 0;
  uint32_t tick = 0;
};

// What a program-made camera (CProgramCamera) shows: a picture drawn anew for
// every frame. Called on the camera's streaming thread, or on the main thread
// when the camera runs in lockstep; must be safe from any thread.
class CCameraScene {
 public:
  virtual ~CCameraScene() = default;

  // Draws the picture of the frame taken `when` into 32-bit pixels (bytes
  // blue, green, red, 255), top row first, `stride` bytes between rows.
  virtual void Draw(const CameraFrameTime& when, uint8_t* pixels, int32_t width, int32_t height,
                    ptrdiff_t stride) const = 0;
};

// Drawing helpers both scenes share. One pixel, from 0xRRGGBB, opaque.
void PutScenePixel(uint8_t* pixel, uint32_t rgb);
// A filled disc centred at (x, y), fractions of the width and height, with a
// radius in fractions of the height (so it stays round in any picture).
void FillSceneDisc(float x, float y, float radius, uint32_t rgb, uint8_t* pixels, int32_t width, int32_t height,
                   ptrdiff_t stride);
