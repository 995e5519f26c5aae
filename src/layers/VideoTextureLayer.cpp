#include "layers/VideoTextureLayer.h"

std::unique_ptr<RenderTexture> cameraTexture;
CameraTextureFormat cameraTextureFormat = CameraTextureFormat::None;

uint32_t CameraTextureSize(uint32_t pictureSize, bool powerOfTwo) {
  if (!powerOfTwo) return pictureSize;
  uint32_t size = 2;
  while (size < pictureSize && size < 0x80000000u) size *= 2;
  return size;
}

namespace {
// The unit quad widened by 0.005 on every side; strip order top-left,
// bottom-left, top-right, bottom-right.
constexpr float kLeft = -0.005f, kRight = 1.005f, kTop = 0.005f, kBottom = -1.005f;
}  // namespace

CVideoTextureLayer::CVideoTextureLayer() {
  vertices[0] = {kLeft, kTop, 1.0f, 0xFFFFFFFF, 0.0f, 0.0f};
  vertices[1] = {kLeft, kBottom, 1.0f, 0xFFFFFFFF, 0.0f, 1.0f};
  vertices[2] = {kRight, kTop, 1.0f, 0xFFFFFFFF, 1.0f, 0.0f};
  vertices[3] = {kRight, kBottom, 1.0f, 0xFFFFFFFF, 1.0f, 1.0f};
}

// u runs from uMax at the left edge to 0 at the right (the mirror); v from
// vMax at the top to 0 at the bottom, because the texture holds the picture
// bottom row first.
void CVideoTextureLayer::SetTexCoords(float uMax, float vMax) {
  vertices[0].u = uMax;
  vertices[0].v = vMax;
  vertices[1].u = uMax;
  vertices[1].v = 0.0f;
  vertices[2].u = 0.0f;
  vertices[2].v = vMax;
  vertices[3].u = 0.0f;
  vertices[3].v = 0.0f;
}

int32_t CVideoTextureLayer::Render(RenderDevice* device) {
  if (!device) return 1;
  stateBlock.Capture(*device);
  device->SetTransform(TransformKind::World, world);
  RenderStates states = device->GetStates();
  states.linearFilter = true;
  states.lighting = false;
  device->SetStates(states);
  device->SetTexture(cameraTexture.get());
  device->DrawTriangleStrip(vertices, 4);
  device->SetTexture(nullptr);
  stateBlock.Apply(*device);
  return 1;
}
