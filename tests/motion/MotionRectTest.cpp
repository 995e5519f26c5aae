#include <gtest/gtest.h>

#include "motion/MotionRect.h"

namespace {

void ExpectScreenRect(const ScreenRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(GridRectToScreenTest, MirrorsBothAxesWithSinglePrecisionCellSizes) {
  ExpectScreenRect(GridRectToScreen({0, 0, 2, 1}), 921, 716, 989, 742);
  // The far corner: 1024 - 30 * 34.133335 is just below zero and truncates to 0.
  ExpectScreenRect(GridRectToScreen({29, 29, 29, 29}), 0, 0, 0, 0);
  ExpectScreenRect(GridRectToScreen({0, 0, 29, 29}), 0, 0, 989, 742);
  // 1024 - 15 * 34.133335 = 511.99998 and 768 - 15 * 25.6 = 383.99999: trunc, not round.
  ExpectScreenRect(GridRectToScreen({14, 14, 14, 14}), 511, 383, 511, 383);
}

TEST(GridRectToScreenTest, OneCellWideOrHighRegionHasNoArea) {
  const ScreenRect column = GridRectToScreen({5, 3, 5, 12});
  EXPECT_EQ(column.left, column.right);
  EXPECT_LT(column.top, column.bottom);
  const ScreenRect row = GridRectToScreen({3, 7, 12, 7});
  EXPECT_EQ(row.top, row.bottom);
  // Even a rectangle spanning it on the other axis does not overlap it.
  EXPECT_FALSE(RectsOverlap(column, {0, 0, 1024, 768}));
  EXPECT_FALSE(RectsOverlap({0, 0, 1024, 768}, row));
}

TEST(RectsOverlapTest, SharedAreaOverlapsTouchingEdgesDoNot) {
  const ScreenRect a{100, 100, 200, 200};
  EXPECT_TRUE(RectsOverlap(a, {150, 150, 250, 250}));
  EXPECT_TRUE(RectsOverlap(a, {199, 199, 300, 300}));
  EXPECT_TRUE(RectsOverlap(a, {0, 0, 1024, 768}));
  EXPECT_TRUE(RectsOverlap({0, 0, 1024, 768}, a));
  EXPECT_FALSE(RectsOverlap(a, {200, 100, 300, 200}));  // right edge
  EXPECT_FALSE(RectsOverlap(a, {0, 100, 100, 200}));    // left edge
  EXPECT_FALSE(RectsOverlap(a, {100, 200, 200, 300}));  // bottom edge
  EXPECT_FALSE(RectsOverlap(a, {100, 0, 200, 100}));    // top edge
  EXPECT_FALSE(RectsOverlap(a, {200, 200, 300, 300}));  // corner
  EXPECT_FALSE(RectsOverlap(a, {300, 300, 400, 400}));
}

TEST(RectsOverlapTest, EmptyRectanglesOverlapNothing) {
  const ScreenRect big{0, 0, 1024, 768};
  EXPECT_FALSE(RectsOverlap({500, 100, 500, 200}, big));
  EXPECT_FALSE(RectsOverlap(big, {100, 300, 200, 300}));
  EXPECT_FALSE(RectsOverlap({600, 100, 500, 200}, big));  // inverted
}

}  // namespace
