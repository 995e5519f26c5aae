#include "MenuTestFixture.h"
#include "menu/OptionsLayer.h"

namespace {
const ScreenRect kPlayArea{760, 10, 1010, 160};
const ScreenRect kYesArea{60, 300, 360, 560};
const ScreenRect kNoArea{670, 300, 980, 560};

class OptionsLayerTest : public MenuTest {
 protected:
  COption* AddPlay(COptionsLayer& layer, int32_t selectable = 1) {
    return layer.AddOption("Play", 850, 20, 750, 0, 1024, 170, kNormal, kHighlight, 0, selectable, 1);
  }
  // Movement over `area` for `ms` milliseconds, a frame every 40 ms.
  void Hold(COptionsLayer& layer, const ScreenRect& area, uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 40) {
      motion.Move({area});
      layer.Update();
      Advance(40);
    }
  }
};

TEST_F(OptionsLayerTest, HeldOptionIsChosenOnlyAfterMoreThanItsDuration) {
  COptionsLayer layer("Flubber", nullptr);
  COption* play = AddPlay(layer);
  motion.Move({kPlayArea});
  layer.Update();  // activated at kStart
  EXPECT_EQ(play->GetState(), OptionState::activated);
  EXPECT_TRUE(play->GetProgressBar().IsVisible());

  SetManualTickCount(kStart + 4000);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::activated);
  EXPECT_FLOAT_EQ(play->GetProgressBar().GetValue(), 1.0f);
  EXPECT_EQ(layer.GetChosen(), -1);

  SetManualTickCount(kStart + 4001);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::chosen);
  EXPECT_EQ(layer.GetChosen(), 0);

  // A chosen option stays chosen whatever happens next.
  motion.Move({kNoArea});
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::chosen);
}

TEST_F(OptionsLayerTest, ShortPauseKeepsProgressLongPauseDrainsIt) {
  COptionsLayer layer("Flubber", nullptr);
  COption* play = AddPlay(layer);
  motion.Move({kPlayArea});
  layer.Update();
  SetManualTickCount(kStart + 3000);
  motion.Clear();  // no movement anywhere
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::awaitingdeactivation);

  SetManualTickCount(kStart + 3150);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::awaitingdeactivation);
  motion.Move({kPlayArea});
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::activated);
  EXPECT_EQ(play->GetProgressMs(), 3150);

  // About 850 ms later the option is chosen.
  SetManualTickCount(kStart + 3150 + 850);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::activated);
  SetManualTickCount(kStart + 3150 + 851);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::chosen);
}

TEST_F(OptionsLayerTest, ReleasedOptionDrainsAtTheRateItWasGained) {
  COptionsLayer layer("Flubber", nullptr);
  COption* play = AddPlay(layer);
  motion.Move({kPlayArea});
  layer.Update();
  SetManualTickCount(kStart + 3000);
  motion.Clear();
  layer.Update();
  SetManualTickCount(kStart + 3200);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::awaitingdeactivation);
  SetManualTickCount(kStart + 3201);
  layer.Update();
  ASSERT_EQ(play->GetState(), OptionState::semideactivated);
  EXPECT_EQ(play->GetProgressMs(), 3201);

  SetManualTickCount(kStart + 3201 + 800);
  layer.Update();
  EXPECT_NEAR(play->GetProgressBar().GetValue(), 2401.0f / 4000.0f, 1e-6);
  motion.Move({kPlayArea});
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::activated);
  EXPECT_EQ(play->GetProgressMs(), 2401);

  // Left alone for good, the bar drains to nothing and hides.
  motion.Clear();
  layer.Update();
  SetManualTickCount(kStart + 20000);
  layer.Update();
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::semideactivated);
  EXPECT_EQ(play->GetProgressMs(), 0);
  EXPECT_FALSE(play->GetProgressBar().IsVisible());
}

TEST_F(OptionsLayerTest, MovementOverTwoOptionsReleasesBoth) {
  COptionsLayer layer("Levity", nullptr);
  COption* yes = layer.AddOption("yes", 100, 400, 35, 285, 380, 580, kNormal, kHighlight, 0, 1, 1);
  COption* no = layer.AddOption("no", 760, 400, 650, 285, 1000, 580, kNormal, kHighlight, 1, 1, 1);
  Hold(layer, kYesArea, 1000);
  EXPECT_EQ(yes->GetState(), OptionState::activated);

  motion.Move({kYesArea, kNoArea});
  layer.Update();
  EXPECT_EQ(yes->GetState(), OptionState::deactivated);
  EXPECT_EQ(no->GetState(), OptionState::deactivated);
  EXPECT_FALSE(yes->GetProgressBar().IsVisible());

  // The last option found overlapping is the candidate.
  motion.Move({kNoArea});
  layer.Update();
  EXPECT_EQ(no->GetState(), OptionState::activated);
  EXPECT_EQ(yes->GetState(), OptionState::deactivated);
}

