#include "layers/FadeEffect.h"

#include "base/Clock.h"

namespace {

constexpr uint32_t kStepMs = 30;
constexpr uint32_t kAlphaStep = 0x08000000;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
constexpr uint32_t kClearWhite = 0x00FFFFFF;

}  // namespace

CFadeEffect::CFadeEffect() : CFadeEffect("./res/emptytexture.bmp") {}

CFadeEffect::CFadeEffect(const char* pictureFile) {
  LoadSprite(pictureFile, 0);
  phase = kIdle;
  if (d3dDevice != nullptr) {
    const Viewport viewport = d3dDevice->GetViewport();
    CoverViewport(viewport.width, viewport.height);
  }
}

void CFadeEffect::CoverViewport(uint32_t width, uint32_t height) {
  // Integer division, plus one: the 16 x 16 picture drawn from the top-left
  // corner then reaches past the right and bottom edges.
  const float scale[2] = {float(width / 16 + 1), float(height / 16 + 1)};
  SetScreenScale(scale);
}

void CFadeEffect::ScaleViewportPixels(float, float) { CoverViewport(viewportWidth, viewportHeight); }

void CFadeEffect::StartFadeIn() {
  phase = kFadingIn;
  color = kOpaqueWhite;
}

void CFadeEffect::StartFadeOut() {
  phase = kFadingOut;
  color = kClearWhite;
}

void CFadeEffect::Update() {
  const uint32_t now = TickCount();
  const bool stepDue = now - createdTick > kStepMs;
  if (phase == kFadingIn) {
    if ((color >> 24) <= 0x0F) {
      color = kClearWhite;
      phase = kIdle;
    } else if (stepDue) {
      color -= kAlphaStep;
      createdTick = now;
    }
  } else if (phase == kFadingOut) {
    // 0xF8 is the last step from transparent; >= keeps a colour set from
    // outside (SetColor) from stepping past opaque and wrapping around.
    if ((color >> 24) >= 0xF8) {
      color = kOpaqueWhite;
      phase = kIdle;
    } else if (stepDue) {
      color += kAlphaStep;
      createdTick = now;
    }
  }
}

int32_t CFadeEffect::Render(RenderDevice* device) {
  if (phase == kIdle || !visible) {
    return 1;
  }
  RebuildTransform();
  return DrawCell(device, Vec3{positionX, positionY, 0.0f});
}
