#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/RenderDevice.h"

// A texture of the recording device: keeps its texels (ARGB, top row first).
class RecordedTexture : public RenderTexture {
 public:
  RecordedTexture(uint32_t width, uint32_t height, const uint32_t* pixels);
  uint32_t Width() const override { return width_; }
  uint32_t Height() const override { return height_; }
  void Update(uint32_t x, uint32_t y, uint32_t width, uint32_t height, const uint32_t* pixels,
              uint32_t pitch) override;
  uint32_t Texel(uint32_t x, uint32_t y) const { return texels_[y * width_ + x]; }
  const std::vector<uint32_t>& Texels() const { return texels_; }
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

  RecordingDevice();

  void Clear(uint32_t color, float depth) override;
  bool BeginScene() override;
  void EndScene() override;
  bool Present() override;
  Viewport GetViewport() const override { return viewport; }
  bool RequiresPowerOfTwoTextures() const override { return false; }
  const RenderStates& GetStates() const override { return states; }
  void SetStates(const RenderStates& newStates) override;
  void SetTransform(TransformKind kind, const Matrix4& matrix) override;
  const Matrix4& GetTransform(TransformKind kind) const override;
  void SetLight(uint32_t index, const Light& light) override;
  void SetMaterial(const Material& newMaterial) override;
  std::unique_ptr<RenderTexture> CreateTexture(uint32_t width, uint32_t height, const uint32_t* pixels) override;
  std::unique_ptr<RenderMesh> CreateMesh(const std::vector<MeshVertex>& vertices,
                                         const std::vector<uint32_t>& indices) override;
  void SetTexture(RenderTexture* newTexture) override;
  void DrawTriangleStrip(const Vertex* vertices, uint32_t count) override;
  void DrawMesh(const RenderMesh& mesh) override;
  void DrawSprite(const SpriteDraw& sprite) override;
  // The colour of the last Clear over the viewport.
  bool ReadPixels(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) override;

  // Forgets the recorded calls and draws (keeps states, transforms, textures).
  void ClearRecords();
  // Number of recorded calls named `name`.
  size_t CountCalls(const std::string& name) const;

  Viewport viewport;
  bool failTextureCreation = false;  // CreateTexture returns null while set
  RenderStates states;
  Matrix4 world = MatrixIdentity(), view = MatrixIdentity(), projection = MatrixIdentity();
  Light lights[2];
  Material material;
  RenderTexture* texture = nullptr;
  uint32_t clearColor = 0;
  int texturesCreated = 0;

  std::vector<std::string> calls;
  std::vector<StripDraw> strips;
  std::vector<MeshDraw> meshes;
  std::vector<SpriteRecord> sprites;
};
