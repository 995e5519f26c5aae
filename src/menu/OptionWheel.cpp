#include "menu/OptionWheel.h"

#include <cmath>

#include "base/Clock.h"
#include "menu/OptionSet.h"

COptionWheel::COptionWheel(float radius, float centerX, float centerY, int32_t left, int32_t top, int32_t right,
                           int32_t bottom)
    : CWheelLayer(radius, centerX, centerY, ScreenRect{left, top, right, bottom}) {}

COption* COptionWheel::AddOption(const char* fontName, const char* text, int32_t value, const float normal[4],
                                 const float highlight[4], int32_t selectable, int32_t showProgress) {
  auto caption = std::make_unique<C3DText>(fontName, 10, 0.3f);
  caption->SetColor(normal[0], normal[1], normal[2], normal[3]);
  caption->SetText(text, 0);
  caption->SetScale(0.7f);
  caption->SetSpinAxis(1.0f, 0.0f, 0.0f);
  caption->SetAngle(0.0f);
  caption->SetSpinSpeed(0.0f);
  members.push_back(std::make_unique<COption>(std::move(caption), ScreenRect{0, 0, 0, 0}, value, normal, highlight,
                                              selectable, showProgress));
  LayOut();
  return members.back().get();
}

void COptionWheel::PlaceMember(size_t index, float theta) {
  C3DText* caption = members[index]->GetCaption();
  const double halfWidth = caption->GetHalfWidth();
  caption->SetPosition(static_cast<int32_t>(std::sin(theta) * radius + centerX - halfWidth),
                       static_cast<int32_t>(std::cos(theta) * radius + centerY));
}

void COptionWheel::OnTurnStart() {
  if (members.empty()) {
    return;
  }
  COption& front = *members[static_cast<size_t>(frontIndex)];
  if (front.GetState() == OptionState::activated) {
    // The option leaves the front as if the player had let go of it.
    front.EvaluateAsBystander(false, TickCount());
  }
  front.HideProgress();
}

void COptionWheel::UpdateResting() {
  if (members.empty()) {
    return;
  }
  const MotionSnapshot motion = MotionSnapshot::FromCurrentDetector();
  std::vector<COption*> options;
  options.reserve(members.size());
  for (const auto& member : members) {
    options.push_back(member.get());
  }
  const int32_t chosen = RunOptionSet(options, motion.CountOverlaps(GetRect()),
                                      members[static_cast<size_t>(frontIndex)].get(), TickCount());
  if (chosen >= 0) {
    chosenValue = chosen;
  }
}
