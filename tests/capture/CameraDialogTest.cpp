#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "capture/CameraChoice.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/SyntheticCamera.h"
#include "layers/GlRenderDevice.h"
#include "layers/PngWriter.h"
#include "support/RecordingDesktop.h"

namespace {

// A hidden game window with its GL device, and a choice over the test camera.
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
    engine.GetImageCapture()->AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>());
    choice = std::make_unique<CCameraChoice>(engine);
    choice->Open();
  }
  void TearDown() override {
    choice.reset();
    d3dDevice = nullptr;
    device.reset();
    if (window) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  static void PushKey(SDL_Keycode key) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
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
  PushKey(SDLK_RETURN);
  PushKey(SDLK_ESCAPE);
  EXPECT_FALSE(RunCameraDialog(window, *choice));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Wybierz kamerę");
  EXPECT_GT(DrawnPixels(), 10000u);
}

TEST_F(CameraDialogTest, EnterClosesWithOkOnceADeviceIsAttached) {
  choice->SelectDevice(1);
  choice->SelectMode(2);
  PushKey(SDLK_RETURN);
  EXPECT_TRUE(RunCameraDialog(window, *choice));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_GT(DrawnPixels(), 10000u);
}
