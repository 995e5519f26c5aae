#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "capture/CameraChoice.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/SyntheticCamera.h"
#include "render/GlRenderDevice.h"
#include "render/PngWriter.h"
#include "support/RecordingDesktop.h"

namespace {

// A hidden game window with its GL device, and a choice over test cameras.
class CameraDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    window = SDL_CreateWindow("dialog test", 0, 0, 1000, 750, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    device = GlRenderDevice::Create(window);
    ASSERT_NE(device, nullptr);
    d3dDevice = device.get();
    engine.Init(window);
    engine.GetImageCapture()->SetSystemCamerasListed(false);
    choice = std::make_unique<CCameraChoice>(engine);
  }
  // Opens the dialog's choice over that many test cameras.
  void OpenWithCameras(int count) {
    for (int i = 0; i < count; ++i)
      engine.GetImageCapture()->AddExtraSource("Test camera " + std::to_string(i + 1),
                                               std::make_shared<CSyntheticCamera>());
    choice->Open();
  }
  void TearDown() override {
    choice.reset();
    d3dDevice = nullptr;
    device.reset();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // A key pressed and let go, as the keyboard sends it.
  static void PressKey(SDL_Scancode key, Uint16 modifiers = KMOD_NONE) {
    for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
      SDL_Event event = {};
      event.type = type;
      event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.scancode = key;
      event.key.keysym.sym = SDL_GetKeyFromScancode(key);
      event.key.keysym.mod = modifiers;
      SDL_PushEvent(&event);
    }
  }

  // Runs the dialog until it closes; a dialog the keys left open is closed
  // as the window would be, so a test that fails ends.
  bool RunDialog() {
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const bool ok = RunCameraDialog(window, *choice);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    return ok;
  }

  // Dialog pixels that are neither black nor the same as the corner.
  size_t DrawnPixels() {
    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    if (!device->ReadPixels(pixels, width, height)) return 0;
    WritePng("camera_dialog.png", pixels, width, height);
    size_t drawn = 0;
    for (uint32_t pixel : pixels) drawn += (pixel & 0xFFFFFF) != 0;
    return drawn;
  }

  RecordingDesktop desktop;
  SDL_Window* window = nullptr;
  std::unique_ptr<GlRenderDevice> device;
  CCaptureEngine engine;
  std::unique_ptr<CCameraChoice> choice;
};

}  // namespace

TEST_F(CameraDialogTest, EnterNeedsADeviceAndEscapeCancels) {
  OpenWithCameras(2);
  PressKey(SDL_SCANCODE_RETURN);
  PressKey(SDL_SCANCODE_ESCAPE);
  EXPECT_FALSE(RunDialog());
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Wybierz kamerę");
  EXPECT_GT(DrawnPixels(), 10000u);
}

TEST_F(CameraDialogTest, TheOnlyCameraIsChosenAsTheDialogOpens) {
  OpenWithCameras(1);
  EXPECT_EQ(choice->GetDeviceSelection(), 1);
  PressKey(SDL_SCANCODE_RETURN);
  EXPECT_TRUE(RunDialog());
  EXPECT_TRUE(desktop.messages.empty());
}

// A player without a mouse: Tab to a list, Space or Enter opens it, the
// arrows walk it, Space or Enter picks; the arrows also move between the
// buttons.
TEST_F(CameraDialogTest, KeyboardAlonePicksCameraAndMode) {
  OpenWithCameras(2);
  for (const SDL_Scancode key : {SDL_SCANCODE_TAB, SDL_SCANCODE_SPACE, SDL_SCANCODE_DOWN, SDL_SCANCODE_DOWN,
                                 SDL_SCANCODE_RETURN,                                        // the second camera
                                 SDL_SCANCODE_TAB, SDL_SCANCODE_RETURN, SDL_SCANCODE_DOWN,   // its mode list
                                 SDL_SCANCODE_DOWN, SDL_SCANCODE_SPACE,                      // its second mode
                                 SDL_SCANCODE_TAB, SDL_SCANCODE_TAB, SDL_SCANCODE_LEFT,      // OK, Cancel, OK
                                 SDL_SCANCODE_SPACE})
    PressKey(key);
  EXPECT_TRUE(RunDialog());
  EXPECT_EQ(choice->GetDeviceSelection(), 2);
  EXPECT_EQ(choice->GetModeSelection(), 2);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_GT(DrawnPixels(), 10000u);

  choice->Open();
  PressKey(SDL_SCANCODE_TAB);
  PressKey(SDL_SCANCODE_TAB, KMOD_LSHIFT);  // backwards from the device list: Cancel
  PressKey(SDL_SCANCODE_LEFT);              // OK
  PressKey(SDL_SCANCODE_RETURN);
  EXPECT_TRUE(RunDialog());
  EXPECT_TRUE(desktop.messages.empty());
}
