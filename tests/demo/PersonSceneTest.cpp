#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/VideoMode.h"
#include "demo/PersonMotion.h"
#include "demo/PersonScene.h"
#include "motion/MotionDetector.h"
#include "motion/MotionRect.h"

namespace {

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;
constexpr int32_t kThreshold = 30;

// The detector sees a change only where every channel's exclusive-or
// exceeds its threshold.
bool Detectable(uint32_t a, uint32_t b) {
  const uint32_t x = a ^ b;
  return (x & 0xFF) > kThreshold && (x >> 8 & 0xFF) > kThreshold && (x >> 16 & 0xFF) > kThreshold;
}

TEST(PersonSceneTest, BothSidesOfAHandStandOutFromEveryStillPixelAndFromEachOther) {
  EXPECT_TRUE(Detectable(CPersonScene::kHandColor, CPersonScene::kHandBackColor));
  for (int32_t y = 0; y < kHeight; ++y) {
    for (int32_t x = 0; x < kWidth; ++x) {
      const uint32_t still = CPersonScene::StillColor(x, y, kWidth, kHeight);
      ASSERT_TRUE(Detectable(still, CPersonScene::kHandColor)) << x << ", " << y;
      ASSERT_TRUE(Detectable(still, CPersonScene::kHandBackColor)) << x << ", " << y;
    }
  }
}

TEST(PersonSceneTest, TheHandIsDrawnWhereThePoseHasItAndTheRestIsTheStillPicture) {
  PersonPose pose;
  pose.hands[0] = PicturePoint{0.25f, 0.25f};
  pose.hands[1] = PicturePoint{0.75f, 0.3f};
  pose.turned[1] = true;
  std::vector<uint8_t> pixels(kWidth * kHeight * 4);
  CPersonScene::Render(pose, pixels.data(), kWidth, kHeight, kWidth * 4);
  const auto color = [&](int32_t x, int32_t y) {
    const uint8_t* p = &pixels[(y * kWidth + x) * 4];
    return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
  };
  EXPECT_EQ(CPersonScene::kHandColor, color(80, 60));
  EXPECT_EQ(CPersonScene::kHandBackColor, color(240, 72));
  EXPECT_EQ(CPersonScene::kHeadColor, color(160, 125)) << "the head in the middle";
  EXPECT_EQ(CPersonScene::kBodyColor, color(160, 230)) << "the shoulders at the bottom";
  EXPECT_EQ(CPersonScene::StillColor(5, 5, kWidth, kHeight), color(5, 5));
}

TEST(PersonMotionTest, AHandTravelsToItsSpotWithoutAJumpAndAHeldHandStaysStill) {
  CPersonMotion motion;
  const PicturePoint rest = motion.PoseAt(1000).hands[0];
  motion.MoveHand(0, PicturePoint{0.5f, 0.2f}, 1000, 200);
  EXPECT_FLOAT_EQ(rest.x, motion.PoseAt(1000).hands[0].x) << "it starts where it was";
  EXPECT_EQ(1200u, motion.ArrivalTick(0));
  EXPECT_NEAR(0.5f, motion.PoseAt(1200).hands[0].x, 1e-5f);
  EXPECT_NEAR(0.2f, motion.PoseAt(1200).hands[0].y, 1e-5f);
  const PicturePoint waving = motion.PoseAt(1233).hands[0];
  EXPECT_NEAR(CPersonMotion::kWaveAmplitude, waving.x - 0.5f, 0.01f) << "a quarter wave later, a hand's width aside";
  EXPECT_TRUE(motion.PoseAt(1100, 1).turned[0]) << "a moving hand turns every other frame";
  EXPECT_FALSE(motion.PoseAt(1100, 2).turned[0]);
  motion.HoldHand(0, 1233);
  EXPECT_FLOAT_EQ(waving.x, motion.PoseAt(5000).hands[0].x);
  EXPECT_FALSE(motion.PoseAt(5000, 1).turned[0]) << "a still hand does not turn";
  EXPECT_FLOAT_EQ(motion.PoseAt(0).hands[1].x, motion.PoseAt(5000).hands[1].x) << "the other hand never moved";
}

// Through the real detector: a hand waving over a menu caption must be one
// patch of movement in every frame, never two (a caption held by two
// patches at once lets go), and it must be over the caption only.
TEST(PersonMotionTest, AWavingHandIsOnePatchOfMovementInEveryFrame) {
  const CVideoMode mode{kWidth, kHeight, 32};
  CMotionDetector detector;
  ASSERT_TRUE(detector.Init(&mode));
  detector.SetThreshold(kThreshold);
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
