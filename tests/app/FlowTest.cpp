#include <gtest/gtest.h>

#include <SDL_events.h>
#include <gst/gst.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "app/MyD3DApplication.h"
#include "screens/SplashScreenLoop.h"
#include "app/StateFactory.h"
#include "screens/TitleLoop.h"
#include "game/Basket.h"
#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "render/PictureLoader.h"
#include "scores/Hiscores.h"
#include "screens/HiscoresLoop.h"
#include "support/TempFolder.h"
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

// Makes a short recording with GStreamer's own encoders: `encoded` is the
// pipeline from the picture to the file, `file` where it goes; `patch` then
// replaces every `from` in the file's bytes by `to` (a codec id nothing
// decodes, say). False when it could not be made.
bool MakeRecording(const std::string& pipeline, const std::string& file, const std::string& from = "",
                   const std::string& to = "") {
  GstElement* writer = gst_parse_launch((pipeline + " ! filesink location=\"" + file + "\"").c_str(), nullptr);
  if (!writer) return false;
  gst_element_set_state(writer, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(writer);
  GstMessage* done =
      gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  const bool written = done && GST_MESSAGE_TYPE(done) == GST_MESSAGE_EOS;
  if (done) gst_message_unref(done);
  gst_object_unref(bus);
  gst_element_set_state(writer, GST_STATE_NULL);
  gst_object_unref(writer);
  if (!written || from.empty()) return written;
  std::ifstream in(file, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
    bytes.replace(at, from.size(), to);
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  return true;
}

// A recording played as the camera: one a camera makes (MJPEG) or a DivX
// one (MPEG-4, decoded by libav) plays behind the title, whatever sound it
// carries; one whose video no installed plug-in decodes ends the program at
// once, naming what is missing, instead of playing on black.
TEST(ProgramTest, RecordingsPlayOrEndTheProgramNamingTheMissingDecoder) {
  gst_init(nullptr, nullptr);
  TempFolder recordings;
  const std::string picture =
      "videotestsrc num-buffers=30 pattern=solid-color foreground-color=0xff3080c0 ! "
      "video/x-raw,width=320,height=240,framerate=15/1";
  const std::string sound = "audiotestsrc num-buffers=30 ! audioconvert ! lamemp3enc ! queue ! mux. ";
  std::vector<std::string> playable = {recordings.File("camera.avi")};
  ASSERT_TRUE(MakeRecording(sound + picture + " ! jpegenc ! queue ! avimux name=mux", playable.back()));
  // The sanitizer suites leave libav out (scripts/test); everywhere else it is installed.
  if (GstElementFactory* mpeg4 = gst_element_factory_find("avenc_mpeg4")) {
    gst_object_unref(mpeg4);
    playable.push_back(recordings.File("people walking.avi"));
    ASSERT_TRUE(MakeRecording(sound + picture + " ! avenc_mpeg4 ! queue ! avimux name=mux", playable.back()));
  }
  const std::string unknown = recordings.File("unknown codec.avi");
  ASSERT_TRUE(MakeRecording(picture + " ! jpegenc ! avimux", unknown, "MJPG", "ZBX0"));

  struct Played {
    int exitCode = -1;
    bool drawn = false;  // a screenshot was written
    bool recordingBehindTitle = false;  // the recording's colour in its corner
    std::string output;
  };
  const auto play = [](const std::string& file) {
    ProgramRun program({"--windowed", "--camera", "file:" + file, "--frames", "40", "--screenshot", "shot.png"});
    Played played;
    for (std::string line; program.ReadLine(line);) played.output += line + "\n";
    Picture shot;
    played.drawn = LoadPicture(program.File("shot.png"), 0, shot);
    if (played.drawn) {
      const uint32_t corner = shot.texels[700 * shot.width + 20];
      const auto near = [corner](int shift, int wanted) { return std::abs(int((corner >> shift) & 0xFF) - wanted) < 24; };
      played.recordingBehindTitle = near(16, 0x30) && near(8, 0x80) && near(0, 0xC0);
    }
    played.exitCode = program.Wait();
    return played;
  };
  for (const std::string& file : playable) {
    const Played played = play(file);
    EXPECT_EQ(0, played.exitCode) << file << "\n" << played.output;
    EXPECT_TRUE(played.recordingBehindTitle) << file << "\n" << played.output;
    EXPECT_EQ(std::string::npos, played.output.find("stopped delivering pictures")) << file << "\n" << played.output;
  }
  const Played undecodable = play(unknown);
  EXPECT_EQ(1, undecodable.exitCode) << undecodable.output;
  EXPECT_FALSE(undecodable.drawn) << "no screen at all";
  EXPECT_NE(std::string::npos, undecodable.output.find("\"file:" + unknown + "\" cannot be shown")) << undecodable.output;
  EXPECT_NE(std::string::npos, undecodable.output.find("video/x-avi-unknown decoder")) << undecodable.output;
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
      if (states.back() == "game") {
        run.Terminate();
      }
    }
  }
  EXPECT_EQ(0, run.Wait());
  EXPECT_EQ((std::vector<std::string>{"title", "intro", "game"}), states);
}

}  // namespace
