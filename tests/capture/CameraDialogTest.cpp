#include <SDL.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

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
  }
  void TearDown() override {
    choice.reset();
    d3dDevice = nullptr;
    device.reset();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  // Opens the dialog's choice over that many test cameras.
  void OpenWithCameras(int count) {
    for (int i = 0; i < count; ++i)
      engine.GetImageCapture()->AddExtraSource("Test camera " + std::to_string(i + 1),
                                               std::make_shared<CSyntheticCamera>());
    choice = std::make_unique<CCameraChoice>(engine);
    choice->Open();
  }

  struct Key {
    SDL_Scancode code;
    Uint16 modifiers = KMOD_NONE;
  };
  // Presses and lets go of `keys` in order, then runs the dialog until it
  // closes; a dialog the keys left open is closed as the window would be, so
  // a test that fails ends. Writes what was drawn to camera_dialog.png.
  bool RunDialog(std::initializer_list<Key> keys) {
    for (const Key& key : keys)
      for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event event = {};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym = {key.code, SDL_GetKeyFromScancode(key.code), key.modifiers, 0};
        SDL_PushEvent(&event);
      }
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const bool ok = RunCameraDialog(window, *choice);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    uint32_t width = 0, height = 0;
    drawn = 0;
    if (device->ReadPixels(pixels, width, height)) WritePng("camera_dialog.png", pixels, width, height);
    for (const uint32_t pixel : pixels) drawn += (pixel & 0xFFFFFF) != 0;
    return ok;
  }

  RecordingDesktop desktop;
  SDL_Window* window = nullptr;
  std::unique_ptr<GlRenderDevice> device;
  CCaptureEngine engine;
  std::unique_ptr<CCameraChoice> choice;
  std::vector<uint32_t> pixels;
  size_t drawn = 0;  // pixels the dialog drew (not black)
};

}  // namespace

TEST_F(CameraDialogTest, TheOnlyCameraIsChosenAsTheDialogOpens) {
  OpenWithCameras(1);
  EXPECT_EQ(choice->GetDeviceSelection(), 1);
  EXPECT_TRUE(RunDialog({{SDL_SCANCODE_RETURN}}));
  EXPECT_TRUE(desktop.messages.empty());
}

// A player without a mouse: Enter and Escape are OK and Cancel; Tab to a
// list, Space or Enter opens it, the arrows walk it, Space or Enter picks;
// the arrows also move between the buttons.
TEST_F(CameraDialogTest, KeyboardAlonePicksCameraAndMode) {
  OpenWithCameras(2);
  EXPECT_FALSE(RunDialog({{SDL_SCANCODE_RETURN}, {SDL_SCANCODE_ESCAPE}}));  // OK needs a camera first
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Wybierz kamerę");
  EXPECT_GT(drawn, 10000u);
  choice->Open();
  EXPECT_TRUE(RunDialog({{SDL_SCANCODE_TAB}, {SDL_SCANCODE_SPACE}, {SDL_SCANCODE_DOWN}, {SDL_SCANCODE_DOWN},
                         {SDL_SCANCODE_RETURN},                                           // the second camera
                         {SDL_SCANCODE_TAB}, {SDL_SCANCODE_RETURN}, {SDL_SCANCODE_DOWN},  // its mode list
                         {SDL_SCANCODE_DOWN}, {SDL_SCANCODE_SPACE},                       // its second mode
                         {SDL_SCANCODE_TAB}, {SDL_SCANCODE_TAB}, {SDL_SCANCODE_LEFT},     // OK, Cancel, OK
                         {SDL_SCANCODE_SPACE}}));
  EXPECT_EQ(choice->GetDeviceSelection(), 2);
  EXPECT_EQ(choice->GetModeSelection(), 2);
  choice->Open();
  // Backwards from the device list to Cancel, then left to OK.
  EXPECT_TRUE(RunDialog(
      {{SDL_SCANCODE_TAB}, {SDL_SCANCODE_TAB, KMOD_LSHIFT}, {SDL_SCANCODE_LEFT}, {SDL_SCANCODE_RETURN}}));
  EXPECT_EQ(desktop.messages.size(), 1u);
}
