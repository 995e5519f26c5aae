#pragma once
#include <cstdint>
#include <vector>

#include "render/RenderDevice.h"

// The flat shape of one glyph, in ems (one em of the typeface = 1.0), y up,
// the glyph's origin on the baseline at (0, 0).
struct GlyphPoint {
  float x = 0, y = 0;
};

// A closed polyline; the last point joins the first and is not repeated.
using GlyphContour = std::vector<GlyphPoint>;

struct GlyphShape {
  std::vector<GlyphContour> contours;
  // The filled face as triangles over `faceVertices` (the contour points in
  // order, then points where contours cross), each anticlockwise seen from +z.
  std::vector<GlyphPoint> faceVertices;
  std::vector<uint32_t> faceIndices;
  // True when the filled side lies left of each contour's direction.
  bool fillOnLeft = true;
  float advance = 0;  // ems to the next glyph's origin
};

// An extruded text mesh as it goes to RenderDevice::CreateMesh.
struct GlyphMeshData {
  std::vector<MeshVertex> vertices;
  std::vector<uint32_t> indices;
};
