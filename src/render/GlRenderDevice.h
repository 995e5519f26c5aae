#pragma once
#include <memory>
#include <vector>

#include "render/RenderDevice.h"

struct SDL_Window;

// The drawing device on OpenGL 3.3 core. It draws each frame into its own
// framebuffer the size of the game's drawing area (the largest centred 4:3
// rectangle of the window's drawable) and Present copies that into the
// window with black bars around it. ReadPixels returns the drawing area of
// the last frame drawn, opaque. Main thread only; the GL context is current
// on it for the device's lifetime. Clear and BeginScene put back the GL state
// the device relies on, so other GL code in the context (a user interface
// drawn between BeginScene and EndScene lands in the drawing area) is fine.
//
// Drawing rules: depth test "less or equal" with depth writes while the
// states' depthTest is on; meshes are lit per vertex (two lights, ambient,
// material; normals renormalised after the world transform) with the
// material's diffuse alpha; sprites always blend with source alpha, inverse
// source alpha, and follow the states' alpha and depth tests; a sprite with
// an empty source rectangle draws nothing.
class GlRenderDevice : public RenderDevice {
 public:
  // Makes the GL context on `window` (created with SDL_WINDOW_OPENGL), or
  // returns null after writing the reason to the debug output.
  static std::unique_ptr<GlRenderDevice> Create(SDL_Window* window);
  ~GlRenderDevice() override;

  void Clear(uint32_t color, float depth) override;
  bool BeginScene() override;
  void EndScene() override;
  bool Present() override;

  // Follows the window's size, as the window system has it, at every call.
  Viewport GetViewport() const override;
  bool RequiresPowerOfTwoTextures() const override { return false; }

  const RenderStates& GetStates() const override;
  void SetStates(const RenderStates& states) override;
  void SetTransform(TransformKind kind, const Matrix4& matrix) override;
  const Matrix4& GetTransform(TransformKind kind) const override;
  void SetLight(uint32_t index, const Light& light) override;
  void SetMaterial(const Material& material) override;

  std::unique_ptr<RenderTexture> CreateTexture(uint32_t width, uint32_t height, const uint32_t* pixels) override;
  std::unique_ptr<RenderMesh> CreateMesh(const std::vector<MeshVertex>& vertices,
                                         const std::vector<uint32_t>& indices) override;

  void SetTexture(RenderTexture* texture) override;
  // Strips carry no normals: lit, they get only ambient x material ambient plus emissive.
  void DrawTriangleStrip(const Vertex* vertices, uint32_t count) override;
  void DrawMesh(const RenderMesh& mesh) override;
  void DrawSprite(const SpriteDraw& sprite) override;

  bool ReadPixels(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) override;

  struct Impl;

 private:
  explicit GlRenderDevice(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};
