#pragma once
#include <memory>

#include "capture/ProgramCamera.h"
#include "demo/PersonMotion.h"

// The demo's camera: a program-made camera showing the virtual player
// (CPersonScene) with the hands where `motion` has them at each frame's
// time. Free-running it draws the pose at the clock's time; in lockstep (the
// fixed-step mode) the main loop pushes its frames (PushDueFrames).
class CPersonCamera : public CProgramCamera {
 public:
  // Lists 320 x 240, 640 x 480 and 160 x 120 (32 bits each).
  CPersonCamera(std::shared_ptr<const CPersonMotion> motion, bool lockstep);

  // A program-made camera cannot be held by another program, and one in
  // lockstep would give a trial start no frame.
  bool NeedsProbe() const override { return false; }
};
