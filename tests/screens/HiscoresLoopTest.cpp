#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "scores/Hiscores.h"
#include "screens/HiscoresLoop.h"
#include "support/MotionDriver.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

namespace {
const ScreenRect kLeftArrowArea{20, 20, 240, 240};
const ScreenRect kWheelArea{330, 20, 680, 230};

// The high-score screen on the manual clock and the recording device, with
// cam.ini in a temporary folder. Frame() is one drawn frame plus one pass.
class HiscoresLoopTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    previousDevice = d3dDevice;
    d3dDevice = &device;
    InstallDesktop(&desktop);
    Hiscores::SetFileName(folder.File("cam.ini"));
    state = std::make_unique<CHiscoresLoop>();
    state->Start();
  }
  void TearDown() override {
    state.reset();
    Hiscores::SetFileName("cam.ini");
    InstallDesktop(nullptr);
    d3dDevice = previousDevice;
    ManualClockTest::TearDown();
  }
  void Frame() {
    state->UpdateLayers();
    state->Update();
    Advance(40);
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      Frame();
    }
  }
  // Until the fade-out has covered the screen.
  void UntilFinished() {
    for (int i = 0; i < 100 && !state->IsFinished(); ++i) {
      Frame();
    }
  }
  bool TableOnScreen() const {
    const auto layers = state->Layers();
    return state->GetShownTable() != nullptr &&
           std::find(layers.begin(), layers.end(), state->GetShownTable()) != layers.end();
  }

  TempFolder folder;
  RecordingDevice device;
  RecordingDesktop desktop;
  MotionDriver motion;
  std::unique_ptr<CHiscoresLoop> state;
  RenderDevice* previousDevice = nullptr;
};

TEST_F(HiscoresLoopTest, ShowsTheEggGamesTableFromANewFile) {
  EXPECT_TRUE(TableOnScreen());
  EXPECT_EQ(state->GetShownIndex(), 0);
  EXPECT_EQ(state->GetShownTable()->GetEntries()[0], HiScoreEntry("Empty", 0));
}

TEST_F(HiscoresLoopTest, TurningToBackHidesTheTableAndTurningBackShowsIt) {
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

TEST_F(HiscoresLoopTest, HeldArrowTurnsTheWheel) {
  for (int i = 0; i < 10; ++i) {
    motion.Move({kLeftArrowArea});
    Frame();
  }
  EXPECT_TRUE(state->GetWheel()->IsTurning());
  EXPECT_EQ(state->GetWheel()->GetFrontIndex(), 1);
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
