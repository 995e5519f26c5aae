#pragma once

#include "motion/MotionDetector.h"

// The detector the capture engine has installed, or null. Main thread. The
// pointer stays valid until the next SetCurrentMotionDetector; the engine owns
// the detector.
CMotionDetector* CurrentMotionDetector();

// Called by the capture engine when it installs a detector (and by tests);
// null when none is installed.
void SetCurrentMotionDetector(CMotionDetector* detector);
