#include <gtest/gtest.h>

#include <SDL_events.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MyD3DApplication.h"
#include "app/SplashScreenLoop.h"
#include "app/StateFactory.h"
#include "app/TitleLoop.h"
#include "game/Basket.h"
#include "game/Egg.h"
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

  // The player drags the window's edge: the window system's events reach
  // the application as its loop would hand them over.
  void Resize(int width, int height) {
    SDL_SetWindowSize(app.Window(), width, height);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      app.HandleEvent(event);
    }
  }
  // The last drawn picture.
  std::vector<uint32_t> Picture(uint32_t& width, uint32_t& height) {
    std::vector<uint32_t> pixels;
    app.Device()->ReadPixels(pixels, width, height);
    return pixels;
  }

  TempFolder folder;
  RecordingDesktop desktop;
  CMyD3DApplication app;
  std::vector<StateKind> visits;
  StateRequest lastRequest;
};

// Pixels of the picture whose darkest channel is below `level`: none while a
// fade of at least that opacity covers the whole picture.
size_t Uncovered(const std::vector<uint32_t>& pixels, uint32_t level) {
  size_t count = 0;
  for (const uint32_t pixel : pixels) {
    const uint32_t darkest = std::min({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF});
    count += darkest < level;
  }
  return count;
}

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

// The player resizes the window during the game's fade-in, while an egg rolls
// down its chute, and during the fade-out: the fade always covers the whole
// picture, and the egg keeps running along the top edge of its drawn chute.
TEST_F(FlowTest, ResizedMidFadeAndMidGameTheFadeCoversThePictureAndEggsStayOnTheirChutes) {
  Key(SDLK_RETURN);
  UntilVisits(2);
  Key(SDLK_RETURN);
  UntilVisits(3);
  auto* game = dynamic_cast<CEggGameLoop*>(app.CurrentState());
  ASSERT_NE(nullptr, game);
  game->SeedRandom(7);
  uint32_t width = 0, height = 0;

  Frames(3);
  Resize(1600, 1200);
  Frames(1);
  std::vector<uint32_t> shown = Picture(width, height);
  ASSERT_EQ(1600u, width);
  EXPECT_EQ(0u, Uncovered(shown, 0xC0)) << "fading in";

  // The egg as drawn, against the hatchery drawn without it (and without
  // what is in front of it): in the column through the middle of the egg's
  // cell, the egg's lowest pixel lies just above the ledge's top edge. A
  // spinning egg's lowest point rises by up to a tenth of the cell when it
  // lies on its side.
  const auto expectOnItsChute = [&](const CEgg& egg) {
    app.DrawScene();
    const std::vector<uint32_t> withEgg = Picture(width, height);
    for (CEgg* each : game->Eggs()) each->SetVisible(0);
    game->GetBasket()->SetVisible(0);
    const int32_t messageShown = game->GetMessage()->IsVisible();
    game->GetMessage()->SetVisible(0);
    app.DrawScene();
    const std::vector<uint32_t> hatchery = Picture(width, height);
    for (CEgg* each : game->Eggs()) each->SetVisible(1);
    game->GetBasket()->SetVisible(1);
    game->GetMessage()->SetVisible(messageShown);
    const float sx = float(width) / 1024.0f, sy = float(height) / 768.0f;
    const int column = int(egg.GetPositionX() + 32.0f * sx);
    ASSERT_TRUE(column >= 0 && column < int(width)) << "egg at " << egg.GetPositionX() << " in " << width;
    int eggBottom = -1, ledge = -1;
    for (int y = std::max(0, int(egg.GetPositionY())); y < int(height) && ledge < 0; ++y) {
      const size_t at = size_t(y) * width + column;
      if (withEgg[at] != hatchery[at]) eggBottom = y;
      if (eggBottom >= 0 && (hatchery[at] & 0xFFFFFF) != 0) ledge = y;
    }
    ASSERT_GE(eggBottom, 0) << "no egg drawn at " << egg.GetPositionX() << ", " << egg.GetPositionY();
    EXPECT_TRUE(eggBottom < ledge + 2 * sy && eggBottom > ledge - 12 * sy)
        << "egg of chute " << egg.GetChute() << " drawn down to row " << eggBottom << ", ledge at row " << ledge
        << " in " << width << " x " << height;
  };
  const auto onChute = [&]() -> const CEgg* {
    for (const CEgg* egg : game->Eggs()) {
      if (egg->GetState() == CEgg::kOnChute) return egg;
    }
    return nullptr;
  };
  for (int frame = 0; frame < 400 && onChute() == nullptr; ++frame) Frames(1);
  ASSERT_NE(nullptr, onChute());
  Frames(5);
  ASSERT_NE(nullptr, onChute());
  expectOnItsChute(*onChute());
  Resize(1280, 720);  // a wide window: the picture is 960 x 720 between bars
  Frames(1);
  ASSERT_NE(nullptr, onChute());
  expectOnItsChute(*onChute());
  EXPECT_EQ(960u, width);
  Frames(10);
  ASSERT_NE(nullptr, onChute());
  expectOnItsChute(*onChute());
  const CBasket& basket = *game->GetBasket();
  EXPECT_NEAR(448.0f * 960.0f / 1024.0f, basket.GetPositionX(), 0.5f) << "the basket waits in the middle";

  Key(SDLK_ESCAPE);
  Frames(24);
  Resize(1600, 1200);
  Frames(1);
  shown = Picture(width, height);
  ASSERT_EQ(1600u, width);
  EXPECT_EQ(0u, Uncovered(shown, 0xA0)) << "fading out";
}

// The real program, started as a process in a folder of its own with the
// game's resources; its standard output and error are read line by line.
class ProgramRun {
 public:
  // `debug`: the program writes its debugging output (ZESTBOX_DEBUG).
  explicit ProgramRun(std::vector<std::string> arguments, bool debug = false) {
    const char* source = std::getenv("ZESTBOX_SOURCE_DIR");
    std::filesystem::create_symlink(std::filesystem::path(source != nullptr ? source : "..") / "res", folder.File("res"));
    const std::string program =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "zestbox").string();
    int fds[2];
    if (pipe(fds) != 0) {
      return;
    }
    pid = fork();
    if (pid == 0) {
      dup2(fds[1], 1);
      dup2(fds[1], 2);
      close(fds[0]);
      close(fds[1]);
      if (chdir(folder.Path().c_str()) != 0) {
        _exit(126);
      }
      if (debug) {
        setenv("ZESTBOX_DEBUG", "1", 1);
      }
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (std::string& argument : arguments) {
        argv.push_back(argument.data());
      }
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(fds[1]);
    output = fdopen(fds[0], "r");
  }
  ~ProgramRun() {
    if (output != nullptr) {
      std::fclose(output);
    }
  }
  // The next line of output without its end; false at the end of the output.
  bool ReadLine(std::string& line) {
    char buffer[4096];
    if (output == nullptr || std::fgets(buffer, sizeof buffer, output) == nullptr) {
      return false;
    }
    line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
      line.pop_back();
    }
    return true;
  }
  void Terminate() const { kill(pid, SIGTERM); }
  // The exit code, or -1 when the program did not exit by itself.
  int Wait() const {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
      return -1;
    }
    return WEXITSTATUS(status);
  }
  std::string File(const std::string& name) const { return folder.File(name); }

 private:
  TempFolder folder;
  pid_t pid = -1;
  FILE* output = nullptr;
};

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
