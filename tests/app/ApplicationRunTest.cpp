#include <gtest/gtest.h>

#include <SDL.h>

#include <memory>
#include <string>

#include "state/GameLoop.h"
#include "app/MyD3DApplication.h"
#include "capture/CameraChoice.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/StartupCameraChoice.h"
#include "support/KeyEvent.h"
#include "support/RecordingDesktop.h"

// The application on a real window and OpenGL device (SDL's offscreen driver).
namespace {

// Full screen hides the pointer and holds it in the window. The camera dialog
// shows it (the player chooses with it), a message box frees it (the box may
// lie outside the game's window) and belongs to the game's window, so that
// it opens in front; afterwards the game takes the pointer back. A fatal
// error is shown once, closes the window, releases everything and ends the
// loop; nothing is shown after it.
TEST(ApplicationRunTest, InFullScreenThePointerIsTheGamesAgainAfterTheCameraDialogAndAfterAMessage) {
  RecordingDesktop desktop;
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
