#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "MotionTestHelpers.h"
#include "motion/BasketMotionDetector.h"

namespace {

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
      EXPECT_EQ(basket.QueryZone(), Basket::kNoZone);
      const CVideoMode mode(320, 240, 32);
      ASSERT_TRUE(basket.Init(&mode));
      MoveCells(basket, 320, 240, row.cells);
      EXPECT_EQ(basket.QueryZone(), row.zone) << viewport.first << "x" << viewport.second << ": " << row.what;
    }
  }
}

}  // namespace
