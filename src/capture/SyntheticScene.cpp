#include "capture/SyntheticScene.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

ScenePoint PointAt(const std::vector<ScenePoint>& path, uint32_t timeMs) {
  if (path.empty()) return {};
  if (timeMs <= path.front().timeMs) return path.front();
  for (size_t i = 1; i < path.size(); ++i) {
    const ScenePoint& a = path[i - 1];
    const ScenePoint& b = path[i];
    if (timeMs > b.timeMs) continue;
    const float span = static_cast<float>(b.timeMs - a.timeMs);
    const float t = span > 0 ? static_cast<float>(timeMs - a.timeMs) / span : 1.0f;
    return {timeMs, a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
  }
  return path.back();
}

}  // namespace

CSyntheticScene::CSyntheticScene(std::vector<SceneBlob> blobs, uint32_t periodMs)
    : blobs(std::move(blobs)), periodMs(periodMs) {}

CSyntheticScene CSyntheticScene::Default() {
  SceneBlob warm{0xE0602A, 0.12f, {{0, 0.25f, 0.3f}, {2500, 0.7f, 0.25f}, {5000, 0.75f, 0.7f},
                                   {7500, 0.3f, 0.75f}, {10000, 0.25f, 0.3f}}};
  SceneBlob cool{0x3A8FD8, 0.08f, {{0, 0.8f, 0.8f}, {5000, 0.2f, 0.2f}, {10000, 0.8f, 0.8f}}};
  return CSyntheticScene({warm, cool}, 10000);
}

uint32_t CSyntheticScene::Background(int32_t x, int32_t y, int32_t width, int32_t height) {
  const uint32_t band = height > 0 ? static_cast<uint32_t>(y * 4 / height) : 0;
  const uint32_t check = ((x / 16) + (y / 16)) & 1;
  const uint32_t base = 0x30 + band * 0x18 + check * 0x08;
  const uint32_t green = base + (width > 0 ? static_cast<uint32_t>(x * 0x20 / width) : 0);
  return base << 16 | green << 8 | (base + 0x10);
}

void CSyntheticScene::Draw(const CameraFrameTime& when, uint8_t* pixels, int32_t width, int32_t height,
                           ptrdiff_t stride) const {
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pixels + y * stride;
    for (int32_t x = 0; x < width; ++x) PutScenePixel(row + 4 * x, Background(x, y, width, height));
  }
  const uint32_t t = periodMs ? when.sinceStartMs % periodMs : when.sinceStartMs;
  for (const SceneBlob& blob : blobs) {
    const ScenePoint at = PointAt(blob.path, t);
    FillSceneDisc(at.x, at.y, blob.radius, blob.color, pixels, width, height, stride);
  }
}
