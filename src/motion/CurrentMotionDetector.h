#pragma once

#include "motion/MotionDetector.h"

// The detector the capture engine has installed, or null. Main thread. The
// pointer stays valid until the next SetCurrentMotionDetector; the engine owns
// the detector.
CMotionDetector* CurrentMotionDetector();

// Called by the capture engine when it installs a detector (and by tests);
// null when none is installed.
void SetCurrentMotionDetector(CMotionDetector* detector);

// The installed detector forgets the movement it has seen, so that a menu
// that has just appeared is not answered by movement meant for what was
// there before. Nothing without a detector.
void ClearCurrentMotion();
