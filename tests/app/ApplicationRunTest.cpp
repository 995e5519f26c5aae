#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <SDL.h>

#include "app/MyD3DApplication.h"
#include "app/StateFactory.h"
#include "capture/CameraChoice.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/StartupCameraChoice.h"
#include "game/Basket.h"
#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "state/GameLoop.h"
#include "motion/BasketMotionDetector.h"
#include "support/KeyEvent.h"
#include "support/ProgramRun.h"
#include "support/ScopedEnvironment.h"
#include "support/StateFixture.h"

// Last: Xlib's macros (None, Bool, Status) clash with names in the headers above.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The application and its window. Every screen follows a change of the
// drawing area's size at once: resized while it runs (in the middle of its
// fade-out, eggs still rolling), it draws its sprites where the same screen
// started at the new size draws them; where nothing resizes the window, the
// whole scene is drawn in it; the pointer and the messages follow full screen.
namespace {

// The fixture's recording device, desktop and cam.ini, with the egg game's
// detector (nobody moving) installed over the fixture's plain one; the real
// window and OpenGL device (SDL's offscreen driver) where a test makes them.
class WindowTest : public StateFixture<CGameLoop> {
 protected:
  MotionDriver camera{std::make_unique<CBasketMotionDetector>(1000, 750)};

