#include "MenuTestFixture.h"
#include "menu/OptionWheel.h"
#include "menu/SpriteWheel.h"

namespace {
const ScreenRect kWheelArea{330, 20, 680, 230};

// The title's wheel: three captions on a circle, the front one at its lowest point.
class WheelTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    for (const auto& [caption, value] : {std::pair{"Nestfall", 0}, {"High scores", 5}, {"Quit", 7}}) {
      wheel.AddOption("Flubber", caption, value, kNormal, kHighlight, 1, 1);
    }
  }
  // Frames until the wheel stops turning; returns how many it took.
  static int FinishTurn(CWheelLayer& turning) {
    int frames = 0;
    for (; turning.IsTurning() && frames < 100; ++frames, AdvanceManualTickCount(40)) turning.Update();
    return frames;
  }
  COptionWheel wheel{425.0f, 512.0f, -390.0f, 310, 0, 700, 250};
};

// The captions and the pictures below them turn together: the front picture
// opaque, the rest faded.
TEST_F(WheelTest, TurnsStepByStepAroundTheCircleEitherWay) {
  CSpriteWheel sprites(300.0f, 512.0f, 700.0f, 0, 0, 0, 0);
  for (const char* file : {"./res/3.tga", "./res/exit.png", "./res/hiscore.png"}) sprites.AddSprite(file, 0x00FFFFFF);
  float frontX = 0, frontY = 0;
  wheel.GetOption(0)->GetCaption()->GetPosition(frontX, frontY);
  frontX += static_cast<float>(wheel.GetOption(0)->GetCaption()->GetHalfWidth());
  // Forward round the circle, then back from the first item to the last.
  const std::pair<bool, int> turns[] = {{true, 1}, {true, 2}, {true, 0}, {false, 2}, {false, 1}, {false, 0}};
  for (const auto& [forward, expected] : turns) {
    for (CWheelLayer* turning : std::initializer_list<CWheelLayer*>{&wheel, &sprites}) {
      forward ? turning->TurnForward() : turning->TurnBackward();
      turning->TurnForward();  // a request while turning is ignored
      EXPECT_EQ(turning->GetFrontIndex(), expected);
      const int frames = FinishTurn(*turning);
      EXPECT_TRUE(frames == 40 || frames == 41) << frames;
    }
    // The new front caption stands where the last frame of the turn put it: at
    // most a fortieth of a step (22 units on this circle) beyond the front.
    float x = 0, y = 0;
    C3DText* front = wheel.GetOption(expected)->GetCaption();
    front->GetPosition(x, y);
    EXPECT_NEAR(y, frontY, 1.0f);
    EXPECT_NEAR(x + static_cast<float>(front->GetHalfWidth()), frontX, 23.0f);
    Advance(501);  // the cool-down after a turn
    wheel.Update();
    sprites.Update();
    EXPECT_NEAR(sprites.GetSprite(expected)->GetColor() >> 24, 255u, 2u);
    EXPECT_LT(sprites.GetSprite((expected + 1) % 3)->GetColor() >> 24, 255u);
  }
}

TEST_F(WheelTest, FrontOptionIsChosenByMovementAfterTheCoolDownAndReleasedByATurn) {
  // Movement over `area` for one frame; the state of the given option after it.
  const auto frame = [this](const ScreenRect& area, int32_t option) {
    motion.Move({area});
    wheel.Update();
    Advance(40);
    return wheel.GetOption(option)->GetState();
  };
  EXPECT_EQ(frame(kWheelArea, 0), OptionState::activated);
  wheel.TurnForward();
  EXPECT_EQ(wheel.GetOption(0)->GetState(), OptionState::awaitingdeactivation);
  EXPECT_FALSE(wheel.GetOption(0)->GetProgressBar().IsVisible());
  FinishTurn(wheel);
  // For half a second after a turn, movement is ignored.
  for (int i = 0; i < 10; ++i) EXPECT_EQ(frame(kWheelArea, 1), OptionState::deactivated) << i;
  Advance(101);
  for (int i = 0; i < 104; ++i) frame(kWheelArea, 1);
  EXPECT_EQ(wheel.GetChosen(), 5);
  EXPECT_EQ(wheel.GetOption(0)->GetState(), OptionState::deactivated);
}
}  // namespace
