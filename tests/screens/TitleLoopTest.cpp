#include <gtest/gtest.h>

#include <string>

#include "support/StateFixture.h"
#include "screens/TitleLoop.h"
#include "layers/FadeEffect.h"
#include "render/Texture.h"
#include "menu/OptionWheel.h"
#include "menu/OptionsLayer.h"
#include "menu/SpriteWheel.h"

namespace {
const ScreenRect kLeftArrowArea{20, 20, 240, 240};
const ScreenRect kRightArrowArea{780, 20, 1010, 240};
const ScreenRect kWheelArea{330, 20, 680, 230};
const char* const kPictures[] = {"./res/3.tga", "./res/exit.png", "./res/hiscore.png"};

class TitleLoopTest : public StateFixture<CTitleLoop> {
 protected:
  void SetUp() override {
    StateFixture::SetUp();
    state = std::make_unique<CTitleLoop>();
    state->Start();
  }
  COptionWheel& Captions() const { return *state->GetOptionWheel(); }
  // The picture file the picture wheel shows at its front.
  std::string FrontPicture() {
    CSpriteLayer* front = state->GetSpriteWheel()->GetSprite(static_cast<size_t>(state->GetSpriteWheel()->GetFrontIndex()));
    device.ClearRecords();
    front->Render(&device);
    if (device.sprites.empty()) {
      return "nothing drawn";
    }
    for (const char* file : kPictures) {
      CTexture probe;
      probe.Load(file, 0x00FFFFFF);
      if (probe.GetTexture() == device.sprites.back().sprite.texture) {
        return file;
      }
    }
    return "another picture";
  }
  std::string FrontCaption() const {
    switch (Captions().GetOption(static_cast<size_t>(Captions().GetFrontIndex()))->GetValue()) {
      case 0: return "Nestfall";
      case 5: return "High scores";
      case 7: return "Quit";
      default: return "?";
    }
  }
  void UntilRest() {
    Frames(60);  // a turn and its cool-down
    ASSERT_EQ(0, Captions().IsTurning());
  }
  void ChooseFrontByMovement() {
    MoveUntil(kWheelArea, 150, [this] { return state->IsLeaving(); });
    ASSERT_TRUE(state->IsLeaving());
    motion.Clear();
    UntilFinished();
    ASSERT_EQ(1, state->IsFinished());
  }
};

TEST_F(TitleLoopTest, HeldLeftArrowTurnsStepByStepClearingTheMotionUntilTheGameIsBackInFront) {
  EXPECT_EQ("Nestfall", FrontCaption());
  EXPECT_EQ("./res/3.tga", FrontPicture());
  const std::string expected[] = {"High scores", "Quit", "Nestfall"};
  const std::string pictures[] = {"./res/hiscore.png", "./res/exit.png", "./res/3.tga"};
  int turns = 0;
  for (int i = 0; i < 400 && turns < 3; ++i) {
    const int32_t front = Captions().GetFrontIndex();
    motion.Move({kLeftArrowArea});
    Frame();
    if (Captions().GetFrontIndex() != front) {
      MotionRect rects[kMaxMotionRects];
      int32_t count = -1;
      motion.Detector().GetMotionRects(rects, &count);
      EXPECT_EQ(0, count) << "the motion is cleared after each step";
      EXPECT_EQ(1, state->GetSpriteWheel()->IsTurning()) << "the pictures turn with the captions";
      EXPECT_EQ(expected[turns], FrontCaption());
      EXPECT_EQ(pictures[turns], FrontPicture());
      ++turns;
    }
  }
  EXPECT_EQ(3, turns);
  EXPECT_FALSE(state->IsLeaving()) << "an arrow is never chosen";
  EXPECT_EQ(-1, state->GetArrows()->GetChosen());
  motion.Clear();
  UntilRest();
  ChooseFrontByMovement();
  EXPECT_EQ(0, state->GetResult());
}

TEST_F(TitleLoopTest, HighScoresChosenByMovementGivesFive) {
  std::string music;
  state->Music().GetFileName(music);
  EXPECT_EQ("./res/nienawisc2_loop.mp3", music);
  EXPECT_TRUE(state->Music().IsLooping());
  EXPECT_NEAR(90.0f, state->Music().GetVolume(), 0.5f) << "opened and playing at 90 percent";
  state->OnKey(37);
  UntilRest();
  EXPECT_EQ("High scores", FrontCaption());
  EXPECT_EQ("./res/hiscore.png", FrontPicture());
  ChooseFrontByMovement();
  EXPECT_EQ(5, state->GetResult());
}

TEST_F(TitleLoopTest, QuitReachedWithTheRightArrowAndChosenByMovementGivesSeven) {
  MoveUntil(kRightArrowArea, 40, [this] { return Captions().IsTurning() != 0; });
  EXPECT_EQ("Quit", FrontCaption());
  motion.Clear();
  UntilRest();
  EXPECT_EQ("./res/exit.png", FrontPicture());
  ChooseFrontByMovement();
  EXPECT_EQ(7, state->GetResult());
}

TEST_F(TitleLoopTest, EnterIsIgnoredWhileTheWheelsTurnThenChoosesTheFrontPosition) {
  state->OnKey(37);
  Frame();
  state->OnKey(13);
  EXPECT_FALSE(state->IsLeaving());
  UntilRest();
  state->OnKey(13);
  EXPECT_TRUE(state->IsLeaving());
  EXPECT_TRUE(state->IsFadingOut());
  UntilFinished();
  EXPECT_EQ(1, state->GetResult()) << "High scores by Enter: its position, not its value";
}

TEST_F(TitleLoopTest, EscapeGivesSixAndEveryLaterChoiceIsIgnored) {
  EXPECT_EQ(1, state->Leave());
  EXPECT_TRUE(state->IsFadingOut());
  state->OnKey(37);
  state->OnKey(13);
  EXPECT_EQ(0, Captions().IsTurning());
  MoveUntil(kWheelArea, 10, [] { return false; });
  EXPECT_EQ(1, state->Leave());
  EXPECT_EQ(6, state->GetChoice());
  UntilFinished();
  EXPECT_EQ(6, state->GetResult());
  EXPECT_EQ(0.0f, state->Music().GetVolume()) << "Finish stops and closes the music";
}

}  // namespace
