#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/MyD3DApplication.h"
#include "support/KeyEvent.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"
#include "support/TestState.h"

namespace {

// The game application on the recording device, its states made by a test
// factory and named by their turn ("1" the first, the title), or none at all
// while `makeStates` is false.
class FrameCycleTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    app = std::make_unique<CMyD3DApplication>();
    app->SetHomepage("https://example.org/zestbox");
    app->SetStateFactory([this](const StateRequest&) -> std::unique_ptr<CGameLoop> {
      if (!makeStates) return nullptr;
      return std::make_unique<TestState>(std::to_string(++made), log);
    });
    auto recording = std::make_unique<RecordingDevice>();
    device = recording.get();
    ASSERT_EQ(S_OK, app->CreateOnDevice(std::move(recording)));
    ASSERT_EQ(S_OK, app->InitGame());
  }
  // The application made afresh, as the program starts.
  void Restart() {
    app.reset();
    desktop.urls.clear();
    made = 0;
    SetUp();
  }
  void Frames(int count) {
    for (int frame = 0; frame < count; ++frame) {
      Advance(40);
      app->FrameStep();
    }
  }

  TestState* State() const { return static_cast<TestState*>(app->CurrentState()); }
  size_t Presents() const { return device->CountCalls("Present"); }

  RecordingDesktop desktop;
  EventLog log;
  int made = 0;
  bool makeStates = true;
  std::unique_ptr<CMyD3DApplication> app;
  RecordingDevice* device = nullptr;
};

// A frame is due 40 ms after the end of the last one, across the wrap of the
// tick count too; the state's logic runs on every pass in between.
TEST_F(FrameCycleTest, DrawsAtMostEvery40MillisecondsFromTheEndOfTheFrame) {
  for (const auto& [start, renderMs] : {std::pair{kStart, 0u}, {kStart, 15u}, {0xFFFFFFF0u, 0u}}) {
    SCOPED_TRACE(start);
    SetManualTickCount(start);
    State()->layer->renderMilliseconds = renderMs;
    const size_t presents = Presents();
    const int updates = State()->updates;
    log.clear();
    ASSERT_EQ(S_OK, app->FrameStep());
    EXPECT_EQ(presents + 1, Presents());
    EXPECT_EQ(start + renderMs, app->LastFrameTick());
    for (int pass = 0; pass < 39; ++pass) {
      Advance(1);
      app->FrameStep();
    }
    EXPECT_EQ(presents + 1, Presents()) << "39 ms after the frame no frame is due";
    EXPECT_EQ(updates + 40, State()->updates);
    Advance(1);
    app->FrameStep();
    EXPECT_EQ(presents + 2, Presents());
    // The layers are updated before the frame and drawn in it, once per frame.
    EXPECT_EQ(2, std::count(log.begin(), log.end(), "update 1"));
    EXPECT_EQ(2, std::count(log.begin(), log.end(), "render 1"));
  }
}

TEST_F(FrameCycleTest, AFinishedStateIsReplacedOnlyAtTheNextDrawnFrame) {
  app->FrameStep();
  Advance(10);
  State()->Finish(1);  // "High scores" chosen with Enter
  app->FrameStep();
  ASSERT_EQ("1", State()->name) << "no frame was due: no switch";
  Advance(30);
  log.clear();
  app->FrameStep();
  ASSERT_EQ(StateKind::Hiscores, app->CurrentKind());
  const EventLog expected = {"destroy 1", "delete 1", "start 2", "update 2", "render 2"};
  EXPECT_EQ(expected, log) << "nothing is drawn between the deletion and the successor's Start";
  EXPECT_EQ(1, State()->updates) << "the new state's logic runs in the same pass";
}

// The title's quit ends the program at once; a finished egg game stays
// current (its last picture stays up) while the program ends. Either way
// the homepage opens once.
TEST_F(FrameCycleTest, QuittingOrAFinishedGameOpensTheHomepageOnceAndEndsTheProgram) {
  State()->Finish(7);
  app->FrameStep();
  EXPECT_EQ(nullptr, app->CurrentState());
  EXPECT_EQ(std::vector<std::string>{"https://example.org/zestbox"}, desktop.urls);
  EXPECT_TRUE(app->IsQuitPosted());
  Restart();
  for (const StateKind kind : {StateKind::Title, StateKind::Splash, StateKind::EggGame}) {
    ASSERT_EQ(kind, app->CurrentKind());
    State()->Finish(0);
    Frames(3);
  }
  EXPECT_EQ("3", State()->name);
  EXPECT_EQ(1u, desktop.urls.size());
  EXPECT_TRUE(app->IsQuitPosted());
}

TEST_F(FrameCycleTest, AfterACompletedFadeOutNoLayerIsDrawn) {
  app->HandleEvent(KeyDown(SDLK_ESCAPE));
  while (State()->Fade()->GetPhase() != CFadeEffect::kIdle) {
    Advance(31);
    State()->Fade()->Update();
  }
  log.clear();
  device->ClearRecords();
  Frames(1);
  EXPECT_EQ(EventLog{"update 1"}, log);
  EXPECT_EQ(1u, device->CountCalls("Clear"));
  EXPECT_EQ(1u, Presents());
}

// Commands reach the state's OnKey (Enter also its last key, for the name
// entry), other keys its last key, ignored keys neither; Escape leaves once
// and is ignored during the fade-out.
TEST_F(FrameCycleTest, KeysReachTheStateAndEscapeLeavesOnce) {
  TestState* state = State();
  for (const SDL_Keycode key : {SDLK_LEFT, SDLK_F2}) app->HandleEvent(KeyDown(key));
  EXPECT_EQ(-1, state->TakeKey()) << "the arrows are commands, F2 is ignored";
  for (const SDL_Keycode key : {SDLK_RETURN, SDLK_q}) {
    app->HandleEvent(KeyDown(key));
    EXPECT_NE(-1, state->TakeKey());
  }
  EXPECT_EQ((std::vector<int32_t>{37, 13}), state->keys);
  for (const SDL_Keycode key : {SDLK_ESCAPE, SDLK_ESCAPE}) app->HandleEvent(KeyDown(key));
  app->HandleEvent(KeyDown(SDLK_x, KMOD_LALT));
  EXPECT_EQ(1, state->leaves);
  EXPECT_TRUE(state->IsFadingOut());
}

TEST_F(FrameCycleTest, WithoutAStateFramesAreBlackAndKeysDoNothing) {
  makeStates = false;
  Restart();
  EXPECT_EQ(nullptr, app->CurrentState());
  for (const SDL_Keycode key : {SDLK_ESCAPE, SDLK_a}) app->HandleEvent(KeyDown(key));
  Frames(1);
  EXPECT_EQ(1u, Presents());
  EXPECT_EQ(1u, device->CountCalls("Clear"));
}

// A square in the world is drawn square on the 4:3 screen: the projection
// follows the drawing area's width over its height.
TEST_F(FrameCycleTest, TheSceneDrawsASquareAsASquare) {
  const auto onScreen = [&](const Vec3& at) {
    const Vec4 eye = Transform(at, device->view);
    const Vec4 clip = Transform(Vec3{eye.x, eye.y, eye.z}, device->projection);
    return std::pair{clip.x / clip.w * 500.0f, clip.y / clip.w * 375.0f};
  };
  const auto [x, y] = onScreen(Vec3{1.0f, 1.0f, 1.0f});
  const auto [x0, y0] = onScreen(Vec3{0.0f, 0.0f, 1.0f});
  EXPECT_GT(x - x0, 10.0f);
  EXPECT_NEAR(x - x0, y - y0, 0.01f * (x - x0));
}

}  // namespace
