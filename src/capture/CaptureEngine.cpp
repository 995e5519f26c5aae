#include "capture/CaptureEngine.h"

#include <algorithm>

#include "base/DesktopServices.h"
#include "base/Texts.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"

std::unique_ptr<CCaptureEngine> captureEngine;

CCaptureEngine::~CCaptureEngine() {
  Shutdown();
  if (videoLayer && layerRemovalHook) layerRemovalHook(videoLayer.get());
  videoLayer.reset();
}

bool CCaptureEngine::Init(SDL_Window* window) {
  if (d3dDevice) viewport = d3dDevice->GetViewport();
  imageCapture = std::make_unique<CImageCapture>(window);
  return true;
}

void CCaptureEngine::SetScreenRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  screenRect = {left, top, right, bottom};
}

bool CCaptureEngine::Start() {
  if (!imageCapture) return false;
  CreateVideoLayer();
  return imageCapture->Run();
}

void CCaptureEngine::CreateVideoLayer() {
  const bool powerOfTwo = d3dDevice && d3dDevice->RequiresPowerOfTwoTextures();
  const CVideoMode* mode = imageCapture->GetCurrentMode();
  float uMax = 1.0f, vMax = 1.0f;
  if (mode && mode->width > 0 && mode->height > 0) {
    uMax = static_cast<float>(mode->width) / static_cast<float>(CameraTextureSize(mode->width, powerOfTwo));
    vMax = static_cast<float>(mode->height) / static_cast<float>(CameraTextureSize(mode->height, powerOfTwo));
  }
  const int32_t width = screenRect.right - screenRect.left;
  const float aspect =
      width != 0 ? static_cast<float>(screenRect.bottom - screenRect.top) / static_cast<float>(width) : 0.75f;
  if (videoLayer && layerRemovalHook) layerRemovalHook(videoLayer.get());
  videoLayer = std::make_unique<CVideoTextureLayer>();
  videoLayer->SetTexCoords(uMax, vMax);
  videoLayer->FitWidth(aspect);
}

bool CCaptureEngine::SetMotionDetector(std::shared_ptr<CMotionDetector> detector) {
  if (detector && detector == motionDetector) return imageCapture && imageCapture->IsInitialized();
  if (detector) detector->Init(imageCapture ? imageCapture->GetCurrentMode() : nullptr);
  motionDetector = std::move(detector);
  SetCurrentMotionDetector(motionDetector.get());
  if (frameCallback) retiredCallbacks.push_back(frameCallback);
  frameCallback = std::make_shared<CSampleGrabberCallback>(motionDetector);
  const bool routed = imageCapture && imageCapture->SetFrameCallback(frameCallback);
  ReleaseRetiredCallbacks();
  return routed;
}

void CCaptureEngine::Update() {
  if (!imageCapture) return;
  imageCapture->CheckSource();
  UploadNewestPicture();
  ReleaseRetiredCallbacks();
}

void CCaptureEngine::UploadNewestPicture() {
  CTextureRenderer* renderer = imageCapture->GetRenderer();
  if (!renderer || !d3dDevice) return;
  const CameraPicture* picture = renderer->TakeNewestPicture();
  if (!picture) return;
  const bool powerOfTwo = d3dDevice->RequiresPowerOfTwoTextures();
  const uint32_t width = CameraTextureSize(static_cast<uint32_t>(picture->width), powerOfTwo);
  const uint32_t height = CameraTextureSize(static_cast<uint32_t>(picture->height), powerOfTwo);
  if (!cameraTexture || cameraTexture->Width() != width || cameraTexture->Height() != height) {
    cameraTexture = d3dDevice->CreateTexture(width, height, nullptr);
    cameraTextureFormat = cameraTexture ? CameraTextureFormat::X8R8G8B8 : CameraTextureFormat::None;
  }
  if (!cameraTexture) {
    if (!textureFailureShown) Desktop().ShowMessage("", Translate("Could not create the camera texture!"), MessageIcon::Error);
    textureFailureShown = true;
    return;
  }
  cameraTexture->Update(0, 0, static_cast<uint32_t>(picture->width), static_cast<uint32_t>(picture->height),
                        picture->texels.data(), static_cast<uint32_t>(picture->width));
}

// A callback the streaming thread no longer holds has only this list's
// reference left: it and its detector can go.
void CCaptureEngine::ReleaseRetiredCallbacks() {
  retiredCallbacks.erase(std::remove_if(retiredCallbacks.begin(), retiredCallbacks.end(),
                                        [](const auto& callback) { return callback.use_count() == 1; }),
                         retiredCallbacks.end());
}

bool CCaptureEngine::Stop() {
  if (stopHook) stopHook();
  return imageCapture ? imageCapture->Stop() : false;
}

void CCaptureEngine::Shutdown() {
  if (imageCapture) {
    Stop();
    imageCapture->SetFrameCallback(nullptr);
  }
  imageCapture.reset();  // the pipeline and its threads end here
  frameCallback.reset();
  retiredCallbacks.clear();
  if (motionDetector) SetCurrentMotionDetector(nullptr);
  motionDetector.reset();
  // The texture belongs to the drawing device, which the application closes
  // right after this; the layer then draws untextured.
  cameraTexture.reset();
  cameraTextureFormat = CameraTextureFormat::None;
}
