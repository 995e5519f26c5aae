#include "RecordingDevice.h"

#include <algorithm>

RecordedTexture::RecordedTexture(uint32_t width, uint32_t height, const uint32_t* pixels)
    : width_(width), height_(height), texels_(size_t(width) * height, 0u) {
  if (pixels != nullptr) {
    std::copy(pixels, pixels + texels_.size(), texels_.begin());
  }
}

void RecordedTexture::Update(uint32_t x, uint32_t y, uint32_t width, uint32_t height, const uint32_t* pixels,
                             uint32_t pitch) {
  ++updates;
  for (uint32_t row = 0; row < height && y + row < height_; ++row) {
    for (uint32_t column = 0; column < width && x + column < width_; ++column) {
      texels_[(y + row) * width_ + x + column] = pixels[row * pitch + column];
    }
  }
}

RecordingDevice::RecordingDevice() {
  viewport.width = 1000;
  viewport.height = 750;
}

void RecordingDevice::Clear(uint32_t color, float) {
  calls.push_back("Clear");
  clearColor = color;
}

bool RecordingDevice::BeginScene() {
  calls.push_back("BeginScene");
  return true;
}

void RecordingDevice::EndScene() { calls.push_back("EndScene"); }

bool RecordingDevice::Present() {
  calls.push_back("Present");
  return true;
}

void RecordingDevice::SetStates(const RenderStates& newStates) {
  calls.push_back("SetStates");
  states = newStates;
}

void RecordingDevice::SetTransform(TransformKind kind, const Matrix4& matrix) {
  calls.push_back("SetTransform");
  switch (kind) {
    case TransformKind::World: world = matrix; break;
    case TransformKind::View: view = matrix; break;
    case TransformKind::Projection: projection = matrix; break;
  }
}

const Matrix4& RecordingDevice::GetTransform(TransformKind kind) const {
  switch (kind) {
    case TransformKind::View: return view;
    case TransformKind::Projection: return projection;
    default: return world;
  }
}

void RecordingDevice::SetLight(uint32_t index, const Light& light) {
  calls.push_back("SetLight");
  if (index < 2) {
    lights[index] = light;
  }
}

void RecordingDevice::SetMaterial(const Material& newMaterial) {
  calls.push_back("SetMaterial");
  material = newMaterial;
}

std::unique_ptr<RenderTexture> RecordingDevice::CreateTexture(uint32_t width, uint32_t height,
                                                              const uint32_t* pixels) {
  calls.push_back("CreateTexture");
  if (failTextureCreation) {
    return nullptr;
  }
  ++texturesCreated;
  return std::make_unique<RecordedTexture>(width, height, pixels);
}

std::unique_ptr<RenderMesh> RecordingDevice::CreateMesh(const std::vector<MeshVertex>& vertices,
                                                        const std::vector<uint32_t>& indices) {
  calls.push_back("CreateMesh");
  return std::make_unique<RecordedMesh>(vertices, indices);
}

void RecordingDevice::SetTexture(RenderTexture* newTexture) {
  calls.push_back("SetTexture");
  texture = newTexture;
}

void RecordingDevice::DrawTriangleStrip(const Vertex* vertices, uint32_t count) {
  calls.push_back("DrawTriangleStrip");
  strips.push_back({texture, std::vector<Vertex>(vertices, vertices + count), world, states});
}

void RecordingDevice::DrawMesh(const RenderMesh& mesh) {
  calls.push_back("DrawMesh");
  meshes.push_back({&mesh, texture, world, material, states});
}

void RecordingDevice::DrawSprite(const SpriteDraw& sprite) {
  calls.push_back("DrawSprite");
  sprites.push_back({sprite, states});
}

bool RecordingDevice::ReadPixels(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) {
  width = viewport.width;
  height = viewport.height;
  pixels.assign(size_t(width) * height, clearColor | 0xFF000000u);
  return true;
}

void RecordingDevice::ClearRecords() {
  calls.clear();
  strips.clear();
  meshes.clear();
  sprites.clear();
}

size_t RecordingDevice::CountCalls(const std::string& name) const {
  return size_t(std::count(calls.begin(), calls.end(), name));
}
