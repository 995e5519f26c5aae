#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "MotionTestHelpers.h"
#include "motion/BasketMotionDetector.h"
#include "motion/MotionRect.h"

namespace {

// Movement and zones meet only by area: touching edges, flat and inverted
// rectangles do not overlap.
TEST(MotionRectTest, RectanglesOverlapOnlyByArea) {
  const ScreenRect a{100, 100, 200, 200};
  const struct {
    ScreenRect b;
    bool overlaps;
  } rows[] = {
      {{150, 150, 250, 250}, true},  {{199, 199, 300, 300}, true},  {{0, 0, 1024, 768}, true},
      {{200, 100, 300, 200}, false}, {{0, 100, 100, 200}, false},   {{100, 200, 200, 300}, false},
      {{100, 0, 200, 100}, false},   {{200, 200, 300, 300}, false}, {{150, 0, 150, 768}, false},
      {{0, 150, 1024, 150}, false},  {{160, 100, 150, 200}, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(RectsOverlap(a, row.b), row.overlaps) << row.b.left << ", " << row.b.top;
    EXPECT_EQ(RectsOverlap(row.b, a), row.overlaps) << row.b.left << ", " << row.b.top;
  }
}

using Basket = CBasketMotionDetector;

// Grid x runs right to left on screen and grid y bottom to top. The same
// movement must choose the same zone whatever the size of the screen.
TEST(BasketMotionDetectorTest, TheSameMovementChoosesTheSameZoneOnAnyScreen) {
  const struct {
    const char* what;
    std::vector<MotionRect> cells;
    int32_t zone;
  } rows[] = {
      {"nothing", {}, Basket::kNoZone},  {"five cells are noise", {{20, 20, 24, 20}}, Basket::kNoZone},
      {"bottom right", {{0, 0, 2, 1}}, Basket::kBottomRight}, {"bottom left", {{25, 0, 27, 1}}, Basket::kBottomLeft},
      {"top right", {{0, 27, 2, 28}}, Basket::kTopRight},     {"top left", {{25, 27, 27, 28}}, Basket::kTopLeft},
      {"the outline of the left half", {{15, 0, 29, 0}, {15, 29, 29, 29}, {15, 0, 15, 29}, {29, 0, 29, 29}},
       Basket::kTopLeft},
      {"across the top", {{11, 28, 17, 29}}, Basket::kTopLeft}, {"down the right", {{0, 10, 2, 20}}, Basket::kTopRight},
      {"along the bottom", {{5, 0, 25, 2}}, Basket::kBottomLeft},
      {"between left and right", {{12, 5, 15, 25}}, Basket::kNoZone},
      {"between top and bottom", {{0, 14, 5, 15}}, Basket::kNoZone},
      {"just below that band", {{0, 11, 2, 12}}, Basket::kBottomRight},
      {"one cell high", {{0, 0, 7, 0}}, Basket::kNoZone},
      {"the first in the list decides", {{0, 0, 2, 1}, {22, 24, 27, 28}}, Basket::kBottomRight},
      {"one in a band does not", {{12, 5, 15, 25}, {22, 24, 27, 28}}, Basket::kTopLeft},
  };
  for (const auto& viewport : {std::pair{0u, 0u}, std::pair{1024u, 768u}, std::pair{800u, 600u},
                               std::pair{1440u, 1080u}, std::pair{2048u, 1536u}}) {
    for (const auto& row : rows) {
      Basket basket(viewport.first, viewport.second);
      const CVideoMode mode(320, 240, 32);
      ASSERT_TRUE(basket.Init(&mode));
      MoveCells(basket, 320, 240, row.cells);
      EXPECT_EQ(basket.QueryZone(), row.zone) << viewport.first << "x" << viewport.second << ": " << row.what;
    }
  }
}

}  // namespace
