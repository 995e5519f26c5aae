#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "capture/CaptureEngine.h"
#include "capture/SyntheticCamera.h"
#include "support/OffscreenScene.h"
#include "render/PngWriter.h"

namespace {

// Red still near the picture's top-left, green near its bottom-right.
CSyntheticScene MarkedScene() {
  SceneBlob red{0xFF0000, 0.12f, {{0, 0.2f, 0.25f}}};
  SceneBlob green{0x00FF00, 0.1f, {{0, 0.8f, 0.8f}}};
  return CSyntheticScene({red, green}, 0);
}

bool IsMostly(uint32_t argb, int channel) {
  const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  const int value[3] = {r, g, b};
  return value[channel] > 200 && value[(channel + 1) % 3] < 60 && value[(channel + 2) % 3] < 60;
}

}  // namespace

// The camera picture fills the window mirrored left to right and upright;
// the frame is written to video_layer.png for a look.
TEST(VideoLayerScreenshot, SceneIsMirroredAndUpright) {
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  CCaptureEngine engine;
  engine.Init(nullptr);
  CImageCapture& capture = *engine.GetImageCapture();
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>(MarkedScene()));
  ASSERT_TRUE(capture.EnumerateDevices());
  ASSERT_TRUE(capture.CreateFilters());
  ASSERT_TRUE(capture.SetCaptureDevice(0));
  ASSERT_TRUE(capture.EnumDeviceCaps());
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(320, 240, 32)));
  const Viewport viewport = scene.Device().GetViewport();
  engine.SetScreenRect(0, 0, static_cast<int32_t>(viewport.width), static_cast<int32_t>(viewport.height));
  ASSERT_TRUE(engine.Start());
  for (int i = 0; i < 300 && !cameraTexture; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    engine.Update();
  }
  ASSERT_NE(cameraTexture, nullptr);

  scene.BeginFrame();
  engine.GetVideoLayer()->Render(&scene.Device());
  scene.EndFrame();
  WritePng("video_layer.png", scene.pixels, scene.width, scene.height);
  const auto at = [&](float x, float y) {
    return scene.At(static_cast<uint32_t>(x * static_cast<float>(scene.width)),
                    static_cast<uint32_t>(y * static_cast<float>(scene.height)));
  };
  EXPECT_TRUE(IsMostly(at(0.8f, 0.25f), 0)) << std::hex << at(0.8f, 0.25f);
  EXPECT_TRUE(IsMostly(at(0.2f, 0.8f), 1)) << std::hex << at(0.2f, 0.8f);
  EXPECT_FALSE(IsMostly(at(0.2f, 0.25f), 0));
  EXPECT_FALSE(IsMostly(at(0.8f, 0.75f), 0));
  EXPECT_FALSE(IsMostly(at(0.8f, 0.8f), 1));
  engine.Shutdown();
}
