#include "capture/SampleGrabberCallback.h"

#include "motion/MotionDetector.h"

void CSampleGrabberCallback::SampleCB(const FrameView& frame) const {
  if (detector && frame.firstRow) detector->ProcessFrame(frame);
}
