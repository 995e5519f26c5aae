#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "layers/BitmapLayer.h"
#include "render/Matrix.h"
#include "render/RenderDevice.h"

// One picture, or one cell of a horizontal strip of cells, drawn in screen
// space. Positions given to SetPosition are virtual 1024 x 768 units, y down,
// converted to viewport pixels by the screen scale; everything stored is in
// viewport pixels. Frame thread only.
class CSpriteLayer : public CBitmapLayer {
 public:
  // Depth of every sprite: just in front of the background quads, behind the 3D text.
  static constexpr float kSpriteDepth = 0.9181f;

  CSpriteLayer();

  // Velocity, then one step of the cell animation (see the .cpp).
  void Update() override;
  // Nothing drawn (result 1) while invisible; 0 without a loaded picture.
  int32_t Render(RenderDevice* device) override;

  virtual void SetRotation(float angle);  // radians, counter-clockwise on screen (y down)
  // Loads the picture (cell size = texture size) and takes the screen scale
  // from the viewport of `d3dDevice`; the picture is drawn at that scale
  // (times SetScale's). 1 on success, 0 on failure.
  virtual int32_t LoadSprite(const char* fileName, uint32_t colorKey);
  // Converts position, pivot, velocity and screen scale from the viewport
  // they were made for (the one LoadSprite read) to the new one, then lets
  // derived layers convert theirs (ScaleViewportPixels).
  void SetViewportSize(uint32_t width, uint32_t height) override;

  void SetPosition(const float xy[2]);       // virtual units
  void SetPixelPosition(const float xy[2]);  // viewport pixels
  void SetPivot(const float xy[2]);          // pixels from the top-left corner, as drawn
  void SetScale(float sx, float sy);
  void SetScreenScale(const float xy[2]);    // pixels per virtual unit
  // Channels 0..1 (clamped) to the ARGB modulation colour.
  void SetColor(float r, float g, float b, float a);
  void SetFrameSize(uint32_t width, uint32_t height);  // cell size in texels
  void SetFrames(const std::vector<int32_t>& cells);   // cells to show, in order
  // Plays the cells once from the current one, one per more than frameDelayMs.
  void StartAnimation();

  // Read-only views for owners and tests.
  float GetPositionX() const { return positionX; }
  float GetPositionY() const { return positionY; }
  uint32_t GetColor() const { return color; }
  uint32_t GetCurrentFrame() const { return currentFrame; }
  int32_t IsAnimating() const { return animating; }
  const PixelRect& GetSourceRect() const { return sourceRect; }
  const Matrix4& GetTransform() const { return transform; }
  float GetScreenScaleX() const { return screenScaleX; }
  float GetScreenScaleY() const { return screenScaleY; }
  uint32_t GetFrameWidth() const { return frameWidth; }
  uint32_t GetFrameHeight() const { return frameHeight; }

 protected:
  // The cell at the screen scale with its top-left corner at the position,
  // scaled by the user's factors and turned about c = position + pivot.
  void RebuildTransform();
  // sourceRect := the cell frames[currentFrame], when that index exists.
  void UpdateSourceRect();
  // Draws the current cell at `position` with `color` in one sprite batch.
  int32_t DrawCell(RenderDevice* device, const Vec3& position);
  // After SetViewportSize converted the sprite's own values: derived layers
  // multiply the viewport pixels they keep by `fx`, `fy` (new size over old).
  virtual void ScaleViewportPixels(float fx, float fy);

  Matrix4 transform = MatrixIdentity();
  Matrix4 rotation = MatrixIdentity();
  Matrix4 scaling = MatrixIdentity();
  uint32_t currentFrame = 0;
  int32_t animating = 0;
  PixelRect sourceRect;
  uint32_t color = 0xFFFFFFFF;
  Vec3 center;
  Vec3 drawPosition{0.0f, 0.0f, kSpriteDepth};
  float velocityX = 0.0f, velocityY = 0.0f;  // pixels per frame
  // The sprite batch description; null until LoadSprite.
  std::unique_ptr<SpriteDraw> sprite;
  std::vector<int32_t> frames{0};
  uint32_t frameDelayMs = 30;
  uint32_t lastFrameTick = 0;
  uint32_t frameWidth = 0, frameHeight = 0;
  float angle = 0.0f;
  float screenScaleX = 1.0f, screenScaleY = 1.0f;
  float userScaleX = 1.0f, userScaleY = 1.0f;
  float pivotX = 0.0f, pivotY = 0.0f;
  float positionX = 0.0f, positionY = 0.0f;
  // The viewport the pixel values above are for; 0 x 0 before LoadSprite read one.
  uint32_t viewportWidth = 0, viewportHeight = 0;
};
