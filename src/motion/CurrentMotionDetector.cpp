#include "motion/CurrentMotionDetector.h"

namespace {

// Main thread only, like every reader.
CMotionDetector* currentDetector = nullptr;

}  // namespace

CMotionDetector* CurrentMotionDetector() {
  return currentDetector;
}

void SetCurrentMotionDetector(CMotionDetector* detector) {
  currentDetector = detector;
}

void ClearCurrentMotion() {
  if (currentDetector != nullptr) {
    currentDetector->ClearMotionRects();
  }
}
