#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "capture/ImageCapture.h"
#include "capture/SampleGrabberCallback.h"
#include "layers/VideoTextureLayer.h"
#include "render/RenderDevice.h"

class CMotionDetector;
class CAbstractLayer;

struct CaptureScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The one owner of the live camera: the image capture (pipeline, device and
// mode lists), the live video layer, the current motion detector and the
// camera texture's uploads. Main thread only; frames arrive on GStreamer's
// streaming threads and reach the detector and the texture by themselves.
//
// Order of use: Init, the camera choice (through GetImageCapture), SetScreenRect,
// Start, then Update once per drawn frame before drawing and SetMotionDetector
// by every state as it starts; Shutdown (or destruction) at the end.
class CCaptureEngine {
 public:
  CCaptureEngine() = default;
  virtual ~CCaptureEngine();
  CCaptureEngine(const CCaptureEngine&) = delete;
  CCaptureEngine& operator=(const CCaptureEngine&) = delete;

  // Reads the viewport from `d3dDevice` (when there is one) and makes the
  // image capture for `window`. Always true.
  bool Init(SDL_Window* window);
  // The back buffer's rectangle in pixels: 0, 0, width, height.
  void SetScreenRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
  // Makes the video layer for the current mode and runs the pipeline. False
  // without Init or when the pipeline will not run (see GetImageCapture's
  // last error).
  bool Start();
  // Installs `detector` (null: none) as the one that receives camera frames,
  // initialised for the current mode, and publishes it as
  // CurrentMotionDetector(). The engine shares its ownership; the detector
  // it replaces is destroyed on the main thread once the streaming thread can
  // no longer be inside it. False while there is no pipeline.
  bool SetMotionDetector(std::shared_ptr<CMotionDetector> detector);
  // Once per drawn frame, before the layers draw: watches the camera (see
  // CImageCapture::CheckSource), uploads the newest complete picture into
  // `cameraTexture` (made with `d3dDevice` at the size CameraTextureSize
  // gives) and frees replaced detectors.
  void Update();
  // Calls the stop hook (the current state's music), then stops the pipeline.
  bool Stop();
  // Stops, drops the detectors, the image capture and the camera texture
  // (call it while the drawing device still exists). The layer stays until
  // destruction.
  void Shutdown();

  bool IsCaptureInitialized() const { return imageCapture && imageCapture->IsInitialized(); }
  CImageCapture* GetImageCapture() const { return imageCapture.get(); }
  // The background layer every state adds first; null until Start.
  CVideoTextureLayer* GetVideoLayer() const { return videoLayer.get(); }
  const Viewport& GetViewport() const { return viewport; }
  CMotionDetector* GetMotionDetector() const { return motionDetector.get(); }
  const CaptureScreenRect& GetScreenRect() const { return screenRect; }

  // What the engine asks of the application without knowing it: stop the
  // current state's music before the camera stops, and take the video layer
  // out of the current state's layers before the engine destroys it.
  void SetStopHook(std::function<void()> hook) { stopHook = std::move(hook); }
  void SetLayerRemovalHook(std::function<void(CAbstractLayer*)> hook) { layerRemovalHook = std::move(hook); }

 private:
  void CreateVideoLayer();
  void UploadNewestPicture();
  void ReleaseRetiredCallbacks();

  Viewport viewport;
  std::unique_ptr<CVideoTextureLayer> videoLayer;
  CaptureScreenRect screenRect;
  std::unique_ptr<CImageCapture> imageCapture;
  std::shared_ptr<CMotionDetector> motionDetector;
  std::shared_ptr<CSampleGrabberCallback> frameCallback;
  // Callbacks replaced while frames may still be flowing through them.
  std::vector<std::shared_ptr<CSampleGrabberCallback>> retiredCallbacks;
  bool textureFailureShown = false;
  std::function<void()> stopHook;
  std::function<void(CAbstractLayer*)> layerRemovalHook;
};

// The process-wide engine: made by the application before its window and
// destroyed after the frame cycle ends.
extern std::unique_ptr<CCaptureEngine> captureEngine;
