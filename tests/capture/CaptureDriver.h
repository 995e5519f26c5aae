#pragma once
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "capture/CameraSource.h"
#include "capture/CaptureEngine.h"
#include "capture/ImageCapture.h"
#include "support/RecordingDesktop.h"

// Polls `done` (after `step`) every 10 ms for up to `limitMs` of real time.
inline bool WaitFor(const std::function<bool()>& done, int limitMs = 3000, const std::function<void()>& step = [] {}) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (std::chrono::steady_clock::now() < end) {
    step();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// A camera known by its listing (a caps text, as GStreamer's camera probe
// gives it) whose element is made from `element`, a launch description.
// Remembers the caps the pipeline asks of it.
class ListedCamera : public CCameraSource {
 public:
  explicit ListedCamera(std::string listing, std::string element = "fakesrc")
      : listing(std::move(listing)), element(std::move(element)) {}
  GstElement* CreateElement() const override {
    return gst_parse_bin_from_description(element.c_str(), TRUE, nullptr);
  }
  GstCaps* OfferedCaps() const override { return gst_caps_from_string(listing.c_str()); }
  void Configure(GstElement*, const GstCaps* caps) const override {
    gchar* text = gst_caps_to_string(caps);
    asked = text;
    g_free(text);
  }
  bool NeedsProbe() const override { return false; }

  const std::string listing;
  const std::string element;
  mutable std::string asked;
};

// Makes `source` the only camera of `capture` and attaches it with its modes
// listed, as the camera choice leaves it.
inline ::testing::AssertionResult Attach(CImageCapture& capture, std::shared_ptr<CCameraSource> source,
                                         const std::string& name = "Test camera") {
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource(name, std::move(source));
  if (capture.EnumerateDevices() && capture.CreateFilters() && capture.SetCaptureDevice(0) &&
      capture.EnumDeviceCaps())
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << capture.GetLastErrorText();
}

// Runs the attached camera in `width` x `height`; `width` 0 takes its first mode.
inline ::testing::AssertionResult RunIn(CImageCapture& capture, int32_t width = 0, int32_t height = 0) {
  CVideoMode* mode = width ? capture.FindVideoMode(width, height, 32) : capture.GetMode(0);
  if (mode && capture.SetVideoMode(mode) && capture.Run()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no run in " << width << "x" << height << ": " << capture.GetLastErrorText();
}

// The capture engine at start-up, before any camera is chosen: it lists only
// the cameras a test adds, and message boxes are recorded.
struct StartUp {
  StartUp() {
    engine.Init(nullptr);
    engine.GetImageCapture()->SetSystemCamerasListed(false);
  }
  void Add(const std::string& name, std::shared_ptr<CCameraSource> camera) {
    engine.GetImageCapture()->AddExtraSource(name, std::move(camera));
  }

  RecordingDesktop desktop;
  CCaptureEngine engine;
};

// Cameras plugged into GStreamer's device monitor and out of it, as a camera
// driver's device provider does on a real machine: the monitor lists them
// under "Video/Source" beside any real ones. Main thread. Whatever is still
// plugged in goes with the object.
class FakeCameras {
 public:
  FakeCameras();
  ~FakeCameras();
  FakeCameras(const FakeCameras&) = delete;
  FakeCameras& operator=(const FakeCameras&) = delete;

  // Plugs in a camera named `name` at the device node `node`, listing `caps`
  // (a caps text); `source` makes its elements. Valid until Unplug.
  GstDevice* Plug(const std::string& name, const char* caps, const std::string& node,
                  std::shared_ptr<CCameraSource> source);
  void Unplug(GstDevice* camera);

 private:
  GstDeviceProvider* provider;
  std::vector<GstDevice*> plugged;
};
