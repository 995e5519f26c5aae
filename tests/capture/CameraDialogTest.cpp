#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "CaptureDriver.h"
#include "capture/CameraChoice.h"
#include "capture/CameraDialog.h"
#include "capture/SyntheticCamera.h"
#include "render/PngWriter.h"
#include "support/OffscreenScene.h"

namespace {

// The game's hidden window with its GL device, and the dialog's choice over
// test cameras.
class CameraDialogTest : public ::testing::Test {
 protected:
  void OpenWithCameras(int count) {
    for (int i = 0; i < count; ++i)
      start.Add("Test camera " + std::to_string(i + 1), std::make_shared<CSyntheticCamera>());
    choice = std::make_unique<CCameraChoice>(start.engine);
    choice->Open();
  }

  // Presses and lets go of `keys` (with their modifiers) in order, then runs
  // the dialog until it closes; a dialog the keys left open is closed as the
  // window would be, so a test that fails ends. Writes what was drawn to
  // camera_dialog.png.
  bool RunDialog(std::initializer_list<std::pair<SDL_Scancode, Uint16>> keys) {
    for (const auto& [code, modifiers] : keys)
      for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event event = {};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym = {code, SDL_GetKeyFromScancode(code), modifiers, 0};
        SDL_PushEvent(&event);
      }
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const bool ok = RunCameraDialog(SDL_GL_GetCurrentWindow(), *choice);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    scene.EndFrame();
    WritePng("camera_dialog.png", scene.pixels, scene.width, scene.height);
    drawn = 0;
    for (const uint32_t pixel : scene.pixels) drawn += (pixel & 0xFFFFFF) != 0;
    return ok;
  }

  OffscreenScene scene;
  StartUp start;
  std::unique_ptr<CCameraChoice> choice;
  size_t drawn = 0;  // pixels the dialog drew (not black)
};

constexpr Uint16 kNone = KMOD_NONE;

}  // namespace

TEST_F(CameraDialogTest, TheOnlyCameraIsChosenAsTheDialogOpens) {
  ASSERT_TRUE(scene.Ok());
  OpenWithCameras(1);
  EXPECT_EQ(choice->GetDeviceSelection(), 1);
  EXPECT_TRUE(RunDialog({{SDL_SCANCODE_RETURN, kNone}}));
  EXPECT_TRUE(start.desktop.messages.empty());
}

// A player without a mouse: Enter and Escape are OK and Cancel; Tab to a
// list, Space or Enter opens it, the arrows walk it, Space or Enter picks;
// the arrows also move between the buttons.
TEST_F(CameraDialogTest, KeyboardAlonePicksCameraAndMode) {
  ASSERT_TRUE(scene.Ok());
  OpenWithCameras(2);
  // OK needs a camera first.
  EXPECT_FALSE(RunDialog({{SDL_SCANCODE_RETURN, kNone}, {SDL_SCANCODE_ESCAPE, kNone}}));
  ASSERT_EQ(start.desktop.messages.size(), 1u);
  EXPECT_EQ(start.desktop.messages[0].text, "Wybierz kamerę");
  EXPECT_GT(drawn, 10000u);
  choice->Open();
  const std::pair<SDL_Scancode, Uint16> tab{SDL_SCANCODE_TAB, kNone}, down{SDL_SCANCODE_DOWN, kNone},
      space{SDL_SCANCODE_SPACE, kNone}, enter{SDL_SCANCODE_RETURN, kNone}, left{SDL_SCANCODE_LEFT, kNone};
  EXPECT_TRUE(RunDialog({tab, space, down, down, enter,  // the second camera
                         tab, enter, down, down, space,  // its second mode
                         tab, tab, left, space}));       // OK, Cancel, OK
  EXPECT_EQ(choice->GetDeviceSelection(), 2);
  EXPECT_EQ(choice->GetModeSelection(), 2);
  choice->Open();
  // Backwards from the device list to Cancel, then left to OK.
  EXPECT_TRUE(RunDialog({tab, {SDL_SCANCODE_TAB, KMOD_LSHIFT}, left, enter}));
  EXPECT_EQ(start.desktop.messages.size(), 1u);
}
