#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "LayerTest.h"
#include "layers/SpriteLayer.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// Exposes the velocity, which only derived layers set.
class MovingSprite : public CSpriteLayer {
 public:
  void SetVelocity(float x, float y) { velocityX = x, velocityY = y; }
  // Changes the scaling behind the layer's back: only a rebuild of the
  // transform brings it into effect.
  void ChangeScalingQuietly() { scaling = MatrixScaling(5.0f, 5.0f, 1.0f); }
};

// Sprites on a five-cell strip of 32 x 32 cells.
class SpriteLayerTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    ASSERT_TRUE(WritePng(TempPath("strip.png"), Solid(160, 32, 0xFFFFFFFF), 160, 32));
    Strip(sprite);
    Strip(moving);
  }
  void Strip(CSpriteLayer& each) {
    ASSERT_EQ(each.LoadSprite(TempPath("strip.png").c_str(), 0), 1);
    each.SetFrameSize(32, 32);
    each.SetFrames({0, 1, 2, 3, 4});
  }
  CSpriteLayer sprite;
  MovingSprite moving;
};

// One cell a frame once more than 30 ms have passed (however long it was),
// stopping on the last, across the clock's wrap too. A cell list that leaves
// the current index behind keeps the last rectangle; an empty one stops.
TEST_F(SpriteLayerTest, AnimationStepsOneCellPerUpdateAfterMoreThan30Ms) {
  const struct { uint32_t ms, cell; int32_t animating; } steps[] = {
      {30, 0, 1}, {500, 1, 1}, {0, 1, 1}, {31, 2, 1}, {31, 3, 1}, {31, 4, 1}, {31, 4, 0}, {1000, 4, 0}};
  for (const uint32_t start : {kStart, 0xFFFFFFF0u}) {
    SetManualTickCount(start);
    CSpriteLayer strip;
    Strip(strip);
    const int32_t cells[] = {0, 4, 3, 2, 1};  // the source follows the listed cell
    strip.SetFrames({cells, cells + 5});
    strip.StartAnimation();
    for (const auto& step : steps) {
      Advance(step.ms);
      strip.Update();
      EXPECT_TRUE(strip.GetCurrentFrame() == step.cell && strip.IsAnimating() == step.animating &&
                  strip.GetSourceRect().left == cells[step.cell] * 32) << start << " +" << step.ms;
    }
    strip.SetFrames({3, 1});
    strip.SetFrameSize(16, 16);
    strip.SetFrames({});
    strip.StartAnimation();
    Advance(31), strip.Update();
    const PixelRect kept = strip.GetSourceRect();
    EXPECT_TRUE(strip.IsAnimating() == 0 && kept.left == 32 && kept.right == 64 && kept.bottom == 32) << kept.left;
  }
}

// Scaling and turning happen about the pivot: its point stays, the corner moves.
TEST_F(SpriteLayerTest, ScaleAndRotationTurnAboutThePivot) {
  const float position[2] = {100, 200}, pivot[2] = {16, 16}, unit[2] = {1, 1};
  sprite.SetPixelPosition(position);
  sprite.SetPivot(pivot);
  sprite.SetScreenScale(unit);
  const struct { float scale, angle, x, y, toX, toY; } rows[] = {
      {2, 0, 116, 216, 116, 216}, {2, 0, 100, 200, 84, 184}, {2, 0, 132, 232, 148, 248},
      {1, 1.5707964f, 116, 216, 116, 216}, {1, 1.5707964f, 100, 200, 100, 232}};  // counter-clockwise, y down
  for (const auto& row : rows) {
    sprite.SetScale(row.scale, row.scale);
    sprite.SetRotation(row.angle);
    const Vec4 p = Transform(Vec3{row.x, row.y, 0.0f}, sprite.GetTransform());
    EXPECT_TRUE(std::fabs(p.x - row.toX) < 1e-3f && std::fabs(p.y - row.toY) < 1e-3f)
        << row.x << "," << row.y << " went to " << p.x << "," << p.y;
  }
}

// A still sprite keeps its transform (no rebuild a frame); a moving one
// rebuilds it about its new place, and draws its current cell there in its
// colour (each channel rounded and clamped).
TEST_F(SpriteLayerTest, AStillSpriteKeepsItsTransformAMovingOneRebuildsIt) {
  const float position[2] = {10, 20};
  moving.SetPixelPosition(position);
  moving.SetScale(3, 3);
  const Matrix4 before = moving.GetTransform();
  moving.ChangeScalingQuietly();
  moving.Update();
  EXPECT_EQ(std::memcmp(&before, &moving.GetTransform(), sizeof before), 0);
  moving.SetVelocity(2.5f, -1.0f);
  moving.SetFrames({2});
  moving.SetColor(1.2f, 0.5f, 0.0f, -1.0f);
  EXPECT_EQ(moving.GetColor(), 0x00FF8000u);
  moving.SetColor(0.1f, 0.998f, 1.0f, 0.25f);  // 25.5 + .5 -> 26, 254.49 + .5 -> 254, 63.75 + .5 -> 64
  for (int frame = 0; frame < 2; ++frame) moving.Update();
  ASSERT_TRUE(moving.Render(&device) == 1 && device.sprites.size() == 1);
  const SpriteDraw& drawn = device.sprites[0].sprite;
  EXPECT_TRUE(drawn.position.x == 15.0f && drawn.position.y == 18.0f && drawn.position.z == CSpriteLayer::kSpriteDepth);
  EXPECT_TRUE(drawn.source.left == 64 && drawn.source.right == 96 && drawn.texture != nullptr && drawn.color == 0x401AFEFFu);
  const Vec4 next = Transform(Vec3{16, 19, 0}, drawn.transform);  // the new scaling about (15, 18)
  EXPECT_TRUE(std::fabs(next.x - 20.0f) < 1e-3f && std::fabs(next.y - 23.0f) < 1e-3f) << next.x << "," << next.y;
  moving.SetVisible(0);
  CSpriteLayer missing;
  EXPECT_TRUE(missing.LoadSprite(TempPath("missing.png").c_str(), 0) == 0 && moving.Render(&device) + missing.Render(&device) == 1 &&
              device.sprites.size() == 1);
}

}  // namespace
