#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/VideoMode.h"
#include "demo/PersonMotion.h"
#include "demo/PersonScene.h"
#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

namespace {

// Through the real detector: a hand waving over a menu caption must be one
// patch of movement in every frame, never two (a caption held by two
// patches at once lets go), and it must be over the caption only.
TEST(PersonMotionTest, AWavingHandIsOnePatchOfMovementInEveryFrame) {
  constexpr int32_t kWidth = 320, kHeight = 240;
  const CVideoMode mode{kWidth, kHeight, 32};
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  detector.SetThreshold(30);
  CPersonMotion motion;
  motion.MoveHand(1, PicturePoint{1.0f - 505.0f / 1024.0f, 125.0f / 768.0f}, 0, 150);
  std::vector<uint8_t> pixels(kWidth * kHeight * 4);
  for (uint32_t frame = 0; frame < 60; ++frame) {
    const uint32_t tick = frame * 1000 / 30;
    CPersonScene::Render(motion.PoseAt(tick, frame), pixels.data(), kWidth, kHeight, kWidth * 4);
    detector.ClearMotionRects();
    detector.ProcessFrame(FrameView{&pixels[(kHeight - 1) * kWidth * 4], kWidth, kHeight, -kWidth * 4});
    if (tick < 200) continue;  // still on its way
    MotionRect rects[kMaxMotionRects];
    int32_t count = 0;
    detector.GetMotionRects(rects, &count);
    ASSERT_EQ(1, count) << "frame " << frame;
    const ScreenRect onScreen = GridRectToScreen(rects[0]);
    EXPECT_TRUE(RectsOverlap(onScreen, ScreenRect{310, 0, 700, 250})) << "over the title's caption wheel";
    EXPECT_FALSE(RectsOverlap(onScreen, ScreenRect{0, 0, 250, 250})) << "not over its arrows, frame " << frame;
    EXPECT_FALSE(RectsOverlap(onScreen, ScreenRect{750, 0, 1024, 250})) << "frame " << frame;
  }
}

}  // namespace
