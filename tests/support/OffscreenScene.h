#pragma once
// An offscreen SDL window with a GlRenderDevice, its scene set up by the
// game's own SetUpScene, so a pixel test sees what the game would draw.
// Needs SDL_VIDEODRIVER=offscreen on a machine without a display.
#include <SDL.h>

#include <memory>
#include <vector>

#include "render/GlRenderDevice.h"
#include "render/SceneSetUp.h"
#include "render/Texture.h"

class OffscreenScene {
 public:
  OffscreenScene(int width = 1000, int height = 750) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    videoStarted_ = true;
    window_ = SDL_CreateWindow("zestbox test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_ != nullptr) device_ = GlRenderDevice::Create(window_);
    if (!device_) return;
    d3dDevice = device_.get();
    SetUpScene(*device_, device_->GetViewport().width, device_->GetViewport().height);
  }
  ~OffscreenScene() {
    CTexture::ReleaseAll();
    if (d3dDevice == device_.get()) d3dDevice = nullptr;
    device_.reset();
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  OffscreenScene(const OffscreenScene&) = delete;
  OffscreenScene& operator=(const OffscreenScene&) = delete;

  bool Ok() const { return device_ != nullptr; }
  GlRenderDevice& Device() { return *device_; }

  void BeginFrame(uint32_t clearColor = 0) {
    device_->Clear(clearColor, 1.0f);
    device_->BeginScene();
  }
  // Ends the frame and reads it back.
  void EndFrame() {
    device_->EndScene();
    device_->ReadPixels(pixels, width, height);
  }
  uint32_t At(uint32_t x, uint32_t y) const { return pixels[size_t(y) * width + x]; }

  std::vector<uint32_t> pixels;
  uint32_t width = 0, height = 0;

 private:
  bool videoStarted_ = false;
  SDL_Window* window_ = nullptr;
  std::unique_ptr<GlRenderDevice> device_;
};
