#include "layers/HUD.h"

#include <string>

#include "base/Texts.h"

namespace {

struct HudText {
  int32_t x;
  uint32_t labelId;  // string-table id of the label; 0 for a value
};

constexpr HudText kTexts[8] = {
    {0, 16}, {150, 0},    // "Tries"
    {235, 6}, {385, 0},   // "Level"
    {465, 17}, {630, 0},  // "Score"
    {810, 18}, {960, 0},  // "Eggs"
};

enum ValueSlot { kTries = 1, kLevel = 3, kScore = 5, kEggs = 7 };

}  // namespace

CHUD::CHUD(const char* fontName) {
  for (size_t i = 0; i < texts.size(); ++i) {
    auto text = std::make_unique<C3DText>(fontName, 6, 0.2f);
    text->SetScale(0.6f);
    text->SetPosition(kTexts[i].x, -25);
    text->SetColor(0.0f, 0.8f, 0.0f, 0.0f);
    if (kTexts[i].labelId != 0) {
      text->SetText(LoadText(kTexts[i].labelId), 0);
    }
    texts[i] = std::move(text);
  }
}

CHUD::~CHUD() = default;

void CHUD::SetValues(int32_t newLevel, int32_t newScore, int32_t newEggs, int32_t newTries) {
  level = newLevel;
  score = newScore;
  eggs = newEggs;
  tries = newTries;
  texts[kTries]->SetText(std::to_string(tries).c_str(), 0);
  texts[kLevel]->SetText(std::to_string(level).c_str(), 0);
  texts[kScore]->SetText(std::to_string(score).c_str(), 0);
  texts[kEggs]->SetText(std::to_string(eggs).c_str(), 0);
}

void CHUD::Update() {
  for (auto& text : texts) {
    text->Update();
  }
}

int32_t CHUD::Render(RenderDevice* device) {
  if (!visible) {
    return 1;
  }
  for (auto& text : texts) {
    text->Render(device);
  }
  return 1;
}
