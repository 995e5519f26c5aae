#pragma once
#include <memory>

#include "base/FrameView.h"

class CMotionDetector;

// The detector side of the frame hand-off: passes each 32-bit camera frame to
// one motion detector. The callback shares the detector's ownership, so a
// detector the engine has replaced lives on until the streaming thread has
// let go of the callback that was calling it.
class CSampleGrabberCallback {
 public:
  // A null detector makes a callback that consumes frames and does nothing.
  explicit CSampleGrabberCallback(std::shared_ptr<CMotionDetector> detector) : detector(std::move(detector)) {}

  // Streaming thread; the frame's pixels are valid only during the call.
  void SampleCB(const FrameView& frame) const;

  const std::shared_ptr<CMotionDetector>& GetDetector() const { return detector; }

 private:
  const std::shared_ptr<CMotionDetector> detector;
};
