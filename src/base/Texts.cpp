#include "base/Texts.h"

namespace {
struct TextEntry {
  uint32_t id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
    {1, "yes"},
    {2, "High scores"},
    {3, "Quit"},
    {4, "Back"},
    {5, "Ready ?"},
    {6, "Level"},
    {7, "Egg broken !!"},
    {8, "Game over"},
    {9, "Golden egg lost !"},
    {10, "Beware, spoiled egg !"},
    {11, "Spoiled egg !"},
    {12, "That was close !"},
    {13, "Golden egg !"},
    {14, "Play again ?"},
    {15, "no"},
    {16, "Tries"},
    {17, "Score"},
    {18, "Eggs"},
    {24, "Play"},
    {25, "Level "},
    {27, "Empty"},
};
}  // namespace

const char* LoadText(uint32_t id) {
  for (const TextEntry& entry : kTexts) {
    if (entry.id == id) {
      return entry.text;
    }
  }
  return "";
}
