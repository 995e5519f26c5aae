#include <gtest/gtest.h>

#include <SDL_events.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "app/MyD3DApplication.h"
#include "app/SplashScreenLoop.h"
#include "app/StateFactory.h"
#include "app/TitleLoop.h"
#include "game/EggGameLoop.h"
#include "layers/PictureLoader.h"
#include "scores/Hiscores.h"
#include "scores/HiscoresLoop.h"
#include "scores/TempFolder.h"
#include "support/RecordingDesktop.h"
#include "support/TestClock.h"

namespace {

// The whole game in the process: a real window and OpenGL device, the real
// states from the game's factory, keys as SDL events, frames on the manual
// clock (no camera). Each switch waits a second for the old state's music.
class FlowTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    Hiscores::SetFileName(folder.File("cam.ini"));
    app.SetStateFactory([this](const StateRequest& request) {
      visits.push_back(request.kind);
      lastRequest = request;
      return CreateGameState(request);
    });
    app.SetHomepage("https://zestbox.test/");
    ASSERT_EQ(S_OK, app.Create());
    ASSERT_EQ(S_OK, app.InitGame());
  }
  void TearDown() override {
    Hiscores::SetFileName("cam.ini");
    ManualClockTest::TearDown();
  }
  void Key(SDL_Keycode key) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    app.HandleEvent(event);
  }
  // Passes of the loop, one drawn frame each, until the application has made
  // `count` states in all or has ended (at most 400 frames).
  void UntilVisits(size_t count) {
    for (int i = 0; i < 400 && visits.size() < count && !app.IsQuitPosted(); ++i) {
      Advance(CMyD3DApplication::kFrameInterval);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
    ASSERT_EQ(count, visits.size());
  }
  // Until the program ends (at most 400 frames).
  void UntilQuit() {
    for (int i = 0; i < 400 && !app.IsQuitPosted(); ++i) {
      Advance(CMyD3DApplication::kFrameInterval);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
    ASSERT_TRUE(app.IsQuitPosted());
  }
  // A few frames, so that a turn of the wheels is over.
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      Advance(CMyD3DApplication::kFrameInterval);
      app.FrameStep();
    }
  }

  TempFolder folder;
  RecordingDesktop desktop;
  CMyD3DApplication app;
  std::vector<StateKind> visits;
  StateRequest lastRequest;
};

TEST_F(FlowTest, HighScoresAndBackThenTheIntroductionAndBackThenEscapeOpensTheMakersPage) {
  ASSERT_EQ(std::vector<StateKind>{StateKind::Title}, visits);
  ASSERT_NE(nullptr, dynamic_cast<CTitleLoop*>(app.CurrentState()));
  Key(SDLK_LEFT);
  Frames(60);
  Key(SDLK_RETURN);
  UntilVisits(2);
  EXPECT_NE(nullptr, dynamic_cast<CHiscoresLoop*>(app.CurrentState())) << "Enter on \"High scores\" (code 1)";

  Key(SDLK_ESCAPE);
  UntilVisits(3);
  EXPECT_NE(nullptr, dynamic_cast<CTitleLoop*>(app.CurrentState()));

  Key(SDLK_RETURN);
  UntilVisits(4);
  auto* intro = dynamic_cast<CSplashScreenLoop*>(app.CurrentState());
  ASSERT_NE(nullptr, intro);
  EXPECT_STREQ("./res/egg_intro_en.png", lastRequest.picture);
  EXPECT_EQ(1, lastRequest.interactive);
  EXPECT_EQ(0, intro->GetNextCode());
  EXPECT_NE(nullptr, intro->GetOptions()) << "\"Play\"";

  Key(SDLK_ESCAPE);
  UntilVisits(5);
  EXPECT_NE(nullptr, dynamic_cast<CTitleLoop*>(app.CurrentState())) << "Escape on the introduction";
  EXPECT_TRUE(desktop.urls.empty());

  Key(SDLK_ESCAPE);
  UntilQuit();
  EXPECT_EQ(5u, visits.size());
  EXPECT_EQ(std::vector<std::string>{"https://zestbox.test/"}, desktop.urls);
  EXPECT_EQ(nullptr, app.CurrentState()) << "the title is deleted before the program ends";
}

TEST_F(FlowTest, TheGameIsReachedWithEnterAndItsEndOpensTheMakersPageAndEndsTheProgram) {
  Key(SDLK_RETURN);
  UntilVisits(2);
  Key(SDLK_RETURN);
  UntilVisits(3);
  EXPECT_EQ((std::vector<StateKind>{StateKind::Title, StateKind::Splash, StateKind::EggGame}), visits);
  ASSERT_NE(nullptr, dynamic_cast<CEggGameLoop*>(app.CurrentState()));

  Key(SDLK_ESCAPE);
  UntilQuit();
  EXPECT_EQ(std::vector<std::string>{"https://zestbox.test/"}, desktop.urls);
  EXPECT_NE(nullptr, dynamic_cast<CEggGameLoop*>(app.CurrentState())) << "the game stays until the program ends";
  EXPECT_EQ(3u, visits.size());
}

TEST(ProgramTest, OnTheTestCameraItDrawsTheTitleOverTheCameraWritesTheScreenshotAndEndsCleanly) {
  ProgramRun run({"--windowed", "--camera", "test", "--frames", "40", "--screenshot", "title.png"});
  std::string line, output;
  while (run.ReadLine(line)) {
    output += line + "\n";
  }
  ASSERT_EQ(0, run.Wait()) << output;
  Picture shot;
  ASSERT_TRUE(LoadPicture(run.File("title.png"), 0, shot));
  EXPECT_EQ(1000u, shot.pictureWidth);
  EXPECT_EQ(750u, shot.pictureHeight);
  const uint32_t corner = shot.texels[700 * shot.width + 20] & 0xFFFFFF;
  EXPECT_NE(0u, corner) << "the camera picture, not a black frame, behind the menu";
  EXPECT_TRUE(std::filesystem::exists(run.File("cam.ini"))) << "made with the default tables";
}

TEST(ProgramTest, ACameraThatIsNotThereEndsTheProgramBeforeAnyScreen) {
  ProgramRun run({"--windowed", "--camera", "no such camera", "--frames", "5"});
  std::string line, output;
  while (run.ReadLine(line)) {
    output += line + "\n";
  }
  EXPECT_EQ(1, run.Wait()) << "no frames drawn";
  EXPECT_NE(std::string::npos, output.find("Nie znaleziono kamery.")) << output;
}

// The demo's player, a bright patch on the test camera, moves over the
// caption wheel until the game's introduction opens, then over "Play" until
// the game starts: every screen reached by movement alone. Then the window is
// closed from outside, which ends the program cleanly.
TEST(ProgramTest, TheDemoPlayerReachesTheGameByMovementAloneAndClosingTheWindowEndsItCleanly) {
  ProgramRun run({"--windowed", "--demo", "--frames", "1500"}, true);  // a run that stalls ends by itself
  std::vector<std::string> states;
  std::string line;
  while (run.ReadLine(line)) {
    const size_t at = line.find("state: ");
    if (at != std::string::npos) {
      states.push_back(line.substr(at + 7));
      if (states.back() == "egg game") {
        run.Terminate();
      }
    }
  }
  EXPECT_EQ(0, run.Wait());
  EXPECT_EQ((std::vector<std::string>{"title", "splash", "egg game"}), states);
}

}  // namespace
