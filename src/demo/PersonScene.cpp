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
    for (int32_t x = 0; x < width; ++x) PutScenePixel(row + 4 * x, StillColor(x, y, width, height));
  }
  for (int32_t hand = 0; hand < 2; ++hand) {
    FillSceneDisc(pose.hands[hand].x, pose.hands[hand].y, kHandRadius, pose.turned[hand] ? kHandBackColor : kHandColor,
                  pixels, width, height, stride);
  }
}
