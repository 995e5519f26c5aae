#include "layers/SpriteLayer.h"

#include "base/Clock.h"

namespace {

// 0..1 to 0..255, rounded, clamped at both ends.
uint32_t ChannelByte(float c) {
  if (c >= 1.0f) {
    return 255;
  }
  if (c <= 0.0f) {
    return 0;
  }
  return uint32_t(c * 255.0f + 0.5f);
}

// Viewport pixels per virtual 1024 x 768 unit.
float ScreenScaleX(uint32_t viewportWidth) { return float(viewportWidth) * 0.0009765625f; }
float ScreenScaleY(uint32_t viewportHeight) { return float(viewportHeight) * 0.0013020834f; }

}  // namespace

CSpriteLayer::CSpriteLayer() { SetRotation(0.0f); }

int32_t CSpriteLayer::LoadSprite(const char* fileName, uint32_t colorKey) {
  sprite = std::make_unique<SpriteDraw>();
  sprite->transform = transform;
  if (!Load(fileName, colorKey)) {
    return 0;
  }
  frameWidth = texture->Width();
  frameHeight = texture->Height();
  UpdateSourceRect();
  if (d3dDevice == nullptr) {
    return 0;
  }
  const Viewport viewport = d3dDevice->GetViewport();
  viewportWidth = viewport.width;
  viewportHeight = viewport.height;
  // Drawn at the screen's scale, like everything behind it: a picture made
  // for 1024 x 768 keeps its place in the scene at any viewport size.
  const float scale[2] = {ScreenScaleX(viewport.width), ScreenScaleY(viewport.height)};
  SetScreenScale(scale);
  RebuildTransform();
  return 1;
}

void CSpriteLayer::SetViewportSize(uint32_t width, uint32_t height) {
  if (viewportWidth == 0 || viewportHeight == 0 || width == 0 || height == 0 ||
      (width == viewportWidth && height == viewportHeight)) {
    return;
  }
  const float fx = float(width) / float(viewportWidth);
  const float fy = float(height) / float(viewportHeight);
  viewportWidth = width;
  viewportHeight = height;
  positionX *= fx;
  positionY *= fy;
  pivotX *= fx;
  pivotY *= fy;
  velocityX *= fx;
  velocityY *= fy;
  drawPosition = {positionX, positionY, kSpriteDepth};
  const float scale[2] = {ScreenScaleX(width), ScreenScaleY(height)};
  SetScreenScale(scale);
  ScaleViewportPixels(fx, fy);
  RebuildTransform();
}

void CSpriteLayer::ScaleViewportPixels(float, float) {}

void CSpriteLayer::SetRotation(float newAngle) {
  angle = newAngle;
  rotation = MatrixRotationZ(-newAngle);
  RebuildTransform();
}

void CSpriteLayer::SetPosition(const float xy[2]) {
  const float pixels[2] = {xy[0] * screenScaleX, xy[1] * screenScaleY};
  SetPixelPosition(pixels);
}

void CSpriteLayer::SetPixelPosition(const float xy[2]) {
  positionX = xy[0];
  positionY = xy[1];
  drawPosition = {positionX, positionY, kSpriteDepth};
  RebuildTransform();
}

void CSpriteLayer::SetPivot(const float xy[2]) {
  pivotX = xy[0];
  pivotY = xy[1];
  RebuildTransform();
}

void CSpriteLayer::SetScale(float sx, float sy) {
  userScaleX = sx;
  userScaleY = sy;
  scaling = MatrixScaling(sx * screenScaleX, sy * screenScaleY, 1.0f);
  RebuildTransform();
}

void CSpriteLayer::SetScreenScale(const float xy[2]) {
  screenScaleX = xy[0];
  screenScaleY = xy[1];
  scaling = MatrixScaling(userScaleX * screenScaleX, userScaleY * screenScaleY, 1.0f);
}

void CSpriteLayer::SetColor(float r, float g, float b, float a) {
  color = (ChannelByte(a) << 24) | (ChannelByte(r) << 16) | (ChannelByte(g) << 8) | ChannelByte(b);
}

void CSpriteLayer::SetFrameSize(uint32_t width, uint32_t height) {
  frameWidth = width;
  frameHeight = height;
  UpdateSourceRect();
}

void CSpriteLayer::SetFrames(const std::vector<int32_t>& cells) {
  frames = cells;
  UpdateSourceRect();
}

void CSpriteLayer::StartAnimation() {
  animating = 1;
  lastFrameTick = TickCount();
}

void CSpriteLayer::Update() {
  if (velocityX != 0.0f || velocityY != 0.0f) {
    positionX += velocityX;
    positionY += velocityY;
    drawPosition = {positionX, positionY, kSpriteDepth};
    RebuildTransform();
  }
  const uint32_t now = TickCount();
  if (animating && now - lastFrameTick > frameDelayMs) {
    // At most one cell per call, however long the gap; an empty cell list
    // simply stops.
    if (currentFrame + 1 < frames.size()) {
      ++currentFrame;
    } else {
      animating = 0;
    }
    UpdateSourceRect();
    lastFrameTick = now;
  }
}

int32_t CSpriteLayer::Render(RenderDevice* device) {
  if (!visible) {
    return 1;
  }
  return DrawCell(device, drawPosition);
}

void CSpriteLayer::RebuildTransform() {
  // The cell grows to its size on screen about its top-left corner, which
  // stays at the position; the user's scale and the rotation act about the
  // pivot. With a screen scale of 1, or no pivot, this is scaling and
  // rotation about the pivot: T(-c) x scaling x rotation x T(c).
  const float cx = pivotX + positionX;
  const float cy = pivotY + positionY;
  transform = MatrixTranslation(-positionX, -positionY, 0.0f) * scaling *
              MatrixTranslation(-userScaleX * pivotX, -userScaleY * pivotY, 0.0f) * rotation *
              MatrixTranslation(cx, cy, 0.0f);
  if (sprite) {
    sprite->transform = transform;
  }
}

void CSpriteLayer::UpdateSourceRect() {
  if (currentFrame < frames.size()) {
    const int32_t cellLeft = frames[currentFrame] * int32_t(frameWidth);
    sourceRect = {cellLeft, 0, cellLeft + int32_t(frameWidth), int32_t(frameHeight)};
  }
}

int32_t CSpriteLayer::DrawCell(RenderDevice* device, const Vec3& position) {
  RenderTexture* picture = texture ? texture->GetTexture() : nullptr;
  if (device == nullptr || !sprite || picture == nullptr) {
    return 0;
  }
  sprite->texture = picture;
  sprite->source = sourceRect;
  sprite->center = center;
  sprite->position = position;
  sprite->color = color;
  device->DrawSprite(*sprite);
  return 1;
}
