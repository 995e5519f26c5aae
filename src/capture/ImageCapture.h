#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/VideoMode.h"
#include "capture/CaptureDeviceEnumerator.h"
#include "capture/SampleGrabberCallback.h"
#include "capture/TextureRenderer.h"

struct SDL_Window;
typedef struct _GstElement GstElement;
typedef struct _GstCaps GstCaps;

// The capture pipeline of one camera:
//   source ! [MJPEG decoder] ! videoconvert ! videoscale ! BGRx at the mode's size ! tee
//     tee ! queue ! appsink (detector frames, bottom row first, to the frame callback)
//     tee ! queue ! videoconvert ! BGR ! appsink (texture frames, to the texture renderer)
// Every operation runs on the main thread and returns false with a message
// in lastError when it fails; frames arrive on GStreamer's streaming threads.
class CImageCapture : public CCaptureDeviceEnumerator {
 public:
  // `window` receives nothing directly; it is kept for whoever needs the main
  // window (GetWindow) and may be null.
  explicit CImageCapture(SDL_Window* window);
  ~CImageCapture() override;
  CImageCapture(const CImageCapture&) = delete;
  CImageCapture& operator=(const CImageCapture&) = delete;

  bool CreateFilters();
  bool SetCaptureDevice(const int32_t& index);
  bool EnumDeviceCaps();
  bool SelectVideoMode(const int32_t& width, const int32_t& height, const int32_t& bitsPerPixel);
  bool Run();
  // Gives up after about two seconds with "Stop(): Could not stop graph\n".
  bool Stop();

  // Records `mode` (which must stay in the mode list) as currentMode and selects it.
  bool SetVideoMode(CVideoMode* mode);
  // The first mode with all three values, null when none or no device is attached.
  CVideoMode* FindVideoMode(int32_t width, int32_t height, int32_t bitsPerPixel) const;
  // Routes detector frames to `callback` from the next frame on (null: to
  // nobody). The streaming thread may still be inside the previous callback
  // when this returns; it holds its own reference until it is done. False
  // while there is no pipeline (the callback is kept for the next one).
  bool SetFrameCallback(std::shared_ptr<CSampleGrabberCallback> callback);
  // Empties the pipeline's message queue (called on the capture notice, see
  // CaptureNotice.h). Errors are remembered for CheckSource; the end of a
  // recorded video starts it again.
  void HandleGraphEvents();
  // Main thread, once per drawn frame after Run (even one that failed):
  // notices a camera that failed or delivered nothing for three seconds,
  // says so once on standard error (the last picture stays on screen) and
  // restarts the pipeline every two seconds until pictures come again (a
  // system camera plugged in again at another device node is found by its
  // name).
  void CheckSource();

  SDL_Window* GetWindow() const { return window; }
  // The mode last set, null until then and again once EnumDeviceCaps has
  // replaced the list it belonged to.
  CVideoMode* GetCurrentMode() const { return currentMode; }
  int32_t IsInitialized() const { return initialized; }
  int32_t IsDeviceAttached() const { return deviceAttached; }
  int32_t GetModeCount() const { return static_cast<int32_t>(modes.size()); }
  CVideoMode* GetMode(int32_t index) const { return modes[static_cast<size_t>(index)].get(); }
  // The texture side of the hand-off; replaced by each CreateFilters.
  CTextureRenderer* GetRenderer() const { return renderer.get(); }
  // Detector frames delivered since the image capture was made. Any thread.
  uint64_t GetDetectorFrameCount() const { return detectorFrames; }
  // True while the camera counts as failed (see CheckSource).
  bool IsSourceFaulted() const { return faulted; }

 private:
  void ReleaseFilters();
  bool BuildPipeline();
  bool ConnectSource(int32_t width, int32_t height, int32_t bitsPerPixel);
  bool ConnectFilters(GstCaps* sourceCaps);
  void FollowReplugged();
  void RemoveSourceFront();
  bool RequireDevice(const char* label, bool needDevice);
  bool ProbeSource(const CVideoCaptureDevice& device);
  bool RestartPipeline();
  void ReportFault();

  // GStreamer's callbacks (streaming threads), defined with the pipeline.
  struct Hooks;
  friend struct Hooks;

  CVideoMode* currentMode = nullptr;
  SDL_Window* window = nullptr;
  int32_t initialized = 0;
  int32_t deviceAttached = 0;
  std::vector<std::unique_ptr<CVideoMode>> modes;

  // Releases the pipeline (defined where GStreamer is included).
  struct Unref {
    void operator()(GstElement* element) const;
  };

  std::unique_ptr<GstElement, Unref> graph;  // the pipeline; owns every element below
  GstElement* captureFilter = nullptr;  // the attached device's source
  GstElement* sourceCaps = nullptr;     // what the source is asked for
  GstElement* decoder = nullptr;        // MJPEG sources only
  GstElement* convert = nullptr;        // first element after the source
  GstElement* grabberCaps = nullptr;    // BGRx at the mode's size
  std::shared_ptr<CCameraSource> attachedSource;
  std::string attachedName;

  std::shared_ptr<CTextureRenderer> renderer;
  std::shared_ptr<CSampleGrabberCallback> frameCallback;  // atomic access only
  std::atomic<uint64_t> detectorFrames{0};
  std::atomic<bool> noticePending{false};

  // CheckSource's watch over a running pipeline (main thread).
  bool running = false;
  bool faulted = false;
  bool sourceError = false;
  std::string faultText;
  uint64_t framesSeen = 0;
  uint32_t lastProgressTick = 0;
  uint32_t lastRestartTick = 0;
};
