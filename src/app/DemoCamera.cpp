#include "app/DemoCamera.h"

#include <memory>
#include <vector>

#include "capture/SyntheticCamera.h"

namespace {

constexpr float kRadius = 0.1f;         // of the picture's height
constexpr uint32_t kSwingMs = 100;      // from one side of a wiggle to the other
constexpr uint32_t kZoneMs = 1500;      // time spent in each basket zone
constexpr uint32_t kScriptMs = 600000;  // ten minutes of play
constexpr float kSwing = 30.0f;         // virtual units either side of a spot

// A spot of the mirrored screen (virtual 1024 x 768 units) as a point of the
// camera's picture: the screen shows the picture mirrored left to right.
ScenePoint At(uint32_t timeMs, float screenX, float screenY) {
  return ScenePoint{timeMs, 1.0f - screenX / 1024.0f, screenY / 768.0f};
}

// Moves to (x, y) at `from` and wiggles sideways there until `to`.
void Wiggle(std::vector<ScenePoint>& path, uint32_t from, uint32_t to, float x, float y) {
  float side = -kSwing;
  for (uint32_t t = from; t < to; t += kSwingMs) {
    path.push_back(At(t, x + side, y));
    side = -side;
  }
}

}  // namespace

CSyntheticScene DemoScene() {
  // Light enough to differ from every shade of the scene's background in
  // each channel by more than the detector's threshold.
  SceneBlob player{0xF8F0E0, kRadius, {}};
  Wiggle(player.path, 0, demo::kPlayMs, 505.0f, 125.0f);           // the caption wheel's front
  Wiggle(player.path, demo::kPlayMs, demo::kGameMs, 885.0f, 85.0f);  // "Play"
  const float zones[4][2] = {{150.0f, 250.0f}, {150.0f, 620.0f}, {870.0f, 250.0f}, {870.0f, 620.0f}};
  size_t zone = 0;
  for (uint32_t t = demo::kGameMs; t < kScriptMs; t += kZoneMs) {
    Wiggle(player.path, t, t + kZoneMs, zones[zone][0], zones[zone][1]);
    zone = (zone + 3) % 4;  // a different quarter each time, all four in turn
  }
  return CSyntheticScene({player}, 0);
}

ExtraCamera DemoCamera() { return ExtraCamera{demo::kCameraName, std::make_shared<CSyntheticCamera>(DemoScene())}; }
