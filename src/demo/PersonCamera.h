#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "capture/CameraSource.h"
#include "demo/PersonMotion.h"

typedef struct _GstAppSrc GstAppSrc;

// The demo's camera: it shows the virtual player (CPersonScene) with the
// hands where `motion` has them at each frame's time, 30 frames a second.
//
// Free-running (the default) it keeps its own pace on GStreamer's streaming
// thread, as a real camera does, and draws the pose at the clock's time.
// In lockstep (the fixed-step mode) it draws nothing by itself: the main
// loop calls PushDueFrames after each step of the clock, so frame n always
// shows the pose at first + n * 1000 / 30 ms, whatever the machine's speed.
class CPersonCamera : public CCameraSource {
 public:
  static constexpr int32_t kFramesPerSecond = 30;

  // Lists 320 x 240, 640 x 480 and 160 x 120 (32 bits each).
  CPersonCamera(std::shared_ptr<const CPersonMotion> motion, bool lockstep);
  ~CPersonCamera() override;

  GstElement* CreateElement() const override;
  GstCaps* OfferedCaps() const override;
  std::vector<CVideoMode> Modes() const override;
  void Configure(GstElement* element, const GstCaps* caps) const override;
  // A program-made camera cannot be held by another program.
  bool NeedsProbe() const override { return false; }

  // Lockstep only, main thread: draws and pushes every frame due by `now`
  // into the newest element (the first call fixes frame 0 at `now`).
  // Returns how many were pushed; 0 when free-running or before an element.
  uint32_t PushDueFrames(uint32_t now);
  // Frames handed to the pipeline so far, by either pace. Any thread.
  uint64_t FramesPushed() const { return state->pushed; }

  // Shared with the elements made from this camera (they may outlive it).
  struct State {
    std::shared_ptr<const CPersonMotion> motion;
    bool lockstep = false;
    std::atomic<uint64_t> pushed{0};
    std::mutex lock;             // guards what follows
    GstAppSrc* newest = nullptr;  // lockstep: the element frames go to (own reference)
    int32_t width = 320;
    int32_t height = 240;
    uint64_t frame = 0;           // lockstep: the next frame's number
    bool started = false;         // lockstep: frame 0's time is known
    uint32_t firstTick = 0;
  };

 private:
  std::shared_ptr<State> state;
};
