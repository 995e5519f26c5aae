#include "demo/PersonScene.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "capture/SyntheticScene.h"
#include "demo/PersonMotion.h"

namespace {

// The body, in fractions of the picture height around the picture's
// centre line: a head over an upper body whose top is a half ellipse.
constexpr float kHeadY = 0.52f;
constexpr float kHeadRadius = 0.13f;
constexpr float kShoulderY = 0.78f;
constexpr float kShoulderHalfWidth = 0.42f;
constexpr float kShoulderRise = 0.14f;

void PutPixel(uint8_t* p, uint32_t rgb) {
  p[0] = static_cast<uint8_t>(rgb);
  p[1] = static_cast<uint8_t>(rgb >> 8);
  p[2] = static_cast<uint8_t>(rgb >> 16);
  p[3] = 255;
}

bool InHead(float dx, float fy) {
  const float dy = fy - kHeadY;
  return dx * dx + dy * dy <= kHeadRadius * kHeadRadius;
}

bool InShoulders(float dx, float fy) {
  if (fy >= kShoulderY) return std::fabs(dx) <= kShoulderHalfWidth;
  const float ex = dx / kShoulderHalfWidth;
  const float ey = (kShoulderY - fy) / kShoulderRise;
  return ex * ex + ey * ey <= 1.0f;
}

void DrawHand(const PicturePoint& at, uint32_t color, uint8_t* pixels, int32_t width, int32_t height, ptrdiff_t stride) {
  const float cx = at.x * static_cast<float>(width);
  const float cy = at.y * static_cast<float>(height);
  const float r = CPersonScene::kHandRadius * static_cast<float>(height);
  const int32_t top = std::max(0, static_cast<int32_t>(std::floor(cy - r)));
  const int32_t bottom = std::min(height - 1, static_cast<int32_t>(std::ceil(cy + r)));
  const int32_t left = std::max(0, static_cast<int32_t>(std::floor(cx - r)));
  const int32_t right = std::min(width - 1, static_cast<int32_t>(std::ceil(cx + r)));
  for (int32_t y = top; y <= bottom; ++y) {
    uint8_t* row = pixels + y * stride;
    for (int32_t x = left; x <= right; ++x) {
      const float dx = static_cast<float>(x) + 0.5f - cx;
      const float dy = static_cast<float>(y) + 0.5f - cy;
      if (dx * dx + dy * dy <= r * r) PutPixel(row + 4 * x, color);
    }
  }
}

}  // namespace

CPersonScene::CPersonScene(std::shared_ptr<const CPersonMotion> motion) : motion(std::move(motion)) {}

void CPersonScene::Draw(const CameraFrameTime& when, uint8_t* pixels, int32_t width, int32_t height,
                        ptrdiff_t stride) const {
  Render(motion->PoseAt(when.tick, when.number), pixels, width, height, stride);
}

uint32_t CPersonScene::StillColor(int32_t x, int32_t y, int32_t width, int32_t height) {
  const float h = static_cast<float>(std::max(1, height));
  const float dx = (static_cast<float>(x) + 0.5f - static_cast<float>(width) * 0.5f) / h;
  const float fy = (static_cast<float>(y) + 0.5f) / h;
  if (InHead(dx, fy)) return kHeadColor;
  if (InShoulders(dx, fy)) return kBodyColor;
  return CSyntheticScene::Background(x, y, width, height);
}

void CPersonScene::Render(const PersonPose& pose, uint8_t* pixels, int32_t width, int32_t height,
                          ptrdiff_t stride) {
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = pixels + y * stride;
    for (int32_t x = 0; x < width; ++x) PutPixel(row + 4 * x, StillColor(x, y, width, height));
  }
  for (int32_t hand = 0; hand < 2; ++hand) {
    DrawHand(pose.hands[hand], pose.turned[hand] ? kHandBackColor : kHandColor, pixels, width, height, stride);
  }
}
