#include <gtest/gtest.h>

#include "motion/MotionRect.h"

namespace {

// Only shared area overlaps: touching edges, flat and inverted rectangles do not.
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

}  // namespace
