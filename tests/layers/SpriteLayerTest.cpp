#include <gtest/gtest.h>

#include <cmath>

#include "LayerTest.h"
#include "layers/SpriteLayer.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// A sprite on a five-cell strip of 32 x 32 cells; the velocity, which only
// derived layers set, exposed.
class StripSprite : public CSpriteLayer {
 public:
  StripSprite() {
    EXPECT_TRUE(WritePng(TempPath("strip.png"), Solid(160, 32, 0xFFFFFFFF), 160, 32) &&
                LoadSprite(TempPath("strip.png").c_str(), 0) == 1);
    SetFrameSize(32, 32);
  }
  void SetVelocity(float x, float y) { velocityX = x, velocityY = y; }
};
using SpriteLayerTest = LayerTest;

// One cell a frame once more than 30 ms have passed (however long it was),
// stopping on the last, here across the clock's wrap; an empty cell list stops it.
TEST_F(SpriteLayerTest, AnimationStepsOneCellPerUpdateAfterMoreThan30Ms) {
  const struct { uint32_t ms, cell; int32_t animating; } steps[] = {
      {30, 0, 1}, {500, 1, 1}, {0, 1, 1}, {31, 2, 1}, {31, 3, 1}, {31, 4, 1}, {31, 4, 0}, {1000, 4, 0}};
  SetManualTickCount(0xFFFFFFF0u);
  StripSprite strip;
  const int32_t cells[] = {0, 4, 3, 2, 1};  // the source follows the listed cell
  strip.SetFrames({cells, cells + 5});
  strip.StartAnimation();
  for (const auto& step : steps) {
    Advance(step.ms);
    strip.Update();
    EXPECT_TRUE(strip.GetCurrentFrame() == step.cell && strip.IsAnimating() == step.animating &&
                strip.GetSourceRect().left == cells[step.cell] * 32) << "+" << step.ms;
  }
  strip.SetFrames({});
  strip.StartAnimation();
  Advance(31), strip.Update();
  EXPECT_TRUE(strip.IsAnimating() == 0 && strip.Render(&device) == 1);
}

// Scaling and turning happen about the pivot, also once the sprite has moved:
// its point stays, the corner moves (counter-clockwise, y down). The current
// cell is drawn at the new place in the sprite's colour (each channel
// rounded and clamped); a hidden sprite draws nothing.
TEST_F(SpriteLayerTest, ScaleAndRotationTurnAboutThePivotAndTheCellIsDrawnInItsColour) {
  StripSprite sprite;
  const float position[2] = {100, 200}, pivot[2] = {16, 16}, unit[2] = {1, 1};
  sprite.SetPixelPosition(position);
  sprite.SetPivot(pivot);
  sprite.SetScreenScale(unit);
  sprite.SetVelocity(2.5f, -1.0f);
  const struct { float scale, angle, x, y, toX, toY; } rows[] = {
      {2, 0, 116, 216, 116, 216}, {2, 0, 100, 200, 84, 184}, {1, 1.5707964f, 100, 200, 100, 232},
      {2, 0, 121, 214, 121, 214}};  // after two frames' moving
  for (const auto& row : rows) {
    sprite.SetScale(row.scale, row.scale);
    sprite.SetRotation(row.angle);
    if (row.x == 121) sprite.Update(), sprite.Update();
    const Vec4 p = Transform(Vec3{row.x, row.y, 0.0f}, sprite.GetTransform());
    EXPECT_TRUE(std::fabs(p.x - row.toX) < 1e-3f && std::fabs(p.y - row.toY) < 1e-3f)
        << row.x << "," << row.y << " went to " << p.x << "," << p.y;
  }
  sprite.SetFrames({2});
  sprite.SetColor(1.2f, 0.5f, 0.0f, -1.0f);
  EXPECT_EQ(sprite.GetColor(), 0x00FF8000u);
  sprite.SetColor(0.1f, 0.998f, 1.0f, 0.25f);  // 25.5 + .5 -> 26, 254.49 + .5 -> 254, 63.75 + .5 -> 64
  ASSERT_TRUE(sprite.Render(&device) == 1 && device.sprites.size() == 1);
  const SpriteDraw& drawn = device.sprites[0].sprite;
  EXPECT_TRUE(drawn.position.x == 105.0f && drawn.position.y == 198.0f && drawn.source.left == 64 &&
              drawn.source.right == 96 && drawn.texture != nullptr && drawn.color == 0x401AFEFFu);
  sprite.SetVisible(0);
  EXPECT_TRUE(sprite.Render(&device) == 1 && device.sprites.size() == 1);
}

}  // namespace
