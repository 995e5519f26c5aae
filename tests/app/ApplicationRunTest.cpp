#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>

#include "state/GameLoop.h"
#include "app/MyD3DApplication.h"
#include "capture/CameraChoice.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/StartupCameraChoice.h"
#include "render/PictureLoader.h"
#include "support/RecordingDesktop.h"

// The application on a real window and OpenGL device (SDL's offscreen driver).
namespace {

std::unique_ptr<CGameLoop> NoState(const StateRequest&) { return nullptr; }

void PushKey(SDL_Keycode key) {
  SDL_Event event = {};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  SDL_PushEvent(&event);
}

TEST(ApplicationRunTest, AHeadlessRunDrawsItsFramesAtThePaceAndWritesTheLastOne) {
  RecordingDesktop desktop;
  const std::string file = ::testing::TempDir() + "zestbox_app_run.png";
  std::remove(file.c_str());
  {
    CMyD3DApplication app;
    app.SetStateFactory(NoState);
    app.SetFrameLimit(3, file);
    ASSERT_EQ(S_OK, app.Create());
    EXPECT_NE(nullptr, app.Window());
    EXPECT_EQ(app.Device(), d3dDevice);
    EXPECT_EQ(1000u, app.BackBufferWidth());
    EXPECT_EQ(750u, app.BackBufferHeight());
    ASSERT_EQ(S_OK, app.InitGame());
    EXPECT_TRUE(app.IsActive());
    const uint32_t start = SDL_GetTicks();
    EXPECT_EQ(0, app.Run());
    EXPECT_GE(SDL_GetTicks() - start, 2 * CMyD3DApplication::kFrameInterval);
    EXPECT_EQ(3u, app.FramesPresented());
  }
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_TRUE(desktop.messages.empty());
  Picture shot;
  ASSERT_TRUE(LoadPicture(file, 0, shot));
  EXPECT_EQ(1000u, shot.pictureWidth);
  EXPECT_EQ(750u, shot.pictureHeight);
  EXPECT_EQ(0xFF000000u, shot.texels[375 * shot.width + 500]) << "no state: a black frame";
  std::remove(file.c_str());
}

TEST(ApplicationRunTest, AFatalErrorClosesTheWindowAndEndsTheLoop) {
  RecordingDesktop desktop;
  CMyD3DApplication app;
  app.SetStateFactory(NoState);
  ASSERT_EQ(S_OK, app.Create());
  app.ShowError(kErrorResetFailed, ErrorKind::Fatal);
  EXPECT_EQ(1u, desktop.messages.size());
  EXPECT_EQ(nullptr, app.Window());
  EXPECT_EQ(nullptr, app.Device());
  EXPECT_EQ(nullptr, d3dDevice);
  EXPECT_EQ(nullptr, app.AudioEngine()) << "FinalRelease ran";
  EXPECT_TRUE(app.IsQuitPosted());
  EXPECT_EQ(0, app.Run());
}

// Full screen hides the pointer and holds it in the window. The camera dialog
// shows it (the player chooses with it), a message box frees it (the box may
// lie outside the game's window) and belongs to the game's window, so that
// it opens in front; afterwards the game takes the pointer back.
TEST(ApplicationRunTest, InFullScreenThePointerIsTheGamesAgainAfterTheCameraDialogAndAfterAMessage) {
  RecordingDesktop desktop;
  struct EngineGuard {
    EngineGuard() { captureEngine = std::make_unique<CCaptureEngine>(); }
    ~EngineGuard() { captureEngine.reset(); }
  } engine;
  CMyD3DApplication app;
  app.SetStateFactory(NoState);
  app.SetCamera(CameraRequest{"", "", true});
  app.SetCameraDialog([&](CCameraChoice& choice) {
    choice.SelectDevice(static_cast<int32_t>(choice.GetDeviceItems().size()) - 1);  // the test camera
    choice.SelectMode(1000);  // a mode the camera does not have: "Invalid video mode !"
    PushKey(SDLK_RETURN);
    return RunCameraDialog(app.Window(), choice);
  });
  ASSERT_EQ(S_OK, app.Create());
  ASSERT_EQ(S_OK, app.ToggleFullscreen());
  const auto pointerHeld = [&] {
    return SDL_ShowCursor(SDL_QUERY) == SDL_DISABLE && (SDL_GetWindowFlags(app.Window()) & SDL_WINDOW_MOUSE_GRABBED);
  };
  EXPECT_TRUE(pointerHeld());
  ASSERT_EQ(S_OK, app.InitGame());
  EXPECT_TRUE(pointerHeld()) << "after the camera dialog";
  app.ShowError(kErrorMediaNotFound, ErrorKind::Warning);
  EXPECT_TRUE(pointerHeld()) << "after a message";
  ASSERT_EQ(2u, desktop.messages.size());
  for (const RecordingDesktop::Message& message : desktop.messages) {
    EXPECT_EQ(app.Window(), message.owner) << message.text;
    EXPECT_TRUE(message.pointerFree) << message.text;
  }
}

}  // namespace
