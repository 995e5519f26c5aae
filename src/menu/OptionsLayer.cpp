#include "menu/OptionsLayer.h"

#include "base/Clock.h"
#include "menu/OptionSet.h"

namespace {
constexpr float kCaptionDepth = 0.4f;
constexpr float kTitleScale = 1.2f;
}  // namespace

COptionsLayer::COptionsLayer(const char* font, const char* backgroundFile) : fontName(font != nullptr ? font : "") {
  if (backgroundFile != nullptr && Load(backgroundFile, 0) != 0) {
    BuildQuad();
    FitWidth(static_cast<float>(texture->Height()) / static_cast<float>(texture->Width()));
    SetColorBlend(1);
  }
}

COption* COptionsLayer::AddOption(const char* text, float x, float y, int32_t left, int32_t top, int32_t right,
                                  int32_t bottom, const float normal[4], const float highlight[4], int32_t value,
                                  int32_t selectable, int32_t showProgress) {
  auto caption = std::make_unique<C3DText>(fontName.c_str(), optionTextSize, kCaptionDepth);
  caption->SetColor(normal[0], normal[1], normal[2], normal[3]);
  caption->SetPosition(static_cast<int32_t>(x), static_cast<int32_t>(y));
  caption->SetText(text, 0);
  caption->SetSpinAxis(1.0f, 0.0f, 0.0f);
  caption->SetAngle(0.0f);
  caption->SetSpinSpeed(0.0f);
  options.push_back(std::make_unique<COption>(std::move(caption), ScreenRect{left, top, right, bottom}, value,
                                              normal, highlight, selectable, showProgress));
  return options.back().get();
}

void COptionsLayer::SetTitle(const char* text, float x, float y, const float color[4]) {
  title = std::make_unique<C3DText>(fontName.c_str(), titleTextSize, kCaptionDepth);
  title->SetColor(color[0], color[1], color[2], color[3]);
  title->SetText(text, 0);
  title->SetPosition(static_cast<int32_t>(x), static_cast<int32_t>(y));
  title->SetSpinAxis(1.0f, 0.0f, 0.0f);
  title->SetAngle(0.0f);
  title->SetScale(kTitleScale);
  title->SetSpinSpeed(0.0f);
}

void COptionsLayer::Update() {
  if (visible == 0 || motionDisabled != 0) {
    return;
  }
  const MotionSnapshot motion = MotionSnapshot::FromCurrentDetector();
  int32_t overlaps = 0;
  COption* candidate = nullptr;
  std::vector<COption*> all;
  all.reserve(options.size());
  for (const auto& option : options) {
    const int32_t hits = motion.CountOverlaps(option->GetRect());
    if (hits > 0) {
      candidate = option.get();
      overlaps += hits;
    }
    all.push_back(option.get());
  }
  const int32_t chosen = RunOptionSet(all, overlaps, candidate, TickCount());
  if (chosen >= 0) {
    chosenValue = chosen;
  }
}

int32_t COptionsLayer::GetHeld() const {
  const uint32_t now = TickCount();
  for (const auto& option : options) {
    if (option->GetState() == OptionState::activated &&
        static_cast<int32_t>(now - option->GetActivatedTick()) > heldThresholdMs) {
      return option->GetValue();
    }
  }
  return -1;
}

void COptionsLayer::SetViewportSize(uint32_t width, uint32_t height) {
  for (const auto& option : options) {
    option->SetViewportSize(width, height);
  }
}

int32_t COptionsLayer::Render(RenderDevice* device) {
  if (visible == 0) {
    return 1;
  }
  CTextureLayer::Render(device);  // the background, if any, colour-blended
  if (title != nullptr) {
    title->Render(device);
  }
  for (const auto& option : options) {
    option->Render(device);
  }
  return 1;
}
