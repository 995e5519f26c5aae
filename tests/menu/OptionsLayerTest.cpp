#include "MenuTestFixture.h"
#include "menu/OptionsLayer.h"

namespace {
const ScreenRect kPlayArea{760, 10, 1010, 160};
const ScreenRect kNoArea{670, 300, 980, 560};

class OptionsLayerTest : public MenuTest {
 protected:
  COption* AddPlay(COptionsLayer& layer, int32_t selectable = 1) {
    return layer.AddOption("Play", 850, 20, 750, 0, 1024, 170, kNormal, kHighlight, 1, selectable, 1);
  }
  // Movement over `area` for `ms` milliseconds, a frame every 40 ms.
  void Hold(COptionsLayer& layer, const std::vector<ScreenRect>& areas, uint32_t ms) {
    for (uint32_t t = 0; t < ms; t += 40) {
      motion.Move(areas);
      layer.Update();
      Advance(40);
    }
  }
};

// A player holds "Play" (chosen after more than 4 s), pauses, steps out and
// comes back. Each step: the time since the first movement, what the camera
// sees, then the option's state and held time (-1: not checked). A layer
// whose motion is disabled, or that is hidden, ignores the movement. An
// arrow (not selectable) is never chosen but reported as held after more
// than 300 ms.
TEST_F(OptionsLayerTest, HeldTimeGrowsPausesDrainsAndChooses) {
  enum Seen { kPlay, kNothing, kElsewhere, kSame };
  enum Layer { kShown, kMotionDisabled, kHidden, kArrow };
  struct Step { uint32_t at; Seen seen; OptionState state; int32_t heldMs; };
  using S = OptionState;
  const std::vector<std::pair<Layer, std::vector<Step>>> scripts = {
      // Held throughout: chosen only after more than its duration, and for good.
      {kShown,
       {{0, kPlay, S::activated, 0}, {4000, kSame, S::activated, 4000}, {4001, kSame, S::chosen, -1},
        {4001, kElsewhere, S::chosen, -1}}},
      // A pause of up to 200 ms keeps the held time.
      {kShown,
       {{0, kPlay, S::activated, 0}, {3000, kNothing, S::awaitingdeactivation, -1},
        {3150, kSame, S::awaitingdeactivation, -1}, {3150, kPlay, S::activated, 3150},
        {4000, kSame, S::activated, -1}, {4001, kSame, S::chosen, -1}}},
      // A longer one releases it: the held time drains at the rate it was
      // gained, a return carries on from what is left, and left alone for
      // good it drains to nothing.
      {kShown,
       {{0, kPlay, S::activated, 0}, {3000, kNothing, S::awaitingdeactivation, -1},
        {3201, kSame, S::semideactivated, 3201}, {4001, kSame, S::semideactivated, 2401},
        {4001, kPlay, S::activated, 2401}, {4001, kNothing, S::awaitingdeactivation, -1},
        {20000, kSame, S::semideactivated, -1}, {20000, kSame, S::semideactivated, 0}}},
      {kMotionDisabled, {{0, kPlay, S::deactivated, 0}, {500, kSame, S::deactivated, 0}}},
      {kHidden, {{0, kPlay, S::deactivated, 0}, {500, kSame, S::deactivated, 0}}},
      {kArrow,
       {{0, kPlay, S::activated, 0}, {300, kSame, S::activated, 300}, {301, kSame, S::activated, 301},
        {9000, kSame, S::activated, -1}}},
  };
  for (const auto& [mode, script] : scripts) {
    COptionsLayer layer("Flubber", nullptr);
    COption* play = AddPlay(layer, mode != kArrow);
    layer.motionDisabled = mode == kMotionDisabled;
    layer.SetVisible(mode != kHidden);
    for (const Step& step : script) {
      SCOPED_TRACE(testing::Message() << "script " << (&script - &scripts[0].second) << " at " << step.at << " ms");
      SetManualTickCount(kStart + step.at);
      if (step.seen == kPlay || step.seen == kElsewhere) motion.Move({step.seen == kPlay ? kPlayArea : kNoArea});
      if (step.seen == kNothing) motion.Clear();
      layer.Update();
      EXPECT_EQ(play->GetState(), step.state);
      // The bar shows the held time from the first frame in a state on.
      const bool settled = step.state == S::activated || (&step != &script[0] && (&step)[-1].state == step.state);
      if (step.heldMs >= 0) { EXPECT_EQ(play->GetProgressMs(), step.heldMs); }
      if (step.heldMs >= 0 && settled) {
        EXPECT_NEAR(play->GetProgressBar().GetValue(), step.heldMs / 4000.0f, 1e-6);
        EXPECT_EQ(play->GetProgressBar().IsVisible(), step.heldMs > 0 || step.state == S::activated);
      }
      EXPECT_EQ(layer.GetChosen(), step.state == S::chosen ? 1 : -1);
      if (mode == kArrow) { EXPECT_EQ(layer.GetHeld(), step.at > 300 ? 1 : -1); }
    }
  }
}

TEST_F(OptionsLayerTest, MovementOverTwoOptionsReleasesBoth) {
  COptionsLayer layer("Levity", nullptr);
  COption* yes = AddPlay(layer);
  COption* no = layer.AddOption("no", 760, 400, 650, 285, 1000, 580, kNormal, kHighlight, 2, 1, 1);
  Hold(layer, {kPlayArea}, 1000);
  EXPECT_EQ(yes->GetState(), OptionState::activated);
  Hold(layer, {kPlayArea, kNoArea}, 40);
  EXPECT_EQ(yes->GetState(), OptionState::deactivated);
  EXPECT_EQ(no->GetState(), OptionState::deactivated);
  EXPECT_FALSE(yes->GetProgressBar().IsVisible());
  Hold(layer, {kNoArea}, 40);
  EXPECT_EQ(no->GetState(), OptionState::activated);
}

TEST_F(OptionsLayerTest, CaptionSpinsWhileHeldAndComesToRestUpright) {
  COptionsLayer layer("Flubber", nullptr);
  C3DText* caption = AddPlay(layer)->GetCaption();
  Hold(layer, {kPlayArea}, 1000);
  EXPECT_GT(caption->GetSpinSpeed(), 0.0f);
  motion.Clear();
  for (int frame = 0; frame < 400 && caption->GetSpinSpeed() != 0.0f; ++frame, Advance(40)) {
    const float before = caption->GetSpinSpeed();
    layer.Update();
    EXPECT_LE(caption->GetSpinSpeed(), before);
  }
  EXPECT_EQ(caption->GetSpinSpeed(), 0.0f);
  EXPECT_LT(std::min(caption->GetAngle(), 6.2831855f - caption->GetAngle()), 0.25f);
}
}  // namespace
