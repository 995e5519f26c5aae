#pragma once
#include <cstddef>
#include <cstdint>

#include "layers/AbstractLayer.h"
#include "motion/MotionRect.h"

// Members riding a circle, one at the front; a turn brings the next member to
// the front over about 40 frames, then the wheel rests for 500 ms. The option
// wheel and the sprite wheel differ in their members and how a member is
// placed at an angle. Positions in virtual 1024 x 768 units; frame thread only.
class CWheelLayer : public CAbstractLayer {
 public:
  CWheelLayer(float radius, float centerX, float centerY, const ScreenRect& rect);

  // A turn in progress, the cool-down after it, or the resting wheel's own work.
  void Update() override;
  // Every member in order while visible. Returns 1.
  int32_t Render(RenderDevice* device) override;
  // Passed on to every member.
  void SetViewportSize(uint32_t width, uint32_t height) override;

  // Ignored while turning or without members.
  void TurnForward();
  void TurnBackward();
  int32_t IsTurning() const { return turning; }
  int32_t GetFrontIndex() const { return frontIndex; }
  // Where movement holds the front member, virtual units.
  const ScreenRect& GetRect() const { return rect; }

 protected:
  virtual size_t MemberCount() const = 0;
  virtual CAbstractLayer& Member(size_t index) = 0;
  // Puts member `index` where angle `theta` (radians) of the circle is.
  virtual void PlaceMember(size_t index, float theta) = 0;
  // Added to every member's angle: where on the circle the front is.
  virtual float FrontAngle() const { return 0.0f; }
  // The front member is about to leave the front.
  virtual void OnTurnStart() {}
  // The wheel's work while neither turning nor cooling down.
  virtual void UpdateResting() {}

  // After a member was added: new step, every member at its resting angle.
  void LayOut();

  int32_t frontIndex = 0;
  float radius;
  float centerX;
  float centerY;
  float angleStep = 0.0f;
  float targetAngle = 0.0f;
  float baseAngle = 0.0f;
  float turnOffset = 0.0f;
  float turnSpeed = 0.0f;  // radians per frame

 private:
  void StartTurn(float direction);
  void PlaceAll(float angle);

  ScreenRect rect;
  int32_t turning = 0;
  int32_t coolingDown = 0;
  uint32_t cooldownTick = 0;
};
