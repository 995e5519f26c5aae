#include <gtest/gtest.h>

#include "support/StateFixture.h"
#include "screens/SplashScreenLoop.h"
#include "state/StateSwitch.h"
#include "layers/AbstractLayer.h"

namespace {
const ScreenRect kPlayArea{780, 10, 1010, 160};

using SplashScreenLoopTest = StateFixture<CSplashScreenLoop>;

// The ways out of the introduction and what each reports: "Play" held for
// more than two and a half seconds or Enter lead on, Escape goes back to the
// title (unless the successor is the end), and a picture without "Play" ends
// by itself after more than five seconds. Once it leaves, nothing turns it back.
TEST_F(SplashScreenLoopTest, PlayEnterEscapeAndTheTimeLeadOutAndNothingTurnsThemBack) {
  enum Way { kPlay, kEnter, kEscape, kTime };
  struct Row {
    int32_t nextCode, interactive;
    Way way;
    int32_t result;
  };
  for (const Row row : {Row{0, 1, kPlay, 0}, Row{0, 1, kEnter, 0}, Row{0, 1, kEscape, CSplashScreenLoop::kTitleCode},
                        Row{CSplashScreenLoop::kQuitCode, 0, kEscape, CSplashScreenLoop::kQuitCode},
                        Row{5, 0, kEnter, 5}, Row{5, 0, kTime, 5}}) {
    SCOPED_TRACE(testing::Message() << "next " << row.nextCode << ", way " << row.way);
    state = std::make_unique<CSplashScreenLoop>(kIntroPicture, row.nextCode, row.interactive);
    state->Start();
    const auto layers = state->Layers();
    ASSERT_EQ(2u + row.interactive, layers.size()) << "picture, \"Play\" when interactive, fade (no camera here)";
    device.ClearRecords();
    layers[0]->Render(&device);
    ASSERT_EQ(1u, device.strips.size());
    const RenderStates& drawn = device.strips[0].states;
    EXPECT_EQ(row.interactive == 1,
              drawn.srcBlend == BlendFactor::SrcColor && drawn.destBlend == BlendFactor::DestColor)
        << "the game's introduction is blended over the camera";
    Frames(3);
    state->OnKey(37);
    EXPECT_FALSE(state->IsLeaving()) << "only Enter";
    if (row.way == kPlay) {
      MoveUntil(kPlayArea, 50, [] { return false; });
      EXPECT_FALSE(state->IsLeaving()) << "not yet after two seconds";
      MoveUntil(kPlayArea, 40, [this] { return state->IsLeaving(); });
    } else if (row.way == kEnter) {
      state->OnKey(13);
    } else if (row.way == kEscape) {
      EXPECT_EQ(1, state->Leave());
    } else {
      Advance(CSplashScreenLoop::kShowMs - 3 * 40);
      state->Update();
      EXPECT_FALSE(state->IsLeaving()) << "exactly five seconds is not yet more";
      Advance(1);
      state->Update();
    }
    EXPECT_TRUE(state->IsLeaving());
    EXPECT_TRUE(state->IsFadingOut());
    state->OnKey(13);
    EXPECT_EQ(1, state->Leave()) << "Escape while leaving changes nothing";
    MoveUntil(kPlayArea, 10, [] { return false; });
    UntilFinished();
    EXPECT_EQ(1, state->IsFinished());
    EXPECT_EQ(row.result, state->GetResult());
  }
}

}  // namespace
