#include <gtest/gtest.h>

#include <map>

#include "screens/MenuAreas.h"
#include "support/StateFixture.h"
#include "screens/TitleLoop.h"
#include "render/Texture.h"
#include "menu/OptionWheel.h"
#include "menu/SpriteWheel.h"

namespace {
// The picture shown below each caption (by the caption's value).
const std::map<int32_t, const char*> kPictureOf{{0, "./res/3.tga"}, {5, "./res/hiscore.png"}, {7, "./res/exit.png"}};

class TitleLoopTest : public StateFixture<CTitleLoop> {
 protected:
  void Show() {
    state = std::make_unique<CTitleLoop>();
    state->Start();
  }
  COptionWheel& Captions() const { return *state->GetOptionWheel(); }
  int32_t FrontCaption() const { return Captions().GetOption(size_t(Captions().GetFrontIndex()))->GetValue(); }
  // Whether the picture wheel shows the front caption's picture at its front.
  bool PictureMatchesCaption() {
    CSpriteWheel& pictures = *state->GetSpriteWheel();
    device.ClearRecords();
    pictures.GetSprite(static_cast<size_t>(pictures.GetFrontIndex()))->Render(&device);
    CTexture probe;
    probe.Load(kPictureOf.at(FrontCaption()), 0x00FFFFFF);
    return !device.sprites.empty() && probe.GetTexture() == device.sprites.back().sprite.texture;
  }
  // Movement over an arrow until the wheels have taken `turns` steps, each
  // clearing the motion; then the player stands still until they rest.
  void TurnByMovement(const ScreenRect& arrow, int turns) {
    for (int frame = 0; frame < 400 && turns > 0; ++frame) {
      const int32_t front = Captions().GetFrontIndex();
      motion.Move({arrow});
      Frame();
      if (Captions().GetFrontIndex() != front) {
        MotionRect rects[kMaxMotionRects];
        int32_t count = -1;
        motion.Detector().GetMotionRects(rects, &count);
        EXPECT_EQ(0, count) << "the motion is cleared after each step";
        EXPECT_EQ(1, state->GetSpriteWheel()->IsTurning()) << "the pictures turn with the captions";
        EXPECT_TRUE(PictureMatchesCaption()) << "caption " << FrontCaption();
        --turns;
      }
    }
    EXPECT_EQ(0, turns);
    EXPECT_FALSE(state->IsLeaving()) << "an arrow is never chosen";
    motion.Clear();
    Frames(60);  // a turn and its cool-down
    ASSERT_EQ(0, Captions().IsTurning());
  }
};

// Each way to choose and what it reports: a caption reached with an arrow
// held by movement and chosen by movement (the held left arrow goes round to
// the game again, one step left is the high scores, one right is quit); Enter,
// ignored while the wheels turn, gives the front position; Escape gives six.
// Once the title leaves, nothing turns it back.
TEST_F(TitleLoopTest, EachWayToChooseGivesItsCodeAndLaterChoicesAreIgnored) {
  enum Way { kLeftArrow, kRightArrow, kEnter, kEscape };
  struct Row { Way way; int turns; int32_t result; };
  for (const Row row : {Row{kLeftArrow, 3, 0}, Row{kLeftArrow, 1, 5}, Row{kRightArrow, 1, 7}, Row{kEnter, 1, 1},
                        Row{kEscape, 0, 6}}) {
    SCOPED_TRACE(row.result);
    Show();
    EXPECT_TRUE(PictureMatchesCaption());
    EXPECT_NEAR(90.0f, state->Music().GetVolume(), 0.5f) << "the title's music plays";
    if (row.way == kEnter) {
      state->OnKey(37);
      Frame();
      state->OnKey(13);
      EXPECT_FALSE(state->IsLeaving()) << "not while the wheels turn";
      Frames(60);
      EXPECT_TRUE(PictureMatchesCaption());
      state->OnKey(13);  // on High scores: its position, not its value
    } else if (row.way == kEscape) {
      EXPECT_EQ(1, state->Leave());
    } else {
      TurnByMovement(row.way == kLeftArrow ? kLeftArrowArea : kRightArrowArea, row.turns);
      MoveUntil(kWheelArea, 150, [this] { return state->IsLeaving(); });
    }
    ASSERT_TRUE(state->IsLeaving());
    EXPECT_TRUE(state->IsFadingOut());
    state->OnKey(37);
    state->OnKey(13);
    EXPECT_EQ(1, state->Leave());
    MoveUntil(kWheelArea, 10, [] { return false; });
    EXPECT_EQ(0, Captions().IsTurning());
    UntilFinished();
    ASSERT_EQ(1, state->IsFinished());
    EXPECT_EQ(row.result, state->GetResult());
    EXPECT_EQ(0.0f, state->Music().GetVolume()) << "Finish stops and closes the music";
  }
}

}  // namespace
