#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/RenderDevice.h"

// A texture of the recording device: keeps its texels (ARGB, top row first)
// and counts its updates.
class RecordedTexture : public RenderTexture {
 public:
  RecordedTexture(uint32_t width, uint32_t height, const uint32_t* pixels)
      : width_(width), height_(height), texels_(size_t(width) * height, 0u) {
    if (pixels != nullptr) std::copy(pixels, pixels + texels_.size(), texels_.begin());
  }
  uint32_t Width() const override { return width_; }
  uint32_t Height() const override { return height_; }
  void Update(uint32_t x, uint32_t y, uint32_t width, uint32_t height, const uint32_t* pixels,
              uint32_t pitch) override {
    ++updates;
    for (uint32_t row = 0; row < height && y + row < height_; ++row) {
      for (uint32_t column = 0; column < width && x + column < width_; ++column)
        texels_[(y + row) * width_ + x + column] = pixels[row * pitch + column];
    }
  }
  uint32_t Texel(uint32_t x, uint32_t y) const { return texels_[y * width_ + x]; }
  int updates = 0;

 private:
  uint32_t width_, height_;
  std::vector<uint32_t> texels_;
};

class RecordedMesh : public RenderMesh {
 public:
  RecordedMesh(std::vector<MeshVertex> vertices, std::vector<uint32_t> indices)
      : vertices(std::move(vertices)), indices(std::move(indices)) {}
  size_t VertexCount() const override { return vertices.size(); }
  size_t TriangleCount() const override { return indices.size() / 3; }
  std::vector<MeshVertex> vertices;
  std::vector<uint32_t> indices;
};

// A RenderDevice that draws nothing and records every call, for layer tests:
// `calls` names each call in order, the draw lists keep what was drawn with
// the states, texture and transforms in force at that moment. The viewport is
// 1000 x 750 unless a test sets `viewport`.
class RecordingDevice : public RenderDevice {
 public:
  struct StripDraw {
    RenderTexture* texture;
    std::vector<Vertex> vertices;
    Matrix4 world;
    RenderStates states;
  };
  struct MeshDraw {
    const RenderMesh* mesh;
    RenderTexture* texture;
    Matrix4 world;
    Material material;
    RenderStates states;
  };
  struct SpriteRecord {
    SpriteDraw sprite;
    RenderStates states;
  };

  void Clear(uint32_t, float) override { Record("Clear"); }
  bool BeginScene() override { return Record("BeginScene"); }
  void EndScene() override { Record("EndScene"); }
  bool Present() override { return Record("Present"); }
  Viewport GetViewport() const override { return viewport; }
  bool RequiresPowerOfTwoTextures() const override { return false; }
  const RenderStates& GetStates() const override { return states; }
  void SetStates(const RenderStates& newStates) override { Keep("SetStates", states, newStates); }
  void SetTransform(TransformKind kind, const Matrix4& matrix) override {
    Keep("SetTransform", kind == TransformKind::View ? view : kind == TransformKind::Projection ? projection : world,
         matrix);
  }
  const Matrix4& GetTransform(TransformKind kind) const override {
    return kind == TransformKind::View ? view : kind == TransformKind::Projection ? projection : world;
  }
  void SetLight(uint32_t, const Light&) override { Record("SetLight"); }
  void SetMaterial(const Material& newMaterial) override { Keep("SetMaterial", material, newMaterial); }
  std::unique_ptr<RenderTexture> CreateTexture(uint32_t width, uint32_t height, const uint32_t* pixels) override {
    Record("CreateTexture");
    if (failTextureCreation) return nullptr;
    ++texturesCreated;
    return std::make_unique<RecordedTexture>(width, height, pixels);
  }
  std::unique_ptr<RenderMesh> CreateMesh(const std::vector<MeshVertex>& vertices,
                                         const std::vector<uint32_t>& indices) override {
    Record("CreateMesh");
    return std::make_unique<RecordedMesh>(vertices, indices);
  }
  void SetTexture(RenderTexture* newTexture) override { Keep("SetTexture", texture, newTexture); }
  void DrawTriangleStrip(const Vertex* vertices, uint32_t count) override {
    Record("DrawTriangleStrip");
    strips.push_back({texture, std::vector<Vertex>(vertices, vertices + count), world, states});
  }
  void DrawMesh(const RenderMesh& mesh) override {
    Record("DrawMesh");
    meshes.push_back({&mesh, texture, world, material, states});
  }
  void DrawSprite(const SpriteDraw& sprite) override {
    Record("DrawSprite");
    sprites.push_back({sprite, states});
  }
  // Nothing is drawn, so there is nothing to read.
  bool ReadPixels(std::vector<uint32_t>&, uint32_t&, uint32_t&) override { return false; }

  // Forgets the recorded calls and draws (keeps states, transforms, textures).
  void ClearRecords() {
    calls.clear();
    strips.clear();
    meshes.clear();
    sprites.clear();
  }
  size_t CountCalls(const std::string& name) const { return size_t(std::count(calls.begin(), calls.end(), name)); }

  Viewport viewport{0, 0, 1000, 750};
  bool failTextureCreation = false;  // CreateTexture returns null while set
  RenderStates states;
  Matrix4 world = MatrixIdentity(), view = MatrixIdentity(), projection = MatrixIdentity();
  Material material;
  RenderTexture* texture = nullptr;
  int texturesCreated = 0;

  std::vector<std::string> calls;
  std::vector<StripDraw> strips;
  std::vector<MeshDraw> meshes;
  std::vector<SpriteRecord> sprites;

 private:
  // Every call succeeds.
  bool Record(const char* call) {
    calls.push_back(call);
    return true;
  }
  // Records the call and keeps what it sets.
  template <typename Value>
  void Keep(const char* call, Value& kept, const Value& value) {
    Record(call);
    kept = value;
  }
};
