#include <gtest/gtest.h>

#include <memory>

#include "CaptureDriver.h"
#include "capture/CaptureEngine.h"
#include "capture/SyntheticCamera.h"
#include "layers/VideoTextureLayer.h"
#include "render/PngWriter.h"
#include "support/OffscreenScene.h"
#include "support/RecordingDevice.h"

namespace {

class PowerOfTwoDevice : public RecordingDevice {
 public:
  bool RequiresPowerOfTwoTextures() const override { return true; }
};

// The layer as the engine makes it for a 320 x 240 camera on `device`.
std::vector<Vertex> DrawnQuad(RecordingDevice& device) {
  d3dDevice = &device;
  CCaptureEngine engine;
  engine.Init(nullptr);
  CImageCapture& capture = *engine.GetImageCapture();
  CVideoMode mode(320, 240, 32);
  capture.SetVideoMode(&mode);  // no device: only records the mode
  engine.SetScreenRect(0, 0, 1000, 750);
  engine.Start();
  engine.GetVideoLayer()->Render(&device);
  d3dDevice = nullptr;
  return device.strips.empty() ? std::vector<Vertex>{} : device.strips.back().vertices;
}

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

// The quad shows exactly the picture's part of the camera texture (a power
// of two texture is larger than the picture), mirrored left to right, and
// upright although the texture holds the picture's bottom row first.
TEST(VideoTextureLayer, QuadShowsThePicturesPartMirroredAndUpright) {
  RecordingDevice plain;
  PowerOfTwoDevice powerOfTwo;
  const struct {
    RecordingDevice* device;
    float right, top;  // texture coordinates of the picture's right edge and top row
  } rows[] = {{&plain, 1, 1}, {&powerOfTwo, 320.0f / 512, 240.0f / 256}};
  for (const auto& row : rows) {
    const std::vector<Vertex> quad = DrawnQuad(*row.device);
    ASSERT_EQ(quad.size(), 4u);
    for (const Vertex& vertex : quad) {
      EXPECT_FLOAT_EQ(vertex.u, vertex.x < 0.5f ? row.right : 0) << vertex.x << "," << vertex.y;
      EXPECT_FLOAT_EQ(vertex.v, vertex.y > -0.5f ? row.top : 0) << vertex.x << "," << vertex.y;
    }
  }
  const struct {
    uint32_t size;
    bool powerOfTwo;
    uint32_t textureSize;
  } sizes[] = {{320, true, 512}, {240, true, 256}, {256, true, 256}, {1, true, 2}, {320, false, 320}};
  for (const auto& size : sizes)
    EXPECT_EQ(CameraTextureSize(size.size, size.powerOfTwo), size.textureSize) << size.size << " " << size.powerOfTwo;
}

TEST(VideoTextureLayer, DrawsTheCameraTextureAndPutsTheStatesBack) {
  RecordingDevice device;
  RenderStates before = device.GetStates();
  before.linearFilter = false;
  before.lighting = true;
  device.SetStates(before);
  CVideoTextureLayer layer;
  EXPECT_EQ(layer.Render(&device), 1);  // no camera texture: drawn untextured
  EXPECT_EQ(device.strips.back().texture, nullptr);
  cameraTexture = device.CreateTexture(4, 4, nullptr);
  layer.Render(&device);
  EXPECT_EQ(device.strips.back().texture, cameraTexture.get());
  EXPECT_TRUE(device.strips.back().states.linearFilter);
  EXPECT_FALSE(device.strips.back().states.lighting);
  EXPECT_EQ(device.texture, nullptr);
  EXPECT_EQ(device.GetStates(), before);
  cameraTexture.reset();
}


// The camera picture fills the whole window, mirrored left to right and upright;
// the frame is written to video_layer.png for a look.
TEST(VideoLayerScreenshot, SceneIsMirroredAndUpright) {
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  CCaptureEngine engine;
  engine.Init(nullptr);
  CImageCapture& capture = *engine.GetImageCapture();
  ASSERT_TRUE(Attach(capture, std::make_shared<CSyntheticCamera>(MarkedScene())));
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(320, 240, 32)));
  const Viewport viewport = scene.Device().GetViewport();
  engine.SetScreenRect(0, 0, static_cast<int32_t>(viewport.width), static_cast<int32_t>(viewport.height));
  ASSERT_TRUE(engine.Start());
  ASSERT_TRUE(WaitFor([] { return cameraTexture != nullptr; }, 3000, [&] { engine.Update(); }));

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
  // The picture reaches every edge of the window.
  for (const float x : {0.005f, 0.995f})
    for (const float y : {0.005f, 0.995f}) EXPECT_NE(at(x, y) & 0xFFFFFF, 0u) << x << "," << y;
  engine.Shutdown();
}
