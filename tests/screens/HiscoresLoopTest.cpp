#include <gtest/gtest.h>

#include <algorithm>

#include "screens/HiscoresLoop.h"
#include "screens/MenuAreas.h"
#include "support/StateFixture.h"

namespace {
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

// Enter on "Nestfall" stays; each arrow turns the wheel to the other
// position, the table shown only with "Nestfall" in front. The ways out: Enter
// or movement on "Back", and Escape, after which keys do nothing.
TEST_F(HiscoresLoopTest, TheArrowsTurnBetweenTheTableAndBackAndEachWayOutReportsItsCode) {
  enum Way { kEnter, kMovement, kEscape };
  for (const auto& [way, result] : {std::pair{kEnter, 1}, {kMovement, 5}, {kEscape, 0}}) {
    SCOPED_TRACE(way);
    state = std::make_unique<CHiscoresLoop>();
    state->Start();
    state->OnKey(13);
    Frames(5);
    EXPECT_FALSE(state->IsFadingOut());
    for (const int32_t key : {37, 39, 37}) {
      EXPECT_EQ(TableOnScreen(), key == 37);
      state->OnKey(key);
      Frame();
      EXPECT_FALSE(TableOnScreen()) << "not while the wheel turns";
      Frames(60);  // the turn and its cool-down
      EXPECT_EQ(state->GetWheel()->GetFrontIndex(), key == 37 ? 1 : 0);
    }
    EXPECT_FALSE(TableOnScreen());
    if (way == kEnter) state->OnKey(13);
    if (way == kMovement) MoveUntil(kWheelArea, 110, [this] { return state->IsFadingOut() != 0; });
    if (way == kEscape) state->Leave();
    state->OnKey(39);
    Frame();
    EXPECT_FALSE(state->GetWheel()->IsTurning());
    EXPECT_TRUE(state->IsFadingOut());
    UntilFinished();
    EXPECT_TRUE(state->IsFinished());
    EXPECT_EQ(state->GetResult(), result);
  }
}
}  // namespace
