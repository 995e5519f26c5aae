#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "capture/CameraScene.h"

// One point of a blob's path: where the blob's centre is at `timeMs` after
// the start of the script, as fractions of the picture (0,0 top-left,
// 1,1 bottom-right). Between points the blob moves in a straight line.
struct ScenePoint {
  uint32_t timeMs = 0;
  float x = 0, y = 0;
};

// A round patch of solid colour (0xRRGGBB) moving along its path; radius as
// a fraction of the picture height. Before its first point and after its
// last it stays at that point.
struct SceneBlob {
  uint32_t color = 0xFFFFFF;
  float radius = 0.1f;
  std::vector<ScenePoint> path;
};

// The built-in test camera's picture: a still background with blobs moving
// on a script that repeats every `periodMs` (0: never repeats), timed by the
// camera's own clock. Pure and deterministic: the same time gives the same
// pixels. Any thread.
class CSyntheticScene : public CCameraScene {
 public:
  CSyntheticScene() = default;
  CSyntheticScene(std::vector<SceneBlob> blobs, uint32_t periodMs);

  // Two blobs wandering slowly over the picture, a ten-second loop: what the
  // test camera shows when nobody asks for anything else.
  static CSyntheticScene Default();

  // The picture at `when.sinceStartMs`.
  void Draw(const CameraFrameTime& when, uint8_t* pixels, int32_t width, int32_t height,
            ptrdiff_t stride) const override;

  // The background colour (0xRRGGBB) at a pixel: soft horizontal bands with
  // a fine check, so movement is the only change from frame to frame.
  static uint32_t Background(int32_t x, int32_t y, int32_t width, int32_t height);

 private:
  std::vector<SceneBlob> blobs;
  uint32_t periodMs = 0;
};
