#include <cmath>

#include "MenuTestFixture.h"
#include "menu/OptionWheel.h"
#include "menu/SpriteWheel.h"

namespace {
const ScreenRect kWheelArea{330, 20, 680, 230};
const ScreenRect kElsewhere{40, 500, 300, 740};

// The title's wheel: three captions on a circle, the front one at its lowest point.
class WheelTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    wheel.AddOption("Flubber", "Nestfall", 0, kNormal, kHighlight, 1, 1);
    wheel.AddOption("Flubber", "High scores", 5, kNormal, kHighlight, 1, 1);
    wheel.AddOption("Flubber", "Quit", 7, kNormal, kHighlight, 1, 1);
  }
  // Frames until the wheel stops turning; returns how many it took.
  static int FinishTurn(CWheelLayer& turning) {
    int frames = 0;
    for (; turning.IsTurning() && frames < 100; ++frames) {
      turning.Update();
      AdvanceManualTickCount(40);
    }
    return frames;
  }
  // Movement over `area` (none: no movement) for one frame.
  OptionState Frame(const ScreenRect* area, int32_t option) {
    if (area != nullptr) motion.Move({*area});
    wheel.Update();
    Advance(40);
    return wheel.GetOption(option)->GetState();
  }

  COptionWheel wheel{425.0f, 512.0f, -390.0f, 310, 0, 700, 250};
};

TEST_F(WheelTest, TurnsStepByStepAroundTheCircleEitherWay) {
  float frontX = 0, frontY = 0;
  wheel.GetOption(0)->GetCaption()->GetPosition(frontX, frontY);
  frontX += static_cast<float>(wheel.GetOption(0)->GetCaption()->GetHalfWidth());
  // Forward round the circle, then back from the first item to the last.
  const struct {
    bool forward;
    int expected;
  } turns[] = {{true, 1}, {true, 2}, {true, 0}, {false, 2}, {false, 1}, {false, 0}};
  for (const auto [forward, expected] : turns) {
    forward ? wheel.TurnForward() : wheel.TurnBackward();
    wheel.TurnForward();  // a request while turning is ignored
    EXPECT_EQ(wheel.GetFrontIndex(), expected);
    const int frames = FinishTurn(wheel);
    EXPECT_TRUE(frames == 40 || frames == 41) << frames;
    // The new front caption stands where the last frame of the turn put it: at
    // most a fortieth of a step (22 units on this circle) beyond the front.
    float x = 0, y = 0;
    C3DText* front = wheel.GetOption(expected)->GetCaption();
    front->GetPosition(x, y);
    EXPECT_NEAR(y, frontY, 1.0f);
    EXPECT_NEAR(x + static_cast<float>(front->GetHalfWidth()), frontX, 23.0f);
    Advance(501);  // the cool-down after a turn
    wheel.Update();
  }
  COptionWheel empty(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  empty.TurnForward();
  empty.TurnBackward();
  EXPECT_FALSE(empty.IsTurning());
  empty.Update();
  EXPECT_EQ(empty.GetChosen(), -1);
}

TEST_F(WheelTest, FrontOptionIsChosenByMovementAfterTheCoolDownAndReleasedByTurnsOrMovementElsewhere) {
  EXPECT_EQ(Frame(&kWheelArea, 0), OptionState::activated);
  EXPECT_EQ(Frame(&kElsewhere, 0), OptionState::awaitingdeactivation);
  EXPECT_EQ(Frame(&kWheelArea, 0), OptionState::activated);
  wheel.TurnForward();
  EXPECT_EQ(wheel.GetOption(0)->GetState(), OptionState::awaitingdeactivation);
  EXPECT_FALSE(wheel.GetOption(0)->GetProgressBar().IsVisible());
  // The turn clears the movement it saw, so the new front does not inherit it.
  FinishTurn(wheel);
  MotionRect rects[kMaxMotionRects];
  int32_t count = -1;
  motion.Detector().GetMotionRects(rects, &count);
  EXPECT_EQ(count, 0);
  // For half a second after a turn, movement is ignored.
  for (int frame = 0; frame < 10; ++frame) EXPECT_EQ(Frame(&kWheelArea, 1), OptionState::deactivated) << frame;
  Advance(101);
  for (int frame = 0; frame < 104; ++frame) Frame(&kWheelArea, 1);
  EXPECT_EQ(wheel.GetChosen(), 5);
  EXPECT_EQ(wheel.GetOption(0)->GetState(), OptionState::deactivated);
}

TEST_F(WheelTest, SpriteWheelShowsTheFrontOpaqueAndTheRestFadedAndTurnsWithoutMotion) {
  CSpriteWheel sprites(300.0f, 512.0f, 700.0f, 0, 0, 0, 0);
  for (const char* file : {"./res/3.tga", "./res/exit.png", "./res/hiscore.png"}) sprites.AddSprite(file, 0x00FFFFFF);
  EXPECT_EQ(sprites.GetSprite(0)->GetColor() >> 24, 255u);
  EXPECT_LT(sprites.GetSprite(1)->GetColor() >> 24, 255u);
  sprites.TurnBackward();
  EXPECT_EQ(sprites.GetFrontIndex(), 2);
  FinishTurn(sprites);
  Advance(501);
  sprites.Update();
  EXPECT_NEAR(sprites.GetSprite(2)->GetColor() >> 24, 255u, 2u);
  EXPECT_LT(sprites.GetSprite(0)->GetColor() >> 24, 255u);
}
}  // namespace