  // The real application on its window (instead of the fixture's device),
  // playing an egg game of fixed dice.
  void StartGame(CMyD3DApplication& app) {
    app.SetStateFactory([](const StateRequest&) {
      auto game = std::make_unique<CEggGameLoop>();
      game->SeedRandom(7);
      return game;
    });
    ASSERT_EQ(S_OK, app.InitGame());
  }
  // `count` frames, the window first dragged to w x h when given and its events handled.
  void PlayFrames(CMyD3DApplication& app, int count, int w = 0, int h = 0) {
    if (w > 0) SDL_SetWindowSize(app.Window(), w, h);
    for (SDL_Event event; SDL_PollEvent(&event);) app.HandleEvent(event);
    for (int i = 0; i < count; ++i) {
      Advance(CMyD3DApplication::kFrameInterval);
      ASSERT_EQ(S_OK, app.FrameStep());
    }
  }
};

using ResizeTest = WindowTest;

TEST_F(ResizeTest, EveryScreenResizedWhileItRunsDrawsItsSpritesAsOneStartedAtTheNewSize) {
  const StateRequest requests[] = {
      {StateKind::Title}, {StateKind::Splash, kIntroPicture, 0, 1}, {StateKind::EggGame}, {StateKind::Hiscores}};
  for (const StateRequest& request : requests) {
    SCOPED_TRACE(static_cast<int>(request.kind));
    // The first screen starts at 1000 x 750 and is resized; the second starts at the new size.
    Viewport sizes[2] = {{0, 0, 1000, 750}, {0, 0, 1600, 1200}};
    std::unique_ptr<CGameLoop> screens[2];
    for (const int i : {0, 1}) {
      device.viewport = sizes[i];
      screens[i] = CreateGameState(request);
      if (auto* game = dynamic_cast<CEggGameLoop*>(screens[i].get())) game->SeedRandom(7);
      screens[i]->Start();
    }
    const auto frames = [&](int count) {
      for (int frame = 0; frame < count; ++frame) {
        Advance(40);
        for (const int i : {0, 1}) {
          device.viewport = sizes[i];
          screens[i]->UpdateLayers();
          screens[i]->Update();
        }
      }
    };
    frames(150);  // the egg game's first egg rolls from the sixth second on
    for (const auto& screen : screens) screen->Leave();
    frames(1);
    sizes[0] = sizes[1];
    screens[0]->SetViewportSize(1600, 1200);
    if (request.kind == StateKind::EggGame) {
      const auto& zones = dynamic_cast<const CBasketMotionDetector&>(camera.Detector());
      EXPECT_EQ(1600, zones.ZoneRect(CBasketMotionDetector::kBottomRight).right);
      EXPECT_EQ(1200, zones.ZoneRect(CBasketMotionDetector::kBottomRight).bottom);
    }
    for (const int count : {1, 20}) {
      frames(count);
      std::vector<RecordingDevice::SpriteRecord> drawn[2];
      for (const int i : {1, 0}) {
        device.viewport = sizes[i];
        device.ClearRecords();
        screens[i]->RenderLayers();
        drawn[i] = device.sprites;
      }
      EXPECT_FALSE(drawn[1].empty());
      ASSERT_EQ(drawn[1].size(), drawn[0].size());
      // The same picture and colour at the same place and size (to a
      // twentieth of a pixel or of a matrix element).
      for (size_t i = 0; i < drawn[1].size(); ++i) {
        const SpriteDraw &r = drawn[0][i].sprite, &e = drawn[1][i].sprite;  // resized, expected
        float distance = std::max(std::fabs(r.position.x - e.position.x), std::fabs(r.position.y - e.position.y));
        for (int at = 0; at < 16; ++at)
          distance = std::max(distance, std::fabs(r.transform.m[at / 4][at % 4] - e.transform.m[at / 4][at % 4]));
        EXPECT_TRUE(r.texture == e.texture && r.color == e.color && distance < 0.05f)
            << "sprite " << i << " drawn at " << r.position.x << ", " << r.position.y << " instead of " << e.position.x
            << ", " << e.position.y;
      }
    }
  }
}

// The player drags the window's edge during the game's fade-in, while an egg
// rolls down its chute, and during the fade-out, on the real window and
// OpenGL device: the fade always covers the whole picture, and the egg keeps
// running along the top edge of its drawn chute.
TEST_F(ResizeTest, ResizedMidFadeAndMidGameTheFadeCoversThePictureAndEggsStayOnTheirChutes) {
  CMyD3DApplication app;
  ASSERT_EQ(S_OK, app.Create());
  StartGame(app);
  auto* game = dynamic_cast<CEggGameLoop*>(app.CurrentState());
  ASSERT_NE(nullptr, game);
  uint32_t width = 0, height = 0;
  // Pixels whose darkest channel is below `level`: none under a fade that dark.
  const auto uncovered = [&](uint32_t level) {
    size_t count = 0;
    std::vector<uint32_t> pixels;
    app.Device()->ReadPixels(pixels, width, height);
    for (const uint32_t pixel : pixels)
      count += std::min({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF}) < level;
    return count;
  };
  const auto onChute = [&]() -> CEgg* {
    for (CEgg* egg : game->Eggs())
      if (egg->GetState() == CEgg::kOnChute) return egg;
    return nullptr;
  };
  // The egg as drawn against the picture drawn without it: in the column
  // through the middle of the egg's cell, its lowest pixel lies just above
  // the ledge's top edge (a spinning egg's lowest point rises by up to a
  // tenth of the cell).
  const auto expectOnItsChute = [&] {
    CEgg* egg = onChute();
    ASSERT_NE(nullptr, egg);
    std::vector<uint32_t> drawn[2];
    for (const int32_t visible : {1, 0}) {
      egg->SetVisible(visible);
      app.DrawScene();
      app.Device()->ReadPixels(drawn[visible], width, height);
    }
    egg->SetVisible(1);
    const int column = int(egg->GetPositionX() + 32.0f * float(width) / 1024.0f);
    const float sy = float(height) / 768.0f;
    ASSERT_TRUE(column >= 0 && column < int(width)) << "egg at " << egg->GetPositionX() << " in " << width;
    int eggBottom = -1, ledge = -1;
    for (int y = std::max(0, int(egg->GetPositionY())); y < int(height) && ledge < 0; ++y) {
      const size_t at = size_t(y) * width + size_t(column);
      if (drawn[1][at] != drawn[0][at]) eggBottom = y;
      if (eggBottom >= 0 && (drawn[0][at] & 0xFFFFFF) != 0) ledge = y;
    }
    ASSERT_GE(eggBottom, 0) << "no egg drawn at " << egg->GetPositionX() << ", " << egg->GetPositionY();
    EXPECT_TRUE(eggBottom < ledge + 2 * sy && eggBottom > ledge - 12 * sy)
        << "egg of chute " << egg->GetChute() << " drawn down to row " << eggBottom << ", ledge at row " << ledge
        << " in " << width << " x " << height;
  };

  PlayFrames(app, 3);
  PlayFrames(app, 1, 1600, 1200);
  EXPECT_EQ(0u, uncovered(0xC0)) << "fading in";
  ASSERT_EQ(1600u, width);
  for (int frame = 0; frame < 400 && onChute() == nullptr; ++frame) PlayFrames(app, 1);
  PlayFrames(app, 5);
  expectOnItsChute();
  PlayFrames(app, 1, 1280, 720);  // a wide window: the picture is 960 x 720 between bars
  expectOnItsChute();
  EXPECT_EQ(960u, width);
  PlayFrames(app, 10);
  expectOnItsChute();
  EXPECT_NEAR(448.0f * 960.0f / 1024.0f, game->GetBasket()->GetPositionX(), 0.5f) << "the basket waits in the middle";

  app.HandleEvent(KeyDown(SDLK_ESCAPE));
  PlayFrames(app, 24);
  PlayFrames(app, 1, 1600, 1200);
  EXPECT_EQ(0u, uncovered(0xA0)) << "fading out";
  ASSERT_EQ(1600u, width);
}

// The share of the window's pixels in the rectangle that are not black, as
// the X server shows them.
double Lit(Display* x, Window window, int left, int top, int right, int bottom) {
  XImage* image = XGetImage(x, window, left, top, right - left, bottom - top, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  int lit = 0;
  for (int y = 0; y < bottom - top; ++y) {
    for (int column = 0; column < right - left; ++column) lit += (XGetPixel(image, column, y) & 0xFFFFFF) != 0;
  }
  XDestroyImage(image);
  return double(lit) / double((right - left) * (bottom - top));
}

// The game on a bare X server (Xvfb without a window manager), as on a kiosk
// or an arcade cabinet: nothing applies the full-screen request, so the
// window keeps its first size while SDL reports the desktop's. The fixture's
// desktop records the messages: a real message box would wait for ever.
using BareXServerTest = WindowTest;

TEST_F(BareXServerTest, FullScreenWithoutAWindowManagerShowsTheWholeSceneInTheWindow) {
  // An Xvfb of its own, on the first free display, which it writes once it
  // takes connections; its notices are no test's business.
  ProgramRun server({"-c", "exec Xvfb -displayfd 1 -screen 0 1600x1200x24 -nolisten tcp 2>/dev/null"}, {}, "sh");
  const std::string number = server.ReadAll(30, "\n");
  ASSERT_NE(std::string::npos, number.find('\n')) << "Xvfb did not start";
  const ScopedEnvironment display("DISPLAY", ":" + number.substr(0, number.find('\n')));
  const ScopedEnvironment driver("SDL_VIDEODRIVER", "x11");
  {
    CMyD3DApplication app;
    ASSERT_EQ(S_OK, app.Create());
    ASSERT_EQ(S_OK, app.ToggleFullscreen());
    StartGame(app);
    PlayFrames(app, 40);  // past the fade-in
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(app.Window(), &info));
    Display* x = info.info.x11.display;
    XSync(x, False);
    const Window window = info.info.x11.window;
    XWindowAttributes size;
    ASSERT_TRUE(XGetWindowAttributes(x, window, &size));
    EXPECT_EQ(1000, size.width) << "nothing made the window full screen";
    const int right = size.width, bottom = size.height;
    // The hatchery frames the whole picture: roof, straw, both posts.
    EXPECT_GT(Lit(x, window, 0, 2, right, 12), 0.9) << "roof";
    EXPECT_GT(Lit(x, window, 0, bottom - 12, right, bottom - 2), 0.9) << "straw";
    EXPECT_GT(Lit(x, window, 2, 0, 12, bottom), 0.9) << "left post";
    EXPECT_GT(Lit(x, window, right - 12, 0, right - 2, bottom), 0.9) << "right post";
  }
  EXPECT_TRUE(desktop.messages.empty());
}

// Full screen hides the pointer and holds it in the window. The camera dialog
// shows it (the player chooses with it), a message box frees it (the box may
// lie outside the game's window) and belongs to the game's window, so that
// it opens in front; afterwards the game takes the pointer back. A fatal
// error is shown once, closes the window, releases everything and ends the
// loop; nothing is shown after it.
using ApplicationRunTest = WindowTest;

TEST_F(ApplicationRunTest, InFullScreenThePointerIsTheGamesAgainAfterTheCameraDialogAndAfterAMessage) {
  struct EngineGuard {
    EngineGuard() { captureEngine = std::make_unique<CCaptureEngine>(); }
    ~EngineGuard() { captureEngine.reset(); }
  } engine;
  CMyD3DApplication app;
  app.SetStateFactory([](const StateRequest&) { return std::unique_ptr<CGameLoop>(); });
  app.SetCamera(CameraRequest{"", "", true});
  app.SetCameraDialog([&](CCameraChoice& choice) {
    choice.SelectDevice(static_cast<int32_t>(choice.GetDeviceItems().size()) - 1);  // the test camera
    choice.SelectMode(1000);  // a mode the camera does not have: "Invalid video mode !"
    SDL_Event enter = KeyDown(SDLK_RETURN);
    SDL_PushEvent(&enter);
    return RunCameraDialog(app.Window(), choice);
  });
  ASSERT_EQ(S_OK, app.Create());
  ASSERT_EQ(S_OK, app.ToggleFullscreen());
  SDL_Window* const window = app.Window();
  const auto pointerHeld = [&] {
    return SDL_ShowCursor(SDL_QUERY) == SDL_DISABLE && (SDL_GetWindowFlags(app.Window()) & SDL_WINDOW_MOUSE_GRABBED);
  };
  EXPECT_TRUE(pointerHeld());
  ASSERT_EQ(S_OK, app.InitGame());
  EXPECT_TRUE(pointerHeld()) << "after the camera dialog";
  for (int shown = 0; shown < 2; ++shown) app.ShowError(kErrorMediaNotFound, ErrorKind::Warning);
  EXPECT_TRUE(pointerHeld()) << "after a message";
  EXPECT_EQ(kErrorOutOfVideoMemory, app.ShowError(kErrorOutOfVideoMemory, ErrorKind::Fatal));
  // Only the first fatal error is shown; it silences everything after it.
  EXPECT_EQ(kErrorResetFailed, app.ShowError(kErrorResetFailed, ErrorKind::Fatal));
  app.ShowError(kErrorMediaNotFound, ErrorKind::Warning);
  ASSERT_EQ(4u, desktop.messages.size()) << "the dialog's, two warnings, the first fatal error";
  EXPECT_EQ(MessageIcon::Warning, desktop.messages[2].icon);
  EXPECT_EQ(MessageIcon::Error, desktop.messages[3].icon);
  EXPECT_EQ(ComposeErrorMessage(kErrorOutOfVideoMemory, ErrorKind::Fatal), desktop.messages[3].text);
  for (const RecordingDesktop::Message& message : desktop.messages) {
    EXPECT_EQ(window, message.owner) << message.text;
    EXPECT_TRUE(message.pointerFree) << message.text;
  }
  EXPECT_EQ(nullptr, app.Window());
  EXPECT_EQ(nullptr, app.Device());
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_EQ(nullptr, app.AudioEngine()) << "FinalRelease ran";
  EXPECT_TRUE(app.IsQuitPosted());
  EXPECT_EQ(0, app.Run());
}

}  // namespace
