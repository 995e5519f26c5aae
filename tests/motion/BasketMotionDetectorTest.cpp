#include <gtest/gtest.h>

#include <vector>

#include "MotionTestHelpers.h"
#include "motion/BasketMotionDetector.h"

namespace {

using Basket = CBasketMotionDetector;

// Publishes the given grid rectangles (filled with moving cells) on a basket
// detector and returns its zone.
int32_t ZoneFor(Basket& basket, const std::vector<MotionRect>& cellRects) {
  const CVideoMode mode(320, 240, 32);
  EXPECT_TRUE(basket.Init(&mode));
  TestFrame still(320, 240);
  TestFrame changed(320, 240);
  for (const MotionRect& r : cellRects) {
    changed.SetCells(r, 0xFF);
  }
  basket.ProcessFrame(still.View());
  basket.ProcessFrame(changed.View());
  return basket.QueryZone();
}

void ExpectZone(const ScreenRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(BasketMotionDetectorTest, ZonesOnTheVirtualScreenAndWithoutViewport) {
  for (const Basket& basket : {Basket(), Basket(0, 0), Basket(0, 600)}) {
    ExpectZone(basket.ZoneRect(Basket::kTopLeft), 0, 0, 450, 350);
    ExpectZone(basket.ZoneRect(Basket::kBottomLeft), 0, 400, 450, 768);
    ExpectZone(basket.ZoneRect(Basket::kTopRight), 600, 0, 1024, 350);
    ExpectZone(basket.ZoneRect(Basket::kBottomRight), 600, 400, 1024, 768);
  }
}

TEST(BasketMotionDetectorTest, NoMotionIsNoZone) {
  Basket basket;
  EXPECT_EQ(basket.QueryZone(), Basket::kNoZone);
  EXPECT_EQ(ZoneFor(basket, {}), Basket::kNoZone);
  // Five cells are noise.
  EXPECT_EQ(ZoneFor(basket, {{20, 20, 24, 20}}), Basket::kNoZone);
}

// Grid x runs right to left on screen and grid y bottom to top.
TEST(BasketMotionDetectorTest, EachQuarterAndThePreferenceBetweenThem) {
  Basket basket;
  EXPECT_EQ(ZoneFor(basket, {{0, 0, 2, 1}}), Basket::kBottomRight);  // 921, 716, 989, 742
  EXPECT_EQ(ZoneFor(basket, {{25, 0, 27, 1}}), Basket::kBottomLeft);
  EXPECT_EQ(ZoneFor(basket, {{0, 27, 2, 28}}), Basket::kTopRight);
  EXPECT_EQ(ZoneFor(basket, {{25, 27, 27, 28}}), Basket::kTopLeft);
  // One rectangle over the whole left half (the outline of it moves):
  // top-left before bottom-left.
  EXPECT_EQ(ZoneFor(basket, {{15, 0, 29, 0}, {15, 29, 29, 29}, {15, 0, 15, 29}, {29, 0, 29, 29}}), Basket::kTopLeft);
  // 409..614 across the top touches both top zones: top-left first.
  EXPECT_EQ(ZoneFor(basket, {{11, 28, 17, 29}}), Basket::kTopLeft);
  // Down the right side: top-right before bottom-right.
  EXPECT_EQ(ZoneFor(basket, {{0, 10, 2, 20}}), Basket::kTopRight);
  // Along the bottom: bottom-left before bottom-right.
  EXPECT_EQ(ZoneFor(basket, {{5, 0, 25, 2}}), Basket::kBottomLeft);
}

TEST(BasketMotionDetectorTest, BandsBetweenTheZonesAndFlatRegionsAreNoZone) {
  Basket basket;
  // 477..580 lies between 450 and 600.
  EXPECT_EQ(ZoneFor(basket, {{12, 5, 15, 25}}), Basket::kNoZone);
  // 358..383 lies between 350 and 400.
  EXPECT_EQ(ZoneFor(basket, {{0, 14, 5, 15}}), Basket::kNoZone);
  // A region one cell high has no height on screen.
  EXPECT_EQ(ZoneFor(basket, {{0, 0, 7, 0}}), Basket::kNoZone);
}

TEST(BasketMotionDetectorTest, FirstRectangleInTheListDecides) {
  Basket basket;
  // The bottom-right region comes first in the scan (lower grid x).
  EXPECT_EQ(ZoneFor(basket, {{0, 0, 2, 1}, {22, 24, 27, 28}}), Basket::kBottomRight);
  // A region in the band does not decide; the next one does.
  EXPECT_EQ(ZoneFor(basket, {{12, 5, 15, 25}, {22, 24, 27, 28}}), Basket::kTopLeft);
}

TEST(BasketMotionDetectorTest, TheSameMovementChoosesTheSameZoneOnAnyScreen) {
  struct Row {
    MotionRect cells;
    int32_t zone;
  };
  const Row rows[] = {
      {{0, 0, 2, 1}, Basket::kBottomRight},
      {{0, 27, 2, 28}, Basket::kTopRight},
      {{12, 5, 15, 25}, Basket::kNoZone},     // between the left and right zones
      {{0, 14, 5, 15}, Basket::kNoZone},      // 358..383, between the top and lower zones
      {{0, 11, 2, 12}, Basket::kBottomRight}, // 435..486, just below that band
  };
  for (const auto& viewport :
       {std::pair{1024u, 768u}, std::pair{800u, 600u}, std::pair{1440u, 1080u}, std::pair{2048u, 1536u}}) {
    for (const Row& row : rows) {
      Basket basket(viewport.first, viewport.second);
      EXPECT_EQ(ZoneFor(basket, {row.cells}), row.zone)
          << viewport.first << "x" << viewport.second << ", cells y " << row.cells.minY << ".." << row.cells.maxY;
    }
  }
}

}  // namespace