TEST_F(OptionsLayerTest, NotSelectableOptionFillsButStaysActivated) {
  COptionsLayer layer("Comic sans MS", nullptr);
  COption* arrow = layer.AddOption("<", 110, 40, 0, 0, 250, 250, kNormal, kHighlight, 0, 0, 0);
  arrow->SetDuration(3000.0f);
  const ScreenRect arrowArea{20, 20, 240, 240};
  Hold(layer, arrowArea, 5000);
  EXPECT_EQ(arrow->GetState(), OptionState::activated);
  EXPECT_FLOAT_EQ(arrow->GetProgressBar().GetValue(), 1.0f);
  EXPECT_EQ(layer.GetChosen(), -1);
}

TEST_F(OptionsLayerTest, HeldIsReportedAfterMoreThan300Ms) {
  COptionsLayer layer("Comic sans MS", nullptr);
  layer.AddOption("<", 110, 40, 0, 0, 250, 250, kNormal, kHighlight, 0, 0, 0);
  layer.AddOption(">", 870, 40, 750, 0, 1024, 250, kNormal, kHighlight, 1, 0, 0);
  motion.Move({ScreenRect{780, 20, 1000, 240}});
  layer.Update();
  EXPECT_EQ(layer.GetHeld(), -1);
  SetManualTickCount(kStart + 300);
  EXPECT_EQ(layer.GetHeld(), -1);
  SetManualTickCount(kStart + 301);
  EXPECT_EQ(layer.GetHeld(), 1);
}

TEST_F(OptionsLayerTest, DisabledOrHiddenLayerIgnoresMovement) {
  COptionsLayer layer("Flubber", nullptr);
  COption* play = AddPlay(layer);
  layer.motionDisabled = 1;
  Hold(layer, kPlayArea, 500);
  EXPECT_EQ(play->GetState(), OptionState::deactivated);
  layer.motionDisabled = 0;
  layer.SetVisible(0);
  Hold(layer, kPlayArea, 500);
  EXPECT_EQ(play->GetState(), OptionState::deactivated);
}

TEST_F(OptionsLayerTest, CaptionSpinsWhileHeldAndComesToRestUpright) {
  COptionsLayer layer("Flubber", nullptr);
  COption* play = AddPlay(layer);
  Hold(layer, kPlayArea, 1000);
  C3DText* caption = play->GetCaption();
  EXPECT_FLOAT_EQ(caption->GetSpinSpeed(), 0.2f);

  motion.Clear();
  layer.Update();
  Advance(201);
  layer.Update();
  EXPECT_EQ(play->GetState(), OptionState::semideactivated);
  EXPECT_GT(play->GetUnwindStep(), 0.0f);
  for (int frame = 0; frame < 400 && caption->GetSpinSpeed() != 0.0f; ++frame) {
    const float before = caption->GetSpinSpeed();
    layer.Update();
    EXPECT_LE(caption->GetSpinSpeed(), before);
    Advance(40);
  }
  EXPECT_EQ(caption->GetSpinSpeed(), 0.0f);
  EXPECT_LT(std::min(caption->GetAngle(), 6.2831855f - caption->GetAngle()), 0.25f);
}

TEST_F(OptionsLayerTest, DrawsTitleAndOptionsWithoutBackground) {
  COptionsLayer layer("Levity", nullptr);
  layer.SetTitle("Play again ?", 180, 200, kHighlight);
  AddPlay(layer);
  device.ClearRecords();
  layer.Render(&device);
  EXPECT_EQ(device.CountCalls("DrawTriangleStrip"), 0u);
  EXPECT_EQ(device.CountCalls("DrawMesh"), 2u);  // title and caption
  EXPECT_EQ(device.CountCalls("DrawSprite"), 0u);  // the bar is hidden

  Hold(layer, kPlayArea, 200);
  device.ClearRecords();
  const RenderStates before = device.GetStates();
  layer.Render(&device);
  EXPECT_EQ(device.CountCalls("DrawSprite"), 2u);  // empty bar, then the filled part
  EXPECT_TRUE(device.GetStates() == before);
}
}  // namespace
