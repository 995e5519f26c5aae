#include "text3d/GlyphMeshExtruder.h"

#include <cmath>

namespace {

// Neighbouring side pieces whose normals are closer than about 37 degrees
// share a smoothed normal; sharper turns are corners.
constexpr float kSmoothCosine = 0.8f;

struct Normal2 {
  float x = 0, y = 0;
};

Normal2 Normalized(float x, float y) {
  const float length = std::sqrt(x * x + y * y);
  return length > 0 ? Normal2{x / length, y / length} : Normal2{};
}

// Adds a triangle, turned so that it runs clockwise seen from the side
// `normal` points to (the scene's front-face convention).
void AddTriangle(GlyphMeshData& mesh, uint32_t a, uint32_t b, uint32_t c, const MeshVertex& normal) {
  const auto& v = mesh.vertices;
  const float ux = v[b].x - v[a].x, uy = v[b].y - v[a].y, uz = v[b].z - v[a].z;
  const float wx = v[c].x - v[a].x, wy = v[c].y - v[a].y, wz = v[c].z - v[a].z;
  const float dot = (uy * wz - uz * wy) * normal.nx + (uz * wx - ux * wz) * normal.ny + (ux * wy - uy * wx) * normal.nz;
  if (dot < 0) {
    std::swap(b, c);
  }
  mesh.indices.insert(mesh.indices.end(), {a, b, c});
}

uint32_t AddVertex(GlyphMeshData& mesh, float x, float y, float z, float nx, float ny, float nz) {
  mesh.vertices.push_back({x, y, z, nx, ny, nz});
  return static_cast<uint32_t>(mesh.vertices.size() - 1);
}

void AppendFace(const GlyphShape& shape, float offsetX, float z, float nz, GlyphMeshData& mesh) {
  const uint32_t base = static_cast<uint32_t>(mesh.vertices.size());
  for (const GlyphPoint& p : shape.faceVertices) {
    AddVertex(mesh, p.x + offsetX, p.y, z, 0, 0, nz);
  }
  const MeshVertex normal{0, 0, 0, 0, 0, nz};
  for (size_t i = 0; i + 2 < shape.faceIndices.size(); i += 3) {
    AddTriangle(mesh, base + shape.faceIndices[i], base + shape.faceIndices[i + 1], base + shape.faceIndices[i + 2],
                normal);
  }
}

// The normal a side piece uses at its end shared with a neighbour piece.
Normal2 JoinNormal(const Normal2& own, const Normal2& neighbour) {
  if (own.x * neighbour.x + own.y * neighbour.y < kSmoothCosine) {
    return own;
  }
  return Normalized(own.x + neighbour.x, own.y + neighbour.y);
}

void AppendSides(const GlyphContour& contour, bool fillOnLeft, float offsetX, float depth, GlyphMeshData& mesh) {
  const size_t count = contour.size();
  std::vector<Normal2> outward(count);
  for (size_t i = 0; i < count; ++i) {
    const GlyphPoint& a = contour[i];
    const GlyphPoint& b = contour[(i + 1) % count];
    const float dx = b.x - a.x, dy = b.y - a.y;
    outward[i] = fillOnLeft ? Normalized(dy, -dx) : Normalized(-dy, dx);
  }
  for (size_t i = 0; i < count; ++i) {
    const GlyphPoint& a = contour[i];
    const GlyphPoint& b = contour[(i + 1) % count];
    const Normal2 na = JoinNormal(outward[i], outward[(i + count - 1) % count]);
    const Normal2 nb = JoinNormal(outward[i], outward[(i + 1) % count]);
    const uint32_t frontA = AddVertex(mesh, a.x + offsetX, a.y, -depth, na.x, na.y, 0);
    const uint32_t frontB = AddVertex(mesh, b.x + offsetX, b.y, -depth, nb.x, nb.y, 0);
    const uint32_t backB = AddVertex(mesh, b.x + offsetX, b.y, 0, nb.x, nb.y, 0);
    const uint32_t backA = AddVertex(mesh, a.x + offsetX, a.y, 0, na.x, na.y, 0);
    const MeshVertex normal{0, 0, 0, outward[i].x, outward[i].y, 0};
    AddTriangle(mesh, frontA, frontB, backB, normal);
    AddTriangle(mesh, frontA, backB, backA, normal);
  }
}

}  // namespace

void AppendExtrudedGlyph(const GlyphShape& shape, float offsetX, float depth, GlyphMeshData& mesh) {
  if (depth <= 0) {
    AppendFace(shape, offsetX, 0, -1, mesh);
    return;
  }
  AppendFace(shape, offsetX, -depth, -1, mesh);
  AppendFace(shape, offsetX, 0, 1, mesh);
  for (const GlyphContour& contour : shape.contours) {
    AppendSides(contour, shape.fillOnLeft, offsetX, depth, mesh);
  }
}
