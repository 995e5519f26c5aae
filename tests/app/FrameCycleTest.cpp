#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "app/KeyMap.h"
#include "app/MyD3DApplication.h"
#include "base/VirtualKeys.h"
#include "support/KeyEvent.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"
#include "support/TestState.h"

namespace {

// The game application on the recording device, its states made by a test
// factory and named by their turn ("1" the first, the title).
class FrameCycleTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    app = std::make_unique<CMyD3DApplication>();
    app->SetHomepage("https://example.org/zestbox");
    app->SetStateFactory(
        [this](const StateRequest&) { return std::make_unique<TestState>(std::to_string(++made), log); });
    auto recording = std::make_unique<RecordingDevice>();
    device = recording.get();
    ASSERT_EQ(S_OK, app->CreateOnDevice(std::move(recording)));
    ASSERT_EQ(S_OK, app->InitGame());
  }
  void Frames(int count, uint32_t ms = 40) {
    for (int frame = 0; frame < count; ++frame) {
      Advance(ms);
      app->FrameStep();
    }
  }

  TestState* State() const { return static_cast<TestState*>(app->CurrentState()); }
  size_t Presents() const { return device->CountCalls("Present"); }

  RecordingDesktop desktop;
  EventLog log;
  int made = 0;
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
    EXPECT_EQ(start + renderMs, app->LastFrameTick());
    Frames(39, 1);
    EXPECT_EQ(presents + 1, Presents()) << "39 ms after the frame no frame is due";
    EXPECT_EQ(updates + 40, State()->updates);
    Frames(1, 1);
    EXPECT_EQ(presents + 2, Presents());
    // The layers are updated before the frame and drawn in it, once per frame.
    EXPECT_EQ((EventLog{"update 1", "render 1", "update 1", "render 1"}), log);
  }
}

TEST_F(FrameCycleTest, AFinishedStateIsReplacedOnlyAtTheNextDrawnFrame) {
  app->FrameStep();
  State()->Finish(1);  // "High scores" chosen with Enter
  Frames(1, 10);
  ASSERT_EQ("1", State()->name) << "no frame was due: no switch";
  log.clear();
  Frames(1, 30);
  ASSERT_EQ(StateKind::Hiscores, app->CurrentKind());
  const EventLog expected = {"destroy 1", "delete 1", "start 2", "update 2", "render 2"};
  EXPECT_EQ(expected, log) << "nothing is drawn between the deletion and the successor's Start";
  EXPECT_EQ(1, State()->updates) << "the new state's logic runs in the same pass";
  // Back to the title and through the introduction into a game: a finished
  // game stays current (its last picture stays up) while the program ends.
  for (const StateKind kind : {StateKind::Hiscores, StateKind::Title, StateKind::Splash, StateKind::EggGame}) {
    ASSERT_EQ(kind, app->CurrentKind());
    State()->Finish(0);
    Frames(3);
  }
  EXPECT_EQ("5", State()->name);
  EXPECT_EQ(std::vector<std::string>{"https://example.org/zestbox"}, desktop.urls) << "opened once";
  EXPECT_TRUE(app->IsQuitPosted());
}

// The title's quit opens the homepage and ends the program at once; without
// a state, keys do nothing and frames are black.
TEST_F(FrameCycleTest, QuittingOpensTheHomepageAndLeavesNoState) {
  State()->Finish(7);
  app->FrameStep();
  EXPECT_EQ(nullptr, app->CurrentState());
  EXPECT_EQ(std::vector<std::string>{"https://example.org/zestbox"}, desktop.urls);
  EXPECT_TRUE(app->IsQuitPosted());
  for (const SDL_Keycode key : {SDLK_ESCAPE, SDLK_a}) app->HandleEvent(KeyDown(key));
  device->ClearRecords();
  Frames(1);
  EXPECT_EQ(1u, device->CountCalls("Clear"));
  EXPECT_EQ(1u, Presents());
}

// Commands reach the state's OnKey (Enter also its last key, for the name
// entry), other keys its last key, ignored keys neither; Escape leaves once
// and is ignored during the fade-out, after which no layer is drawn.
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
  while (state->Fade()->GetPhase() != CFadeEffect::kIdle) {
    Advance(31);
    state->Fade()->Update();
  }
  log.clear();
  device->ClearRecords();
  Frames(1);
  EXPECT_EQ(EventLog{"update 1"}, log);
  EXPECT_EQ(1u, device->CountCalls("Clear"));
  EXPECT_EQ(1u, Presents());
}

// The few key commands match only with exactly their own modifiers (the
// lock keys do not count); every other key reaches the state as a key,
// whatever the modifiers; keys the game has no code for are ignored.
TEST(KeyMapTest, KeyPressesBecomeCommandsOnlyWithTheirOwnModifiers) {
  using Kind = KeyCommand::Kind;
  const std::tuple<SDL_Keycode, uint16_t, Kind> rows[] = {
      {SDLK_ESCAPE, KMOD_NONE, Kind::Leave},       {SDLK_x, KMOD_LALT, Kind::Leave},
      {SDLK_x, KMOD_RALT | KMOD_NUM, Kind::Leave}, {SDLK_x, KMOD_NONE, Kind::LastKey},
      {SDLK_x, KMOD_LALT | KMOD_LCTRL, Kind::LastKey}, {SDLK_ESCAPE, KMOD_LSHIFT, Kind::LastKey},
      {SDLK_LEFT, KMOD_NONE, Kind::OnKey},         {SDLK_RIGHT, KMOD_CAPS, Kind::OnKey},
      {SDLK_KP_ENTER, KMOD_NONE, Kind::OnKey},     {SDLK_LEFT, KMOD_LCTRL, Kind::LastKey},
      {SDLK_F2, KMOD_NONE, Kind::Ignore},          {SDLK_RETURN, KMOD_LALT, Kind::Ignore},
      {SDLK_AUDIOPLAY, KMOD_NONE, Kind::Ignore},   {SDLK_F3, KMOD_NONE, Kind::LastKey},
  };
  for (const auto& [key, modifiers, kind] : rows)
    EXPECT_EQ(kind, TranslateKey(key, modifiers).kind) << SDL_GetKeyName(key) << " with " << modifiers;
  // A name is typed with letters and digits, as upper-case characters, and mended with Backspace.
  for (SDL_Keycode key = SDLK_a; key <= SDLK_z; ++key) EXPECT_EQ('A' + (key - SDLK_a), VirtualKeyFromSdl(key));
  for (SDL_Keycode key = SDLK_0; key <= SDLK_9; ++key) EXPECT_EQ('0' + (key - SDLK_0), VirtualKeyFromSdl(key));
  EXPECT_EQ(kVkBack, VirtualKeyFromSdl(SDLK_BACKSPACE));
  EXPECT_EQ(TranslateKey(SDLK_m, KMOD_NONE).code, TranslateKey(SDLK_m, KMOD_LSHIFT).code);
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
