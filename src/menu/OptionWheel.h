#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "menu/Option.h"
#include "menu/WheelLayer.h"

// A wheel of option captions around a circle whose lowest point is the front.
// Only the front option can be held, by movement inside the wheel's
// sensitive rectangle; holding it until its bar fills chooses its value.
class COptionWheel : public CWheelLayer {
 public:
  COptionWheel(float radius, float centerX, float centerY, int32_t left, int32_t top, int32_t right,
               int32_t bottom);

  // A caption in `fontName` (size 10, depth 0.3, scale 0.7) with its option.
  COption* AddOption(const char* fontName, const char* text, int32_t value, const float normal[4],
                     const float highlight[4], int32_t selectable, int32_t showProgress);
  // The chosen option's value, -1 until one is chosen.
  int32_t GetChosen() const { return chosenValue; }
  COption* GetOption(size_t index) const { return members.at(index).get(); }

 protected:
  size_t MemberCount() const override { return members.size(); }
  CAbstractLayer& Member(size_t index) override { return *members[index]; }
  void PlaceMember(size_t index, float theta) override;
  void OnTurnStart() override;
  void UpdateResting() override;

 private:
  int32_t chosenValue = -1;
  std::vector<std::unique_ptr<COption>> members;
};
