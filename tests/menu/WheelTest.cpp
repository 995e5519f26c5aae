#include <cmath>

#include "MenuTestFixture.h"
#include "menu/OptionWheel.h"
#include "menu/SpriteWheel.h"

namespace {
const ScreenRect kWheelArea{330, 20, 680, 230};
const ScreenRect kElsewhere{40, 500, 300, 740};

class WheelTest : public MenuTest {
 protected:
  void AddTitleOptions(COptionWheel& wheel) {
    wheel.AddOption("Flubber", "Nestfall", 0, kNormal, kHighlight, 1, 1);
    wheel.AddOption("Flubber", "High scores", 5, kNormal, kHighlight, 1, 1);
    wheel.AddOption("Flubber", "Quit", 7, kNormal, kHighlight, 1, 1);
  }
  // Frames until the wheel stops turning; returns how many it took.
  int FinishTurn(CWheelLayer& wheel) {
    int frames = 0;
    while (wheel.IsTurning() && frames < 100) {
      wheel.Update();
      Advance(40);
      ++frames;
    }
    return frames;
  }
  void CoolDown(CWheelLayer& wheel) {
    Advance(501);
    wheel.Update();
  }
};

TEST_F(WheelTest, TurnsStepByStepAroundTheCircle) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  AddTitleOptions(wheel);
  for (int turn = 1; turn <= 3; ++turn) {
    wheel.TurnForward();
    EXPECT_EQ(wheel.GetFrontIndex(), turn % 3);
    const int frames = FinishTurn(wheel);
    EXPECT_TRUE(frames == 40 || frames == 41) << frames;
    CoolDown(wheel);
  }
  EXPECT_EQ(wheel.GetFrontIndex(), 0);
  wheel.TurnBackward();
  EXPECT_EQ(wheel.GetFrontIndex(), 2);
  // A request while turning is ignored.
  wheel.TurnBackward();
  EXPECT_EQ(wheel.GetFrontIndex(), 2);
}

TEST_F(WheelTest, FrontCaptionStandsAtTheLowestPointCentred) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  AddTitleOptions(wheel);
  float x = 0, y = 0;
  C3DText* front = wheel.GetOption(0)->GetCaption();
  front->GetPosition(x, y);
  EXPECT_EQ(x, 512.0f - static_cast<float>(front->GetHalfWidth()));
  EXPECT_EQ(y, 35.0f);  // cos 0 * 425 - 390

  // After a forward turn the next caption has travelled to the front; it
  // stays where the last frame of the turn put it, at most a fortieth of a
  // step (0.052 rad, 22 units on this circle) beyond the front.
  wheel.TurnForward();
  FinishTurn(wheel);
  C3DText* next = wheel.GetOption(1)->GetCaption();
  next->GetPosition(x, y);
  EXPECT_NEAR(y, 35.0f, 1.0f);
  EXPECT_NEAR(x + static_cast<float>(next->GetHalfWidth()), 512.0f, 23.0f);
}

TEST_F(WheelTest, FrontOptionIsChosenByMovementInsideTheWheel) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  AddTitleOptions(wheel);
  wheel.TurnForward();
  FinishTurn(wheel);
  CoolDown(wheel);
  for (int frame = 0; frame <= 101; ++frame) {
    motion.Move({kWheelArea});
    wheel.Update();
    Advance(40);
  }
  EXPECT_EQ(wheel.GetChosen(), 5);
  EXPECT_EQ(wheel.GetOption(0)->GetState(), OptionState::deactivated);
}

TEST_F(WheelTest, CoolDownIgnoresMovementAndFreezesCaptions) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  AddTitleOptions(wheel);
  wheel.TurnForward();
  FinishTurn(wheel);
  motion.Move({kWheelArea});
  wheel.Update();
  Advance(400);
  motion.Move({kWheelArea});
  wheel.Update();
  EXPECT_EQ(wheel.GetOption(1)->GetState(), OptionState::deactivated);
  CoolDown(wheel);
  motion.Move({kWheelArea});
  wheel.Update();
  EXPECT_EQ(wheel.GetOption(1)->GetState(), OptionState::activated);
}

TEST_F(WheelTest, TurningAwayReleasesTheHeldFrontOption) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  AddTitleOptions(wheel);
  motion.Move({kWheelArea});
  wheel.Update();
  COption* front = wheel.GetOption(0);
  ASSERT_EQ(front->GetState(), OptionState::activated);
  wheel.TurnForward();
  EXPECT_EQ(front->GetState(), OptionState::awaitingdeactivation);
  EXPECT_FALSE(front->GetProgressBar().IsVisible());
  // The turn clears the movement it saw, so the new front does not inherit it.
  FinishTurn(wheel);
  MotionRect rects[kMaxMotionRects];
  int32_t count = -1;
  motion.Detector().GetMotionRects(rects, &count);
  EXPECT_EQ(count, 0);
}

TEST_F(WheelTest, MovementOutsideTheWheelReleasesTheFront) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  AddTitleOptions(wheel);
  motion.Move({kWheelArea});
  wheel.Update();
  motion.Move({kElsewhere});
  wheel.Update();
  EXPECT_EQ(wheel.GetOption(0)->GetState(), OptionState::awaitingdeactivation);
}

TEST_F(WheelTest, WheelWithoutMembersIgnoresTurns) {
  COptionWheel wheel(425.0f, 512.0f, -390.0f, 310, 0, 700, 250);
  wheel.TurnForward();
  wheel.TurnBackward();
  EXPECT_FALSE(wheel.IsTurning());
  wheel.Update();
  EXPECT_EQ(wheel.GetChosen(), -1);
}

TEST_F(WheelTest, SpriteWheelShowsTheFrontOpaqueAndTheBackInvisibleMirrored) {
  CSpriteWheel wheel(300.0f, 512.0f, 700.0f, 0, 0, 0, 0);
  wheel.AddSprite("./res/3.tga", 0x00FFFFFF);
  wheel.AddSprite("./res/exit.png", 0x00FFFFFF);
  const float sx = 1000.0f / 1024.0f, sy = 750.0f / 768.0f;
  CSpriteLayer* front = wheel.GetSprite(0);
  EXPECT_NEAR(front->GetPositionX(), 362.0f * sx, 1e-3);
  EXPECT_NEAR(front->GetPositionY(), 400.0f * sy, 1e-3);
  EXPECT_EQ(front->GetColor() >> 24, 255u);
  // With two members the second stands at the back: transparent, scale -1.
  CSpriteLayer* back = wheel.GetSprite(1);
  EXPECT_EQ(back->GetColor() >> 24, 0u);
  const Vec4 corner = Transform(Vec3{back->GetPositionX() + 10.0f, back->GetPositionY(), 0.0f}, back->GetTransform());
  EXPECT_LT(corner.x, back->GetPositionX());  // mirrored about its corner
}

TEST_F(WheelTest, SpriteWheelTurnsWithoutMotion) {
  CSpriteWheel wheel(300.0f, 512.0f, 700.0f, 0, 0, 0, 0);
  wheel.AddSprite("./res/3.tga", 0);
  wheel.AddSprite("./res/exit.png", 0);
  wheel.AddSprite("./res/hiscore.png", 0);
  wheel.TurnBackward();
  EXPECT_EQ(wheel.GetFrontIndex(), 2);
  FinishTurn(wheel);
  CoolDown(wheel);
  EXPECT_NEAR(wheel.GetSprite(2)->GetColor() >> 24, 255u, 2u);
}
}  // namespace
