#include "menu/WheelLayer.h"

#include "base/Clock.h"
#include "motion/CurrentMotionDetector.h"

namespace {
constexpr float kTurnFraction = 0.025f;  // of a step per frame
constexpr uint32_t kCooldownMs = 500;
}  // namespace

CWheelLayer::CWheelLayer(float r, float x, float y, const ScreenRect& sensitive)
    : radius(r), centerX(x), centerY(y), rect(sensitive) {}

void CWheelLayer::LayOut() {
  const size_t count = MemberCount();
  if (count == 0) {
    return;
  }
  angleStep = kTwoPi / static_cast<float>(count);
  PlaceAll(0.0f);
}

void CWheelLayer::PlaceAll(float angle) {
  for (size_t i = 0; i < MemberCount(); ++i) {
    PlaceMember(i, angle + FrontAngle() + static_cast<float>(i) * angleStep);
  }
}

void CWheelLayer::StartTurn(float direction) {
  OnTurnStart();
  targetAngle = baseAngle + direction * angleStep;
  turnSpeed = angleStep * direction * kTurnFraction;
  turning = 1;
}

void CWheelLayer::TurnForward() {
  const int32_t count = static_cast<int32_t>(MemberCount());
  if (turning != 0 || count == 0) {
    return;
  }
  StartTurn(-1.0f);
  frontIndex = (frontIndex + 1) % count;
}

void CWheelLayer::TurnBackward() {
  const int32_t count = static_cast<int32_t>(MemberCount());
  if (turning != 0 || count == 0) {
    return;
  }
  StartTurn(1.0f);
  frontIndex = frontIndex - 1 < 0 ? count - 1 : frontIndex - 1;
}

void CWheelLayer::Update() {
  const uint32_t now = TickCount();
  if (coolingDown != 0) {
    if (now - cooldownTick > kCooldownMs) {
      coolingDown = 0;
    }
    return;
  }
  if (turning != 0) {
    turnOffset += turnSpeed;
    const float angle = baseAngle + turnOffset;
    PlaceAll(angle);
    const bool passed = turnSpeed > 0.0f ? angle > targetAngle : angle < targetAngle;
    if (passed) {
      // Movement seen during the turn belongs to the turn, not to the new front member.
      ClearCurrentMotion();
      turning = 0;
      coolingDown = 1;
      cooldownTick = now;
      baseAngle = targetAngle;
      turnOffset = 0.0f;
      turnSpeed = 0.0f;
    }
    return;
  }
  UpdateResting();
}

void CWheelLayer::SetViewportSize(uint32_t width, uint32_t height) {
  for (size_t i = 0; i < MemberCount(); ++i) {
    Member(i).SetViewportSize(width, height);
  }
}

int32_t CWheelLayer::Render(RenderDevice* device) {
  if (visible != 0) {
    for (size_t i = 0; i < MemberCount(); ++i) {
      Member(i).Render(device);
    }
  }
  return 1;
}
