#include "scores/HiscoreLayer.h"

#include <SDL_keyboard.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/VirtualKeys.h"
#include "scores/Hiscores.h"

namespace {
constexpr const char* kFont = "Comic Sans MS";
constexpr float kRowColor[4] = {0.015686f, 0.505882f, 0.003922f, 0.666667f};
constexpr float kHighlightColor[4] = {0.666667f, 0.0f, 0.0f, 0.666667f};
constexpr float kTitleColor[4] = {1.0f, 0.447059f, 0.043137f, 0.666667f};
constexpr int32_t kFirstRowY = 130;
constexpr int32_t kRowSpacing = 60;
constexpr int32_t kRankX = 160;
constexpr int32_t kNameX = 250;
constexpr int32_t kScoreX = 640;

constexpr int32_t kKeyLastNonLetter = 64;

std::unique_ptr<C3DText> MakeRowText(int32_t x, int32_t y, const std::string& text) {
  auto row = std::make_unique<C3DText>(kFont, 8, 0.3f);
  row->SetScale(0.85f);
  row->SetColor(kRowColor[0], kRowColor[1], kRowColor[2], kRowColor[3]);
  row->SetPosition(x, y);
  row->SetText(text.c_str(), 0);
  return row;
}

void SetColor(C3DText& text, const float color[4]) { text.SetColor(color[0], color[1], color[2], color[3]); }

bool ShiftHeld() { return (SDL_GetModState() & KMOD_SHIFT) != 0; }
}  // namespace

HiscoreLayer::HiscoreLayer(const char* titleText, const char* backgroundFile,
                           const std::vector<HiScoreEntry>& list) {
  if (backgroundFile != nullptr && Load(backgroundFile, 0) != 0) {
    BuildQuad();
    FitWidth(static_cast<float>(texture->Height()) / static_cast<float>(texture->Width()));
    SetColorBlend(1);
  }
  if (titleText != nullptr) {
    title = std::make_unique<C3DText>(kFont, 10, 0.4f);
    SetColor(*title, kTitleColor);
    title->SetPosition(320, 0);
    title->SetText(titleText, 0);
  }
  SetEntries(list);
}

HiscoreLayer::~HiscoreLayer() = default;

void HiscoreLayer::SetEntries(const std::vector<HiScoreEntry>& list) {
  entries.assign(list.begin(), list.begin() + std::min<size_t>(list.size(), kRows));
  entries.resize(kRows);
  nameTexts.clear();
  rankTexts.clear();
  scoreTexts.clear();
  for (int32_t row = 0; row < kRows; ++row) {
    const int32_t y = kFirstRowY + kRowSpacing * row;
    const HiScoreEntry& entry = entries[static_cast<size_t>(row)];
    char number[16];
    std::snprintf(number, sizeof(number), "%d.", row + 1);
    rankTexts.push_back(MakeRowText(kRankX, y, number));
    nameTexts.push_back(MakeRowText(kNameX, y, Hiscores::ShownName(entry.name)));
    std::snprintf(number, sizeof(number), "%06d", entry.score);
    scoreTexts.push_back(MakeRowText(kScoreX, y, number));
  }
}

void HiscoreLayer::SetHighlight(int32_t row) {
  if (row < 0 || row >= kRows) {
    return;
  }
  highlightOn = 1;
  highlightRow = row;
  const size_t index = static_cast<size_t>(row);
  SetColor(*rankTexts[index], kHighlightColor);
  SetColor(*nameTexts[index], kHighlightColor);
  SetColor(*scoreTexts[index], kHighlightColor);
}

void HiscoreLayer::OnKey(int32_t key) {
  if (highlightOn != 1 || highlightRow < 0 || key < 0) {
    return;
  }
  HiScoreEntry& entry = entries[static_cast<size_t>(highlightRow)];
  std::string name = entry.name;
  if (key == kVkReturn) {
    if (!name.empty()) {
      entryDone = 1;
    }
    return;
  }
  if (key == kVkBack || key == kVkDelete) {
    if (name.empty()) {
      return;
    }
    name.pop_back();
  } else if (key >= kVk0 && key <= kVkZ) {
    if (name.size() >= kMaxNameLength) {
      return;
    }
    char typed = static_cast<char>(key);
    if (key > kKeyLastNonLetter && !ShiftHeld()) {
      typed = static_cast<char>(key + 32);
    }
    name.push_back(typed);
  } else {
    return;
  }
  entry.name = name;
  nameTexts[static_cast<size_t>(highlightRow)]->SetText(name.c_str(), 0);
}

int32_t HiscoreLayer::Render(RenderDevice* device) {
  CTextureLayer::Render(device);  // the background, if any, colour-blended
  if (title != nullptr) {
    title->Render(device);
  }
  for (int32_t row = 0; row < kRows; ++row) {
    const size_t index = static_cast<size_t>(row);
    rankTexts[index]->Render(device);
    if (!entries[index].name.empty()) {
      nameTexts[index]->Render(device);
    }
    scoreTexts[index]->Render(device);
  }
  return 1;
}
