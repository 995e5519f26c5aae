#include "menu/SpriteWheel.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kHalfPi = 1.5707964f;
constexpr float kHalfPictureWidth = 150.0f;
}  // namespace

CSpriteWheel::CSpriteWheel(float radius, float centerX, float centerY, int32_t left, int32_t top, int32_t right,
                           int32_t bottom)
    : CWheelLayer(radius, centerX, centerY, ScreenRect{left, top, right, bottom}) {}

CSpriteLayer* CSpriteWheel::AddSprite(const char* fileName, uint32_t colorKey) {
  auto sprite = std::make_unique<CSpriteLayer>();
  sprite->LoadSprite(fileName, colorKey);
  members.push_back(std::move(sprite));
  LayOut();
  return members.back().get();
}

void CSpriteWheel::PlaceMember(size_t index, float theta) {
  CSpriteLayer& sprite = *members[index];
  const float depth = std::sin(theta - kHalfPi);  // 1 at the front, -1 at the back
  const int32_t alpha = std::max(0, static_cast<int32_t>(depth * 255.0f));
  sprite.SetColor(1.0f, 1.0f, 1.0f, static_cast<float>(alpha) / 255.0f);
  sprite.SetScale(depth, depth);
  const float xy[2] = {std::sin(theta) * radius + centerX - kHalfPictureWidth * depth,
                       std::cos(theta) * radius + centerY};
  sprite.SetPosition(xy);
}
