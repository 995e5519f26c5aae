#pragma once
// An offscreen SDL window with a GlRenderDevice, set up as the application
// sets up its scene (states, two lights, view and projection). Header-only
// so that the render benchmark can use it too. Needs SDL_VIDEODRIVER=offscreen
// on a machine without a display.
#include <SDL.h>

#include <cmath>
#include <memory>
#include <vector>

#include "render/GlRenderDevice.h"
#include "render/Texture.h"

class GlScene {
 public:
  GlScene(int width = 1000, int height = 750) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      return;
    }
    videoStarted_ = true;
    window_ = SDL_CreateWindow("layers test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window_ != nullptr) {
      device_ = GlRenderDevice::Create(window_);
    }
    if (device_) {
      d3dDevice = device_.get();
      SetUpScene();
    }
  }
  ~GlScene() {
    CTexture::ReleaseAll();
    if (d3dDevice == device_.get()) {
      d3dDevice = nullptr;
    }
    device_.reset();
    if (window_ != nullptr) {
      SDL_DestroyWindow(window_);
    }
    if (videoStarted_) {
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
  }
  GlScene(const GlScene&) = delete;
  GlScene& operator=(const GlScene&) = delete;

  bool Ok() const { return device_ != nullptr; }
  GlRenderDevice& Device() { return *device_; }

  // The render states, lights and camera every layer relies on.
  void SetUpScene() {
    RenderStates states;
    states.alphaBlend = true;
    states.srcBlend = BlendFactor::SrcAlpha;
    states.destBlend = BlendFactor::InvSrcAlpha;
    states.alphaTest = true;
    states.alphaRef = 0x10;
    states.depthTest = true;
    states.lighting = true;
    states.linearFilter = true;
    states.ambient = 0x80808080;
    device_->SetStates(states);
    const float r = 1.0f / std::sqrt(2.0f), s = 1.0f / std::sqrt(3.0f);
    Light directional;
    directional.type = LightType::Directional;
    directional.diffuse = {1, 1, 1, 0};
    directional.direction = {0, -r, r};
    directional.position = {0, -10, 10};
    directional.range = 1000;
    directional.enabled = true;
    device_->SetLight(0, directional);
    Light point = directional;
    point.type = LightType::Point;
    point.position = {10, -10, 10};
    point.direction = {s, -s, s};
    device_->SetLight(1, point);
    device_->SetTransform(TransformKind::World, MatrixIdentity());
    device_->SetTransform(TransformKind::View, MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
    const Viewport viewport = device_->GetViewport();
    device_->SetTransform(TransformKind::Projection,
                          MatrixPerspectiveFovLH(0.7853982f, float(viewport.width) / float(viewport.height), 1, 100));
  }

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
