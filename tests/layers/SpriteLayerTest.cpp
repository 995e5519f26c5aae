#include <gtest/gtest.h>

#include <cstring>

#include "support/TestPictures.h"
#include "layers/SpriteLayer.h"
#include "render/Texture.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

using namespace testpictures;

namespace {

// Exposes the velocity, which only derived layers set.
class MovingSprite : public CSpriteLayer {
 public:
  void SetVelocity(float x, float y) {
    velocityX = x;
    velocityY = y;
  }
  // Changes the scaling behind the layer's back: only a rebuild of the
  // transform brings it into effect.
  void ChangeScalingQuietly() { scaling = MatrixScaling(5.0f, 5.0f, 1.0f); }
};

class SpriteLayerTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    d3dDevice = &device;
    // A five-cell strip of 32 x 32 cells: 160 x 32 pixels, texture 256 x 32.
    ASSERT_TRUE(WritePng(TempPath("strip.png"), Solid(160, 32, 0xFFFFFFFF), 160, 32));
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    d3dDevice = nullptr;
    ManualClockTest::TearDown();
  }
  void LoadStrip(CSpriteLayer& sprite) {
    ASSERT_EQ(sprite.LoadSprite(TempPath("strip.png").c_str(), 0), 1);
    sprite.SetFrameSize(32, 32);
    sprite.SetFrames({0, 1, 2, 3, 4});
  }
  RecordingDevice device;
};

Vec4 Apply(const Matrix4& m, float x, float y) { return Transform(Vec3{x, y, 0.0f}, m); }

TEST_F(SpriteLayerTest, LoadTakesTextureSizeAndScreenScale) {
  CSpriteLayer sprite;
  ASSERT_EQ(sprite.LoadSprite(TempPath("strip.png").c_str(), 0), 1);
  EXPECT_EQ(sprite.GetFrameWidth(), 256u);
  EXPECT_EQ(sprite.GetFrameHeight(), 32u);
  const PixelRect whole = sprite.GetSourceRect();
  EXPECT_EQ(whole.right, 256);
  EXPECT_EQ(whole.bottom, 32);
  EXPECT_NEAR(sprite.GetScreenScaleX(), 1000.0f / 1024.0f, 1e-6f);
  EXPECT_NEAR(sprite.GetScreenScaleY(), 750.0f / 768.0f, 1e-6f);
  // The screen scale converts positions and the drawn size alike.
  const float xy[2] = {512, 384};
  sprite.SetPosition(xy);
  EXPECT_NEAR(sprite.GetPositionX(), 500.0f, 1e-3f);
  EXPECT_NEAR(sprite.GetPositionY(), 375.0f, 1e-3f);
  const Vec4 corner = Apply(sprite.GetTransform(), 500 + 256, 375 + 32);
  EXPECT_NEAR(corner.x, 500.0f + 250.0f, 1e-3f);
  EXPECT_NEAR(corner.y, 375.0f + 31.25f, 1e-3f);
  CSpriteLayer failed;
  EXPECT_EQ(failed.LoadSprite(TempPath("missing.png").c_str(), 0), 0);
  EXPECT_EQ(failed.Render(&device), 0);
}

TEST_F(SpriteLayerTest, AnimationAdvancesOneCellPerUpdateAfterMoreThan30Ms) {
  CSpriteLayer sprite;
  LoadStrip(sprite);
  sprite.StartAnimation();
  Advance(30);
  sprite.Update();
  EXPECT_EQ(sprite.GetCurrentFrame(), 0u);  // exactly 30 ms is not enough
  Advance(500);
  sprite.Update();
  EXPECT_EQ(sprite.GetCurrentFrame(), 1u);  // a long gap still moves one cell
  sprite.Update();
  EXPECT_EQ(sprite.GetCurrentFrame(), 1u);  // the clock restarted at the step
  EXPECT_EQ(sprite.GetSourceRect().left, 32);
  for (uint32_t cell = 2; cell <= 4; ++cell) {
    Advance(31);
    sprite.Update();
    EXPECT_EQ(sprite.GetCurrentFrame(), cell);
    EXPECT_EQ(sprite.GetSourceRect().left, int32_t(cell * 32));
    EXPECT_EQ(sprite.GetSourceRect().right, int32_t(cell * 32 + 32));
  }
  EXPECT_EQ(sprite.IsAnimating(), 1);
  Advance(31);
  sprite.Update();
  EXPECT_EQ(sprite.IsAnimating(), 0);
  EXPECT_EQ(sprite.GetCurrentFrame(), 4u);
  Advance(1000);
  sprite.Update();
  EXPECT_EQ(sprite.GetCurrentFrame(), 4u);
  EXPECT_EQ(sprite.GetSourceRect().left, 128);
}

TEST_F(SpriteLayerTest, AnimationSurvivesClockWrapAndEmptyCellList) {
  SetManualTickCount(0xFFFFFFF0u);
  CSpriteLayer sprite;
  LoadStrip(sprite);
  sprite.StartAnimation();
  Advance(31);  // wraps past zero
  sprite.Update();
  EXPECT_EQ(sprite.GetCurrentFrame(), 1u);
  const PixelRect before = sprite.GetSourceRect();
  sprite.SetFrames({});
  Advance(31);
  sprite.Update();
  EXPECT_EQ(sprite.IsAnimating(), 0);
  EXPECT_EQ(sprite.GetCurrentFrame(), 1u);
  EXPECT_EQ(sprite.GetSourceRect().left, before.left);
}

