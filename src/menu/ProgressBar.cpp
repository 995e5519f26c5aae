#include "menu/ProgressBar.h"

namespace {
constexpr uint32_t kBarWidth = 256;
constexpr uint32_t kBarHeight = 10;
constexpr float kBarAlpha = 0.53333336f;  // 136 of 255

std::unique_ptr<CSpriteLayer> MakeBarSprite(const char* file, uint32_t colorKey) {
  auto sprite = std::make_unique<CSpriteLayer>();
  sprite->LoadSprite(file, colorKey);
  sprite->SetFrameSize(kBarWidth, kBarHeight);
  sprite->SetColor(1.0f, 1.0f, 1.0f, kBarAlpha);
  sprite->SetScale(1.0f, 1.0f);
  return sprite;
}
}  // namespace

CProgressBar::CProgressBar(const char* fillFile, uint32_t fillKey, const char* emptyFile, uint32_t emptyKey)
    : fill(MakeBarSprite(fillFile, fillKey)), empty(MakeBarSprite(emptyFile, emptyKey)) {
  fill->SetScale(0.0f, 1.0f);
  visible = 0;
}

int32_t CProgressBar::Render(RenderDevice* device) {
  if (visible != 0) {
    empty->Render(device);
    fill->Render(device);
  }
  return 1;
}

void CProgressBar::SetViewportSize(uint32_t width, uint32_t height) {
  fill->SetViewportSize(width, height);
  empty->SetViewportSize(width, height);
}

void CProgressBar::SetValue(float v) {
  value = v;
  fill->SetScale(v, 1.0f);
}

void CProgressBar::SetPosition(float x, float y) {
  const float xy[2] = {x, y};
  fill->SetPosition(xy);
  empty->SetPosition(xy);
}
