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
  void Type(HiscoreLayer& layer, std::initializer_list<int32_t> keys) {
    for (int32_t key : keys) {
      layer.OnKey(key);
    }
  }
  std::string NameAt(const HiscoreLayer& layer, int row) { return layer.GetEntries()[static_cast<size_t>(row)].name; }

  RecordingDevice device;
  RenderDevice* previous = nullptr;
};

TEST_F(HiscoreLayerTest, TypedNameTakesLettersDigitsAndShift) {
  HiscoreLayer layer("Nestfall", nullptr, Table());
  layer.SetHighlight(1);
  Type(layer, {'A', 'N', '7'});
  SDL_SetModState(KMOD_LSHIFT);
  Type(layer, {'B'});
  SDL_SetModState(KMOD_NONE);
  EXPECT_EQ(NameAt(layer, 1), "an7B");
  Type(layer, {8, 46});
  EXPECT_EQ(NameAt(layer, 1), "an");
  // Keys outside the handled ranges change nothing.
  Type(layer, {32, 37, 91, 200, -1});
  EXPECT_EQ(NameAt(layer, 1), "an");
  Type(layer, {13});
  EXPECT_TRUE(layer.IsEntryDone());
  EXPECT_EQ(layer.GetEntries()[1].score, 900);
}

TEST_F(HiscoreLayerTest, NameIsAtMostEightCharactersAndNeverEmptyOnEnter) {
  HiscoreLayer layer(nullptr, nullptr, Table());
  layer.SetHighlight(3);
  Type(layer, {8, 13});  // Backspace on an empty name, Enter on an empty name
  EXPECT_FALSE(layer.IsEntryDone());
  EXPECT_EQ(NameAt(layer, 3), "");
  Type(layer, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I'});
  EXPECT_EQ(NameAt(layer, 3), "abcdefgh");
}

TEST_F(HiscoreLayerTest, HighlightOutsideTheTableDisablesEntry) {
  for (int32_t row : {-1, 10}) {
    HiscoreLayer layer(nullptr, nullptr, Table());
    layer.SetHighlight(row);
    Type(layer, {'A', 13});
    EXPECT_EQ(layer.GetHighlightRow(), -1);
    EXPECT_FALSE(layer.IsEntryDone());
    EXPECT_EQ(layer.GetEntries(), Table());
  }
}

TEST_F(HiscoreLayerTest, HighlightColoursTheWholeRow) {
  HiscoreLayer layer(nullptr, nullptr, Table());
  layer.SetHighlight(2);
  EXPECT_NEAR(layer.ScoreText(2).GetMaterial().diffuse.r, 0.666667f, 1e-5);
  EXPECT_NEAR(layer.RankText(2).GetMaterial().diffuse.g, 0.0f, 1e-5);
  EXPECT_NEAR(layer.NameText(3).GetMaterial().diffuse.g, 0.505882f, 1e-5);
}

TEST_F(HiscoreLayerTest, RowsWithEmptyNamesDrawOnlyRankAndScore) {
  HiscoreLayer layer("Nestfall", nullptr, Table());
  device.ClearRecords();
  layer.Render(&device);
  // Title, ten ranks, ten scores and the five rows that have a name.
  EXPECT_EQ(device.CountCalls("DrawMesh"), 26u);
  EXPECT_EQ(device.CountCalls("DrawTriangleStrip"), 0u);
}

TEST_F(HiscoreLayerTest, ShortTablesShowEmptyRows) {
  HiscoreLayer layer(nullptr, nullptr, {HiScoreEntry("ada", 7)});
  const std::vector<HiScoreEntry> rows = layer.GetEntries();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0], HiScoreEntry("ada", 7));
  EXPECT_EQ(rows[9], HiScoreEntry());
  float x = 0, y = 0;
  layer.ScoreText(9).GetPosition(x, y);
  EXPECT_EQ(x, 640.0f);
  EXPECT_EQ(y, 130.0f + 60.0f * 9);
}
}  // namespace