TEST_F(SpriteLayerTest, SourceRectFollowsCellsOnlyWithinTheList) {
  CSpriteLayer sprite;
  LoadStrip(sprite);
  sprite.SetFrames({3});
  EXPECT_EQ(sprite.GetSourceRect().left, 96);
  sprite.SetFrames({2, 3, 1});
  sprite.StartAnimation();
  Advance(31);
  sprite.Update();
  Advance(31);
  sprite.Update();
  ASSERT_EQ(sprite.GetCurrentFrame(), 2u);
  EXPECT_EQ(sprite.GetSourceRect().left, 32);  // cell 1
  sprite.SetFrames({0});                        // index 2 no longer exists
  sprite.SetFrameSize(16, 16);
  const PixelRect kept = sprite.GetSourceRect();
  EXPECT_EQ(kept.left, 32);
  EXPECT_EQ(kept.right, 64);
  EXPECT_EQ(kept.bottom, 32);
}

TEST_F(SpriteLayerTest, SetColorRoundsAndClampsEachChannel) {
  CSpriteLayer sprite;
  sprite.SetColor(1.2f, 0.5f, 0.0f, -1.0f);
  EXPECT_EQ(sprite.GetColor(), 0x00FF8000u);
  sprite.SetColor(0.1f, 0.998f, 1.0f, 0.25f);
  // 25.5 + .5 -> 26, 254.49 + .5 -> 254, 63.75 + .5 -> 64
  EXPECT_EQ(sprite.GetColor(), 0x401AFEFFu);
}

TEST_F(SpriteLayerTest, ScalingAboutTheCellCentreGrowsInEveryDirection) {
  CSpriteLayer sprite;
  LoadStrip(sprite);
  const float position[2] = {100, 200};
  const float pivot[2] = {16, 16};
  sprite.SetPixelPosition(position);
  sprite.SetPivot(pivot);
  const float unit[2] = {1, 1};
  sprite.SetScreenScale(unit);
  sprite.SetScale(2, 2);
  const Vec4 topLeft = Apply(sprite.GetTransform(), 100, 200);
  const Vec4 centre = Apply(sprite.GetTransform(), 116, 216);
  const Vec4 bottomRight = Apply(sprite.GetTransform(), 132, 232);
  EXPECT_NEAR(centre.x, 116.0f, 1e-3f);
  EXPECT_NEAR(centre.y, 216.0f, 1e-3f);
  EXPECT_NEAR(topLeft.x, 84.0f, 1e-3f);
  EXPECT_NEAR(topLeft.y, 184.0f, 1e-3f);
  EXPECT_NEAR(bottomRight.x, 148.0f, 1e-3f);
  EXPECT_NEAR(bottomRight.y, 248.0f, 1e-3f);
  // A positive quarter turn about the same centre is counter-clockwise on
  // screen (y down): the top-left corner goes to the bottom left.
  sprite.SetScale(1, 1);
  sprite.SetRotation(1.5707964f);
  const Vec4 turned = Apply(sprite.GetTransform(), 100, 200);
  EXPECT_NEAR(turned.x, 100.0f, 1e-3f);
  EXPECT_NEAR(turned.y, 232.0f, 1e-3f);
}

TEST_F(SpriteLayerTest, VelocityMovesPerUpdateAndStillSpriteKeepsItsTransform) {
  MovingSprite sprite;
  LoadStrip(sprite);
  const float position[2] = {10, 20};
  sprite.SetPixelPosition(position);
  sprite.SetScale(3, 3);
  const Matrix4 before = sprite.GetTransform();
  sprite.ChangeScalingQuietly();
  sprite.Update();
  EXPECT_EQ(std::memcmp(&before, &sprite.GetTransform(), sizeof before), 0);
  sprite.SetVelocity(2.5f, -1.0f);
  sprite.Update();
  sprite.Update();
  EXPECT_FLOAT_EQ(sprite.GetPositionX(), 15.0f);
  EXPECT_FLOAT_EQ(sprite.GetPositionY(), 18.0f);
  ASSERT_EQ(sprite.Render(&device), 1);
  ASSERT_EQ(device.sprites.size(), 1u);
  EXPECT_FLOAT_EQ(device.sprites[0].sprite.position.x, 15.0f);
  EXPECT_FLOAT_EQ(device.sprites[0].sprite.position.z, CSpriteLayer::kSpriteDepth);
  // Moving rebuilt the transform about the new position, with the new scaling.
  const Vec4 corner = Transform(Vec3{15, 18, 0}, device.sprites[0].sprite.transform);
  EXPECT_NEAR(corner.x, 15.0f, 1e-3f);
  EXPECT_NEAR(corner.y, 18.0f, 1e-3f);
  const Vec4 next = Transform(Vec3{16, 19, 0}, device.sprites[0].sprite.transform);
  EXPECT_NEAR(next.x, 20.0f, 1e-3f);
  EXPECT_NEAR(next.y, 23.0f, 1e-3f);
}

TEST_F(SpriteLayerTest, RenderDrawsTheCurrentCellUnlessInvisible) {
  CSpriteLayer sprite;
  LoadStrip(sprite);
  sprite.SetFrames({2});
  sprite.SetColor(1, 0, 0, 0.5f);
  ASSERT_EQ(sprite.Render(&device), 1);
  ASSERT_EQ(device.sprites.size(), 1u);
  const SpriteDraw& drawn = device.sprites[0].sprite;
  EXPECT_EQ(drawn.source.left, 64);
  EXPECT_EQ(drawn.source.right, 96);
  EXPECT_EQ(drawn.color, 0x80FF0000u);
  EXPECT_NE(drawn.texture, nullptr);
  sprite.SetVisible(0);
  EXPECT_EQ(sprite.Render(&device), 1);
  EXPECT_EQ(device.sprites.size(), 1u);
}

}  // namespace
