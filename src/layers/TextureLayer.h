#pragma once
#include <cstdint>

#include "layers/BitmapLayer.h"
#include "render/Matrix.h"
#include "render/RenderDevice.h"

// Draws one picture as a textured quad in the 3D scene (world units: the
// window shows x -6..6 and y -4.5..4.5 at z = 1). The quad is a unit square
// from (0, 0) to (1, -1), slightly widened so neighbouring quads leave no
// seam, placed by the `world` matrix.
class CTextureLayer : public CBitmapLayer {
 public:
  // An empty layer: derived layers call Load, BuildQuad and a placement.
  CTextureLayer();
  // Loads `fileName` and places it by `pictureWidth` x `pictureHeight`, the
  // size of the picture on disk in pixels (1024 x 768 fills the window).
  CTextureLayer(const char* fileName, uint32_t colorKey, float pictureWidth, float pictureHeight);

  void Update() override;
  // Draws the quad whether or not the layer is visible. 0 without a texture.
  int32_t Render(RenderDevice* device) override;

  // Fills `vertices` with the quad (triangle strip: top-left, top-right,
  // bottom-left, bottom-right; z 1; diffuse white).
  void BuildQuad();
  // world = scale(pictureWidth * unitsPerPixelX, pictureHeight * unitsPerPixelY, 1)
  //       x translate(left, aspect * top, depth).
  void PlaceBySize();
  // world = scale(12, 12 * aspect, 1) x translate(left, aspect * top, 0): the
  // texture spans the window's width; `aspect` is its height / width.
  void FitWidth(float aspect);
  // When on, the quad blends as source x source colour + destination x destination colour.
  void SetColorBlend(int32_t on);

  const Matrix4& GetWorld() const { return world; }

 protected:
  // The drawing steps for any texture (the video layer passes the camera's):
  // lighting off, world, the optional colour blend, the strip, then texture
  // none and lighting on. 0 when `picture` is null.
  int32_t DrawQuad(RenderDevice* device, RenderTexture* picture);

  int32_t colorBlend = 0;
  float depth = 0.0f;              // world z offset of the quad
  float unitsPerPixelX = 0.01171875f;  // 3 / 256 world units per picture pixel
  float unitsPerPixelY = 0.015625f;    // 1 / 64
  Vertex vertices[4];
  Matrix4 world = MatrixIdentity();
  float pictureWidth = 0.0f, pictureHeight = 0.0f;  // pixels of the source picture
  float left = -6.0f;
  float top = 6.0f;                // the top edge sits at top * aspect
  float aspect = 0.0f;             // pictureHeight / pictureWidth
};
