#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "render/Matrix.h"

// The thin drawing interface every layer draws through. GlRenderDevice draws
// with OpenGL; tests use a recording device that keeps the calls. All calls
// come from the main (frame) thread.
//
// Conventions kept from the game's scene: row-vector matrices (see Matrix.h),
// a left-handed scene, depth 0 (near) .. 1 (far) with the depth test "less or
// equal", colours as 32-bit ARGB words (0xAARRGGBB), texture coordinate v = 0
// at the first row of the texture's pixels.

struct Viewport {
  int32_t x = 0, y = 0;             // top-left corner in window pixels
  uint32_t width = 0, height = 0;   // pixels; the game's 4:3 drawing area
  float minZ = 0.0f, maxZ = 1.0f;
};

struct PixelRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

enum class BlendFactor { Zero, One, SrcColor, InvSrcColor, SrcAlpha, InvSrcAlpha, DestColor, InvDestColor };

enum class TransformKind { World, View, Projection };

// The render states the game uses. A layer that changes them for its own
// drawing keeps a StateBlock and puts them back afterwards.
struct RenderStates {
  bool alphaBlend = false;
  BlendFactor srcBlend = BlendFactor::One;
  BlendFactor destBlend = BlendFactor::Zero;
  bool alphaTest = false;
  uint8_t alphaRef = 0;          // a texel is drawn when its alpha is greater than this
  bool depthTest = true;
  bool lighting = true;
  bool linearFilter = true;      // sampler 0 minification and magnification
  uint32_t ambient = 0;          // ARGB ambient light added to lit meshes
  bool operator==(const RenderStates& other) const;
  bool operator!=(const RenderStates& other) const { return !(*this == other); }
};

struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};

enum class LightType { Point, Directional };

struct Light {
  LightType type = LightType::Directional;
  ColorValue diffuse;
  Vec3 position;
  Vec3 direction;    // the way the light travels, for directional lights
  float range = 0;   // point lights reach this far, unattenuated
  bool enabled = false;
};

struct Material {
  ColorValue diffuse;
  ColorValue ambient;
  ColorValue specular;
  ColorValue emissive;
  float power = 0;
};

// Position, diffuse colour, one texture coordinate set: 24 bytes.
struct Vertex {
  float x = 0, y = 0, z = 0;
  uint32_t diffuse = 0xFFFFFFFF;
  float u = 0, v = 0;
};

struct MeshVertex {
  float x = 0, y = 0, z = 0;
  float nx = 0, ny = 0, nz = 0;
};

// A texture owned by whoever created it. Texels are 32-bit ARGB words.
class RenderTexture {
 public:
  virtual ~RenderTexture() = default;
  virtual uint32_t Width() const = 0;
  virtual uint32_t Height() const = 0;
  // Replaces the texels of a rectangle; `pixels` holds `height` rows of
  // `pitch` words each, the first row going to texel row `y`.
  virtual void Update(uint32_t x, uint32_t y, uint32_t width, uint32_t height, const uint32_t* pixels,
                      uint32_t pitch) = 0;
};

// An indexed triangle list with normals, drawn lit with the current material.
class RenderMesh {
 public:
  virtual ~RenderMesh() = default;
  virtual size_t VertexCount() const = 0;
  virtual size_t TriangleCount() const = 0;
};

// One sprite as a 2D sprite batch draws it: the `source` texels, placed with
// their corner `center` at `position` (viewport pixels, y down), then the
// whole quad multiplied by `transform` (viewport pixels as well). The
// position's z is the depth the sprite is drawn at. `color` modulates each
// texel. Drawn with alpha blending (source alpha, inverse source alpha).
struct SpriteDraw {
  RenderTexture* texture = nullptr;
  PixelRect source;
  Vec3 center;
  Vec3 position;
  uint32_t color = 0xFFFFFFFF;
  Matrix4 transform = MatrixIdentity();
};

class RenderDevice {
 public:
  virtual ~RenderDevice() = default;

  // Frame. Clear fills the viewport with `color` and the depth buffer with `depth`.
  virtual void Clear(uint32_t color, float depth) = 0;
  virtual bool BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual bool Present() = 0;

  virtual Viewport GetViewport() const = 0;
  // True on devices that can only make textures with power-of-two sizes.
  virtual bool RequiresPowerOfTwoTextures() const = 0;

  virtual const RenderStates& GetStates() const = 0;
  virtual void SetStates(const RenderStates& states) = 0;
  virtual void SetTransform(TransformKind kind, const Matrix4& matrix) = 0;
  virtual const Matrix4& GetTransform(TransformKind kind) const = 0;
  virtual void SetLight(uint32_t index, const Light& light) = 0;  // index 0 or 1
  virtual void SetMaterial(const Material& material) = 0;

  // `pixels` may be null (all texels transparent black). Returns null on failure.
  virtual std::unique_ptr<RenderTexture> CreateTexture(uint32_t width, uint32_t height,
                                                       const uint32_t* pixels) = 0;
  virtual std::unique_ptr<RenderMesh> CreateMesh(const std::vector<MeshVertex>& vertices,
                                                 const std::vector<uint32_t>& indices) = 0;

  // Texture stage 0 for the following draws; null draws untextured.
  virtual void SetTexture(RenderTexture* texture) = 0;
  // A triangle strip in world space under the world, view and projection
  // transforms, unlit (vertex colour times texel) or lit as the states say.
  virtual void DrawTriangleStrip(const Vertex* vertices, uint32_t count) = 0;
  virtual void DrawMesh(const RenderMesh& mesh) = 0;
  virtual void DrawSprite(const SpriteDraw& sprite) = 0;

  // The last presented frame (or the back buffer) as ARGB words, top row first.
  virtual bool ReadPixels(std::vector<uint32_t>& pixels, uint32_t& width, uint32_t& height) = 0;
};

// Records the device's states so that a layer can put them back after it
// changed them for its own drawing.
class StateBlock {
 public:
  void Capture(const RenderDevice& device) { saved_ = device.GetStates(); }
  void Apply(RenderDevice& device) const { device.SetStates(saved_); }

 private:
  RenderStates saved_;
};

// The process-wide device the layers draw with; set while the window exists.
extern RenderDevice* d3dDevice;
