#pragma once
#include <atomic>
#include <memory>
#include <vector>

#include "capture/CameraSource.h"
#include "capture/SyntheticScene.h"

// The built-in test camera: draws its scene at a steady camera rate through
// an appsrc, as 32-bit pixels of the chosen size. Deterministic: frame n shows
// the scene at n / rate seconds. Each frame carries the
// time it left the camera (FrameStamp.h), so the pipeline can measure its
// own delay.
//
// The camera can also play a broken one: busy (another program holds it) or
// unplugged (it reports an error instead of its next frame, and cannot be
// started, until plugged in again); both may be switched from any thread.
class CSyntheticCamera : public CCameraSource {
 public:
  static constexpr int32_t kFramesPerSecond = 30;

  // Lists 640 x 480, 320 x 240 and 160 x 120 (32 bits each).
  explicit CSyntheticCamera(CSyntheticScene scene = CSyntheticScene::Default());
  // Lists exactly `modes`, in that order (even repeated or none at all).
  CSyntheticCamera(CSyntheticScene scene, std::vector<CVideoMode> modes);

  GstElement* CreateElement() const override;
  GstCaps* OfferedCaps() const override;
  std::vector<CVideoMode> Modes() const override { return modes; }
  void Configure(GstElement* element, const GstCaps* caps) const override;

  void SetBusy(bool busy) { state->busy = busy; }
  void SetUnplugged(bool unplugged) { state->unplugged = unplugged; }

  // Shared with the elements made from this camera (they may outlive it).
  struct State {
    CSyntheticScene scene;
    std::atomic<bool> busy{false};
    std::atomic<bool> unplugged{false};
  };

 private:
  std::shared_ptr<State> state;
  std::vector<CVideoMode> modes;
};
