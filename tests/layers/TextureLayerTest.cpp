#include <gtest/gtest.h>

#include "support/TestPictures.h"
#include "render/Texture.h"
#include "layers/TextureLayer.h"
#include "support/RecordingDevice.h"

using namespace testpictures;

namespace {

class TextureLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d3dDevice = &device;
    ASSERT_TRUE(WritePng(TempPath("back.png"), Solid(1024, 768, 0xFF204060), 1024, 768));
    device.states.lighting = true;
    device.states.alphaBlend = true;
    device.states.srcBlend = BlendFactor::SrcAlpha;
    device.states.destBlend = BlendFactor::InvSrcAlpha;
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    d3dDevice = nullptr;
  }
  RecordingDevice device;
};

void ExpectPoint(const Matrix4& world, float x, float y, float expectedX, float expectedY) {
  const Vec4 p = Transform(Vec3{x, y, 1.0f}, world);
  EXPECT_NEAR(p.x, expectedX, 1e-4f);
  EXPECT_NEAR(p.y, expectedY, 1e-4f);
}

TEST_F(TextureLayerTest, FullScreenPictureIsATwelveUnitQuadFromTheTopLeft) {
  CTextureLayer layer(TempPath("back.png").c_str(), 0, 1024, 768);
  ASSERT_EQ(layer.Render(&device), 1);
  ASSERT_EQ(device.strips.size(), 1u);
  const RecordingDevice::StripDraw& strip = device.strips[0];
  ASSERT_EQ(strip.vertices.size(), 4u);
  const float expected[4][4] = {
      {-0.005f, 0.005f, 0, 0}, {1.005f, 0.005f, 1, 0}, {-0.005f, -1.007f, 0, 1}, {1.005f, -1.007f, 1, 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(strip.vertices[i].x, expected[i][0]);
    EXPECT_FLOAT_EQ(strip.vertices[i].y, expected[i][1]);
    EXPECT_FLOAT_EQ(strip.vertices[i].z, 1.0f);
    EXPECT_EQ(strip.vertices[i].diffuse, 0xFFFFFFFFu);
    EXPECT_EQ(strip.vertices[i].u, expected[i][2]);
    EXPECT_EQ(strip.vertices[i].v, expected[i][3]);
  }
  // The 1024 x 1024 texture spans 12 x 12 units from (-6, 4.5): its picture
  // rows end at y -4.5, the bottom of the window.
  ExpectPoint(strip.world, 0, 0, -6.0f, 4.5f);
  ExpectPoint(strip.world, 1, -1, 6.0f, -7.5f);
  ExpectPoint(strip.world, 1, -0.75f, 6.0f, -4.5f);
  EXPECT_FALSE(strip.states.lighting);
  EXPECT_NE(strip.texture, nullptr);
  EXPECT_TRUE(device.states.lighting);
  EXPECT_EQ(device.texture, nullptr);
}

TEST_F(TextureLayerTest, SmallerPictureKeepsItsPixelScale) {
  ASSERT_TRUE(WritePng(TempPath("small.png"), Solid(256, 128, 0xFF000000), 256, 128));
  CTextureLayer layer(TempPath("small.png").c_str(), 0, 256, 128);
  // 256 pixels * 3/256 = 3 units wide, 128 / 64 = 2 units high, top at 6 * 0.5.
  ExpectPoint(layer.GetWorld(), 0, 0, -6.0f, 3.0f);
  ExpectPoint(layer.GetWorld(), 1, -1, -3.0f, 1.0f);
}

TEST_F(TextureLayerTest, FitWidthSpansTheWindowWidth) {
  CTextureLayer layer(TempPath("back.png").c_str(), 0, 1024, 768);
  layer.FitWidth(0.75f);
  ExpectPoint(layer.GetWorld(), 0, 0, -6.0f, 4.5f);
  ExpectPoint(layer.GetWorld(), 1, -1, 6.0f, -4.5f);
}

TEST_F(TextureLayerTest, ColourBlendDrawsWithColourFactorsAndRestoresStates) {
  CTextureLayer layer(TempPath("back.png").c_str(), 0, 1024, 768);
  layer.SetColorBlend(1);
  const RenderStates before = device.states;
  ASSERT_EQ(layer.Render(&device), 1);
  ASSERT_EQ(device.strips.size(), 1u);
  const RenderStates& drawn = device.strips[0].states;
  EXPECT_TRUE(drawn.alphaBlend);
  EXPECT_EQ(drawn.srcBlend, BlendFactor::SrcColor);
  EXPECT_EQ(drawn.destBlend, BlendFactor::DestColor);
  EXPECT_FALSE(drawn.lighting);
  EXPECT_EQ(device.states, before);
}

TEST_F(TextureLayerTest, MissingPictureDrawsNothingEveryFrame) {
  CTextureLayer layer(TempPath("not-there.png").c_str(), 0, 1024, 768);
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_EQ(layer.Render(&device), 0);
  }
  EXPECT_TRUE(device.calls.empty());
}

TEST_F(TextureLayerTest, InvisibleTextureLayerStillDraws) {
  CTextureLayer layer(TempPath("back.png").c_str(), 0, 1024, 768);
  layer.SetVisible(0);
  EXPECT_EQ(layer.IsVisible(), 0);
  EXPECT_EQ(layer.Render(&device), 1);
  EXPECT_EQ(device.strips.size(), 1u);
}

}  // namespace
