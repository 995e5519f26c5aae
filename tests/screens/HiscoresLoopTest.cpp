#include <gtest/gtest.h>

#include <algorithm>

#include "screens/HiscoresLoop.h"
#include "support/StateFixture.h"

namespace {
const ScreenRect kLeftArrowArea{20, 20, 240, 240};
const ScreenRect kWheelArea{330, 20, 680, 230};

// The high-score screen, with cam.ini in a temporary folder.
class HiscoresLoopTest : public StateFixture<CHiscoresLoop> {
 protected:
  void SetUp() override {
    StateFixture::SetUp();
    state = std::make_unique<CHiscoresLoop>();
    state->Start();
  }
  bool TableOnScreen() const {
    const auto layers = state->Layers();
    return state->GetShownTable() != nullptr &&
           std::find(layers.begin(), layers.end(), state->GetShownTable()) != layers.end();
  }
};

TEST_F(HiscoresLoopTest, TurningToBackHidesTheTableAndTurningBackShowsIt) {
  EXPECT_TRUE(TableOnScreen());
  EXPECT_EQ(state->GetShownTable()->GetEntries()[0], HiScoreEntry("Empty", 0)) << "the egg game's table of a new file";
  state->OnKey(37);
  Frame();
  EXPECT_FALSE(TableOnScreen());
  Frames(60);  // the turn and its cool-down
  EXPECT_EQ(state->GetWheel()->GetFrontIndex(), 1);
  EXPECT_FALSE(TableOnScreen());
  EXPECT_EQ(state->GetShownIndex(), -1);

  state->OnKey(39);
  Frames(60);
  EXPECT_EQ(state->GetWheel()->GetFrontIndex(), 0);
  EXPECT_TRUE(TableOnScreen());
}

// The table is on screen exactly while the wheel rests with "Nestfall" in
// front, whether the player holds an arrow (movement every frame) or has let
// go and stands still.
TEST_F(HiscoresLoopTest, TheTableFollowsTheWheelWhileAnArrowIsHeldAndAfter) {
  const auto expectTableFollowsWheel = [this](int frame) {
    const bool nestfallAtRest = !state->GetWheel()->IsTurning() && state->GetWheel()->GetFrontIndex() == 0;
    ASSERT_EQ(TableOnScreen(), nestfallAtRest) << "frame " << frame << ", front "
                                               << state->GetWheel()->GetFrontIndex();
  };
  bool turned = false;
  for (int frame = 0; frame < 60; ++frame) {
    motion.Move({kLeftArrowArea});
    Frame();
    turned = turned || state->GetWheel()->IsTurning();
    expectTableFollowsWheel(frame);
  }
  EXPECT_TRUE(turned);
  for (int frame = 60; frame < 400; ++frame) {
    motion.Still();
    Frame();
    expectTableFollowsWheel(frame);
  }
  EXPECT_FALSE(state->GetWheel()->IsTurning());
}

TEST_F(HiscoresLoopTest, EnterOnNestfallStaysEnterOnBackLeaves) {
  state->OnKey(13);
  Frames(5);
  EXPECT_FALSE(state->IsFadingOut());
  state->OnKey(37);
  Frames(60);
  state->OnKey(13);
  EXPECT_TRUE(state->IsFadingOut());
  UntilFinished();
  EXPECT_TRUE(state->IsFinished());
  EXPECT_EQ(state->GetResult(), 1);
}

TEST_F(HiscoresLoopTest, BackChosenByMovementLeavesWithFive) {
  state->OnKey(37);
  Frames(60);
  for (int i = 0; i < 110 && !state->IsFadingOut(); ++i) {
    motion.Move({kWheelArea});
    Frame();
  }
  EXPECT_TRUE(state->IsFadingOut());
  UntilFinished();
  EXPECT_EQ(state->GetResult(), 5);
}

TEST_F(HiscoresLoopTest, EscapeLeavesAndKeysAreIgnoredWhileLeaving) {
  state->Leave();
  state->OnKey(37);
  Frame();
  EXPECT_FALSE(state->GetWheel()->IsTurning());
  UntilFinished();
  EXPECT_EQ(state->GetResult(), 0);
}
}  // namespace
