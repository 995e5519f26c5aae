#include "layers/TextureLayer.h"

CTextureLayer::CTextureLayer() = default;

CTextureLayer::CTextureLayer(const char* fileName, uint32_t colorKey, float pictureWidthPixels,
                             float pictureHeightPixels)
    : pictureWidth(pictureWidthPixels), pictureHeight(pictureHeightPixels) {
  aspect = pictureWidth != 0.0f ? pictureHeight / pictureWidth : 0.0f;
  Load(fileName, colorKey);
  BuildQuad();
  PlaceBySize();
}

void CTextureLayer::Update() {}

int32_t CTextureLayer::Render(RenderDevice* device) {
  return DrawQuad(device, texture ? texture->GetTexture() : nullptr);
}

void CTextureLayer::BuildQuad() {
  // Widened a little beyond the unit square so that quads placed edge to edge
  // (and the picture's border texels) leave no gap.
  const float x0 = -0.005f, x1 = 1.005f, y0 = 0.005f, y1 = -1.007f;
  vertices[0] = {x0, y0, 1.0f, 0xFFFFFFFF, 0.0f, 0.0f};
  vertices[1] = {x1, y0, 1.0f, 0xFFFFFFFF, 1.0f, 0.0f};
  vertices[2] = {x0, y1, 1.0f, 0xFFFFFFFF, 0.0f, 1.0f};
  vertices[3] = {x1, y1, 1.0f, 0xFFFFFFFF, 1.0f, 1.0f};
}

void CTextureLayer::PlaceBySize() {
  world = MatrixScaling(pictureWidth * unitsPerPixelX, pictureHeight * unitsPerPixelY, 1.0f) *
          MatrixTranslation(left, aspect * top, depth);
}

void CTextureLayer::FitWidth(float textureAspect) {
  world = MatrixScaling(12.0f, 12.0f * textureAspect, 1.0f) * MatrixTranslation(left, textureAspect * top, 0.0f);
}

void CTextureLayer::SetColorBlend(int32_t on) { colorBlend = on; }

int32_t CTextureLayer::DrawQuad(RenderDevice* device, RenderTexture* picture) {
  if (device == nullptr || picture == nullptr) {
    return 0;
  }
  RenderStates states = device->GetStates();
  states.lighting = false;
  device->SetStates(states);
  device->SetTransform(TransformKind::World, world);
  if (colorBlend) {
    stateBlock.Capture(*device);
    states.alphaBlend = true;
    states.srcBlend = BlendFactor::SrcColor;
    states.destBlend = BlendFactor::DestColor;
    device->SetStates(states);
  }
  device->SetTexture(picture);
  device->DrawTriangleStrip(vertices, 4);
  if (colorBlend) {
    stateBlock.Apply(*device);
  }
  device->SetTexture(nullptr);
  RenderStates after = device->GetStates();
  after.lighting = true;
  device->SetStates(after);
  return 1;
}
