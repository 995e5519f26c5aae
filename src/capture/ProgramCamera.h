#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "capture/CameraScene.h"
#include "capture/CameraSource.h"

// A camera made by the program: it draws its scene into 32-bit pictures of
// the chosen size, 30 frames a second, and feeds them to the pipeline
// through an appsrc. Each frame carries the time it left the camera
// (FrameStamp.h), so the pipeline can measure its own delay.
//
// Free-running (the default) it keeps its own pace on GStreamer's streaming
// thread, as a real camera does. In lockstep it draws nothing by itself: the
// main loop calls PushDueFrames after each step of the clock, so frame n
// always shows the scene at first + n * 1000 / 30 ms, whatever the machine's
// speed.
//
// It can also play a broken camera: busy (another program holds it) or
// unplugged (it reports an error instead of its next frame, and cannot be
// started, until plugged in again); both may be switched from any thread.
class CProgramCamera : public CCameraSource {
 public:
  static constexpr int32_t kFramesPerSecond = 30;

  enum class Pace { kFreeRunning, kLockstep };

  // Lists exactly `modes`, in that order (even repeated or none at all).
  CProgramCamera(std::shared_ptr<const CCameraScene> scene, std::vector<CVideoMode> modes,
                 Pace pace = Pace::kFreeRunning);
  ~CProgramCamera() override;
  CProgramCamera(const CProgramCamera&) = delete;
  CProgramCamera& operator=(const CProgramCamera&) = delete;

  GstElement* CreateElement() const override;
  GstCaps* OfferedCaps() const override;
  std::vector<CVideoMode> Modes() const override { return modes; }
  void Configure(GstElement* element, const GstCaps* caps) const override;

  void SetBusy(bool busy);
  void SetUnplugged(bool unplugged);

  // Lockstep only, main thread: draws and pushes every frame due by `now`
  // (TickCount() milliseconds) into the newest element (the first call fixes
  // frame 0 at `now`). Returns how many were pushed; 0 when free-running or
  // before an element.
  uint32_t PushDueFrames(uint32_t now);
  // Frames handed to the pipeline so far, by either pace. Any thread.
  uint64_t FramesPushed() const;

  // Shared with the elements made from this camera (they may outlive it).
  struct State;

 private:
  std::shared_ptr<State> state;
  std::vector<CVideoMode> modes;
};
