#include "render/SceneSetUp.h"

namespace {

// A white light at `position`; its direction is that of `position` too.
Light MakeLight(LightType type, const Vec3& position) {
  Light light;
  light.type = type;
  light.diffuse = {1.0f, 1.0f, 1.0f, 0.0f};
  light.position = position;
  light.direction = Normalize(position);
  light.range = 1000.0f;
  light.enabled = true;
  return light;
}

}  // namespace

void SetUpScene(RenderDevice& device, uint32_t width, uint32_t height) {
  RenderStates states;
  states.alphaBlend = true;
  states.srcBlend = BlendFactor::SrcAlpha;
  states.destBlend = BlendFactor::InvSrcAlpha;
  states.alphaTest = true;
  states.alphaRef = 0x10;
  states.depthTest = true;
  states.lighting = true;
  states.linearFilter = true;
  states.ambient = 0x80808080;
  device.SetStates(states);

  device.SetLight(0, MakeLight(LightType::Directional, Vec3{0.0f, -10.0f, 10.0f}));
  device.SetLight(1, MakeLight(LightType::Point, Vec3{10.0f, -10.0f, 10.0f}));

  const float aspect = width > 0 && height > 0 ? static_cast<float>(width) / static_cast<float>(height) : 4.0f / 3.0f;
  device.SetTransform(TransformKind::World, MatrixIdentity());
  device.SetTransform(TransformKind::View,
                      MatrixLookAtLH(Vec3{0.0f, 0.0f, -10.0f}, Vec3{0.0f, 0.0f, 0.0f}, Vec3{0.0f, 1.0f, 0.0f}));
  device.SetTransform(TransformKind::Projection, MatrixPerspectiveFovLH(0.7853982f, aspect, 1.0f, 100.0f));
}
