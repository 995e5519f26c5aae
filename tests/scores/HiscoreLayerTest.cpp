#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "scores/HiscoreLayer.h"
#include "support/RecordingDevice.h"

namespace {
std::vector<HiScoreEntry> Table() {
  std::vector<HiScoreEntry> table;
  for (int i = 0; i < 10; ++i) {
    table.emplace_back(i % 2 == 0 ? "Empty" : "", 1000 - 100 * i);
  }
  return table;
}

class HiscoreLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = d3dDevice;
    d3dDevice = &device;
    SDL_SetModState(KMOD_NONE);
  }
  void TearDown() override {
    SDL_SetModState(KMOD_NONE);
    d3dDevice = previous;
  }
  std::string NameAt(const HiscoreLayer& layer, int row) { return layer.GetEntries()[static_cast<size_t>(row)].name; }

  RecordingDevice device;
  RenderDevice* previous = nullptr;
};

// Keys typed into row 1 (shift held for the keys after a 0), then the name
// shown and whether Enter ended the entry.
TEST_F(HiscoreLayerTest, TypedNameTakesLettersDigitsAndShiftUpToEightAndNeverEmpty) {
  const struct {
    std::vector<int32_t> keys;
    const char* name;
    bool done;
  } rows[] = {
      {{'A', 'N', '7', 0, 'B'}, "an7B", false},
      {{'A', 'N', '7', 'B', 8, 46, 32, 37, 91, 200, -1, 13}, "an", true},  // Backspace, Delete, keys not handled, Enter
      {{8, 13}, "", false},                                           // on an empty name
      {{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 13}, "abcdefgh", true},
  };
  for (const auto& row : rows) {
    HiscoreLayer layer("Nestfall", nullptr, Table());
    layer.SetHighlight(1);
    for (int32_t key : row.keys) {
      if (key == 0) SDL_SetModState(KMOD_LSHIFT);
      else layer.OnKey(key);
    }
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(NameAt(layer, 1), row.name);
    EXPECT_EQ(layer.IsEntryDone(), row.done) << row.name;
    EXPECT_EQ(layer.GetEntries()[1].score, 900);
  }
}

TEST_F(HiscoreLayerTest, HighlightOutsideTheTableDisablesEntry) {
  for (int32_t row : {-1, 10}) {
    HiscoreLayer layer(nullptr, nullptr, Table());
    layer.SetHighlight(row);
    for (int32_t key : {int32_t{'A'}, 13}) layer.OnKey(key);
    EXPECT_EQ(layer.GetHighlightRow(), -1);
    EXPECT_FALSE(layer.IsEntryDone());
    EXPECT_EQ(layer.GetEntries(), Table());
  }
}

TEST_F(HiscoreLayerTest, ShortTablesShowEmptyRowsAndEmptyNamesDrawOnlyRankAndScore) {
  HiscoreLayer shortTable(nullptr, nullptr, {HiScoreEntry("ada", 7)});
  std::vector<HiScoreEntry> rows(10);
  rows[0] = HiScoreEntry("ada", 7);
  EXPECT_EQ(shortTable.GetEntries(), rows);
  HiscoreLayer layer("Nestfall", nullptr, Table());
  device.ClearRecords();
  layer.Render(&device);
  // Title, ten ranks, ten scores and the five rows that have a name.
  EXPECT_EQ(device.CountCalls("DrawMesh"), 26u);
}
}  // namespace
