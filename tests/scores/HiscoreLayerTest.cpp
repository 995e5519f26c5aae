#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "scores/HiscoreLayer.h"
#include "support/PrintEntry.h"

namespace {
std::vector<HiScoreEntry> Table() {
  std::vector<HiScoreEntry> table;
  for (int i = 0; i < 10; ++i) table.emplace_back(i % 2 == 0 ? "Empty" : "", 1000 - 100 * i);
  return table;
}

// Keys typed into the highlighted row (shift held for the keys after a 0),
// then the name shown and whether Enter ended the entry; a highlight outside
// the table takes no keys.
TEST(HiscoreLayerTest, TypedNameTakesLettersDigitsAndShiftUpToEightAndNeverEmpty) {
  const struct { int32_t highlight; std::vector<int32_t> keys; const char* name; bool done; } rows[] = {
      {1, {'A', 'N', '7', 0, 'B'}, "an7B", false},
      // Backspace, Delete, keys not handled, Enter; then on an empty name
      {1, {'A', 'N', '7', 'B', 8, 46, 32, 37, 91, 200, -1, 13}, "an", true},
      {1, {8, 13}, "", false},
      {1, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 13}, "abcdefgh", true},
      {-1, {'A', 13}, "", false},
      {10, {'A', 13}, "", false},
  };
  for (const auto& row : rows) {
    HiscoreLayer layer("Nestfall", nullptr, Table());
    SDL_SetModState(KMOD_NONE);
    layer.SetHighlight(row.highlight);
    for (int32_t key : row.keys) {
      if (key == 0) SDL_SetModState(KMOD_LSHIFT);
      else layer.OnKey(key);
    }
    std::vector<HiScoreEntry> shown = Table();
    shown[1].name = row.name;
    EXPECT_EQ(layer.GetEntries(), shown);
    EXPECT_EQ(layer.IsEntryDone(), row.done) << row.name;
    EXPECT_EQ(layer.GetHighlightRow(), row.highlight == 1 ? 1 : -1);
  }
  SDL_SetModState(KMOD_NONE);
}

}  // namespace
