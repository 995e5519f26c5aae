#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "layers/SpriteLayer.h"
#include "menu/WheelLayer.h"

// A wheel of 300-unit-wide pictures whose front is the circle's highest
// point: the front picture is opaque and full size, the others fade and
// shrink with their depth on the circle (and are mirrored behind it). It
// illustrates the option wheel's choice and turns the other way round.
class CSpriteWheel : public CWheelLayer {
 public:
  CSpriteWheel(float radius, float centerX, float centerY, int32_t left, int32_t top, int32_t right,
               int32_t bottom);

  CSpriteLayer* AddSprite(const char* fileName, uint32_t colorKey);
  CSpriteLayer* GetSprite(size_t index) const { return members.at(index).get(); }

 protected:
  size_t MemberCount() const override { return members.size(); }
  CAbstractLayer& Member(size_t index) override { return *members[index]; }
  void PlaceMember(size_t index, float theta) override;
  float FrontAngle() const override { return 3.1415927f; }

 private:
  std::vector<std::unique_ptr<CSpriteLayer>> members;
};
