#include "menu/OptionSet.h"

#include "motion/CurrentMotionDetector.h"

MotionSnapshot MotionSnapshot::FromCurrentDetector() {
  MotionSnapshot snapshot;
  CMotionDetector* detector = CurrentMotionDetector();
  if (detector == nullptr) {
    return snapshot;
  }
  MotionRect rects[kMaxMotionRects];
  int32_t count = 0;
  detector->GetMotionRects(rects, &count);
  snapshot.screenRects.reserve(static_cast<size_t>(count));
  for (int32_t i = 0; i < count && i < kMaxMotionRects; ++i) {
    snapshot.screenRects.push_back(GridRectToScreen(rects[i]));
  }
  return snapshot;
}

int32_t MotionSnapshot::CountOverlaps(const ScreenRect& rect) const {
  int32_t count = 0;
  for (const ScreenRect& motion : screenRects) {
    if (RectsOverlap(rect, motion)) {
      ++count;
    }
  }
  return count;
}

int32_t RunOptionSet(const std::vector<COption*>& options, int32_t overlaps, COption* candidate, uint32_t now) {
  const bool motionPresent = overlaps >= 1;
  COption* touched = overlaps == 1 ? candidate : nullptr;
  int32_t chosen = -1;
  for (COption* option : options) {
    if (option == touched) {
      option->EvaluateAsCandidate(now);
    } else {
      option->EvaluateAsBystander(motionPresent, now);
    }
    option->Update();
    if (option->GetState() == OptionState::chosen) {
      chosen = option->GetValue();
    }
  }
  return chosen;
}
