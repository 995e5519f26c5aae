#include <gtest/gtest.h>

#include "capture/CaptureEngine.h"
#include "layers/VideoTextureLayer.h"
#include "support/RecordingDevice.h"

namespace {

class PowerOfTwoDevice : public RecordingDevice {
 public:
  bool RequiresPowerOfTwoTextures() const override { return true; }
};

struct Corner {
  float x, y, u, v;
};

void ExpectQuad(const Vertex* vertices, const Corner (&expected)[4]) {
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(vertices[i].x, expected[i].x) << "vertex " << i;
    EXPECT_FLOAT_EQ(vertices[i].y, expected[i].y) << "vertex " << i;
    EXPECT_FLOAT_EQ(vertices[i].u, expected[i].u) << "vertex " << i;
    EXPECT_FLOAT_EQ(vertices[i].v, expected[i].v) << "vertex " << i;
    EXPECT_FLOAT_EQ(vertices[i].z, 1.0f);
    EXPECT_EQ(vertices[i].diffuse, 0xFFFFFFFFu);
  }
}

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

}  // namespace

TEST(VideoTextureLayer, UnmirroredUntilTexCoordsAreSet) {
  RecordingDevice device;
  CVideoTextureLayer layer;
  layer.Render(&device);
  ASSERT_EQ(device.strips.size(), 1u);
  ExpectQuad(device.strips[0].vertices.data(),
             {{-0.005f, 0.005f, 0, 0}, {-0.005f, -1.005f, 0, 1}, {1.005f, 0.005f, 1, 0}, {1.005f, -1.005f, 1, 1}});
}

TEST(VideoTextureLayer, PowerOfTwoDeviceShowsOnlyThePicturesPart) {
  PowerOfTwoDevice device;
  const std::vector<Vertex> quad = DrawnQuad(device);
  ASSERT_EQ(quad.size(), 4u);
  ExpectQuad(quad.data(), {{-0.005f, 0.005f, 0.625f, 0.9375f},
                           {-0.005f, -1.005f, 0.625f, 0},
                           {1.005f, 0.005f, 0, 0.9375f},
                           {1.005f, -1.005f, 0, 0}});
  EXPECT_EQ(CameraTextureSize(320, true), 512u);
  EXPECT_EQ(CameraTextureSize(240, true), 256u);
  EXPECT_EQ(CameraTextureSize(1, true), 2u);
  EXPECT_EQ(CameraTextureSize(256, true), 256u);
}

TEST(VideoTextureLayer, DeviceWithoutTheLimitUsesTheWholeTexture) {
  RecordingDevice device;
  const std::vector<Vertex> quad = DrawnQuad(device);
  ASSERT_EQ(quad.size(), 4u);
  ExpectQuad(quad.data(),
             {{-0.005f, 0.005f, 1, 1}, {-0.005f, -1.005f, 1, 0}, {1.005f, 0.005f, 0, 1}, {1.005f, -1.005f, 0, 0}});
  EXPECT_EQ(CameraTextureSize(320, false), 320u);
}

TEST(VideoTextureLayer, FitWidthFillsTheWindow) {
  CVideoTextureLayer layer;
  layer.FitWidth(0.75f);
  const Vec4 topLeft = Transform({0, 0, 1}, layer.GetWorld());
  const Vec4 bottomRight = Transform({1, -1, 1}, layer.GetWorld());
  EXPECT_FLOAT_EQ(topLeft.x, -6.0f);
  EXPECT_FLOAT_EQ(topLeft.y, 4.5f);
  EXPECT_FLOAT_EQ(bottomRight.x, 6.0f);
  EXPECT_FLOAT_EQ(bottomRight.y, -4.5f);
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
