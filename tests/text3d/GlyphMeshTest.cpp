#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "text3d/GlyphMeshBuilder.h"
#include "text3d/GlyphMeshExtruder.h"
#include "text3d/GlyphMeshOutline.h"
#include "text3d/GlyphMeshTessellator.h"

namespace {

constexpr const char* kAliases = "./res/fonts.conf";

struct Bounds {
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, minZ = 1e9f, maxZ = -1e9f;
};
Bounds BoundsOf(const GlyphMeshData& mesh) {
  Bounds b;
  for (const MeshVertex& v : mesh.vertices)
    b = {std::min(b.minX, v.x), std::max(b.maxX, v.x), std::min(b.minY, v.y), std::max(b.maxY, v.y), std::min(b.minZ, v.z), std::max(b.maxZ, v.z)};
  return b;
}

// Calls `each` with the three corners of every triangle.
template <typename Each>
void ForTriangles(const GlyphMeshData& mesh, Each each) {
  for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
    each(mesh.vertices[mesh.indices[i]], mesh.vertices[mesh.indices[i + 1]], mesh.vertices[mesh.indices[i + 2]]);
}

// Triangles that do not run clockwise seen from where their normals point
// (the viewer would see their backs).
int BackwardTriangles(const GlyphMeshData& mesh) {
  int backward = 0;
  ForTriangles(mesh, [&](const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
    const float nx = a.nx + b.nx + c.nx, ny = a.ny + b.ny + c.ny, nz = a.nz + b.nz + c.nz;
    backward += (uy * wz - uz * wy) * nx + (uz * wx - ux * wz) * ny + (ux * wy - uy * wx) * nz <= 0.0f;
  });
  return backward;
}

// Whether a triangle of the face towards the viewer covers (x, y).
bool FrontCovers(const GlyphMeshData& mesh, float x, float y) {
  bool covered = false;
  ForTriangles(mesh, [&](const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
    const auto side = [&](const MeshVertex& p, const MeshVertex& q) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
    const float d1 = side(a, b), d2 = side(b, c), d3 = side(c, a);
    covered |= a.nz == -1.0f && b.nz == -1.0f && c.nz == -1.0f &&
               ((d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0));
  });
  return covered;
}

// A unit square either way round, and a circle: solid from z = -depth to 0,
// sides facing outwards (flat on the square, smooth on the circle), every
// triangle facing its normal.
TEST(GlyphExtruderTest, ExtrudedShapesFaceOutwardsWhicheverWayTheirContourRuns) {
  GlyphContour circle;
  for (int i = 0; i < 48; ++i) circle.push_back({0.5f + 0.5f * std::cos(i * 6.2831853f / 48), 0.5f + 0.5f * std::sin(i * 6.2831853f / 48)});
  const GlyphContour square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (const GlyphContour& contour : {square, GlyphContour(square.rbegin(), square.rend()), circle}) {
    GlyphShape shape;
    shape.contours = {contour};
    shape.fillOnLeft = SignedArea(shape.contours) > 0;
    ASSERT_TRUE(TessellateFace(shape));
    GlyphMeshData mesh;
    AppendExtrudedGlyph(shape, 2.0f, 0.5f, mesh);
    const Bounds b = BoundsOf(mesh);  // the square and the circle span x 0..1
    EXPECT_TRUE(b.minX == 2.0f && b.maxX == 3.0f && b.minZ == -0.5f && b.maxZ == 0.0f) << contour.size();
    for (const MeshVertex& v : mesh.vertices)
      EXPECT_TRUE(v.nz != 0.0f ? v.z == (v.nz < 0 ? -0.5f : 0.0f)  // back and front faces
                  : contour.size() == 4 ? v.nx * (v.x - 2.5f) + v.ny * (v.y - 0.5f) > 0 && std::fabs(std::hypot(v.nx, v.ny) - 1) < 1e-5f
                                        : std::fabs(v.nx - 2 * (v.x - 2.5f)) < 1e-4f && std::fabs(v.ny - 2 * (v.y - 0.5f)) < 1e-4f)
          << v.x << "," << v.y << "," << v.z << " normal " << v.nx << "," << v.ny << "," << v.nz;
    EXPECT_EQ(BackwardTriangles(mesh), 0) << contour.size();
  }
}

TEST(GlyphMeshBuilderTest, OKeepsItsHoleInEveryGameFace) {
  CGlyphMeshBuilder builder(kAliases);
  for (const char* font : {"Levity", "Flubber", "Comic Sans MS", "DejaVu Sans"}) {
    const GlyphMeshData mesh = builder.BuildLine(font, 10, 0.3f, "O");
    ASSERT_TRUE(!mesh.indices.empty() && BackwardTriangles(mesh) == 0) << font;
    const Bounds b = BoundsOf(mesh);
    const float midY = (b.minY + b.maxY) / 2;
    EXPECT_FALSE(FrontCovers(mesh, (b.minX + b.maxX) / 2, midY)) << font;
    EXPECT_TRUE(FrontCovers(mesh, b.minX + 0.03f, midY) && FrontCovers(mesh, b.maxX - 0.03f, midY)) << font;
  }
}

TEST(GlyphMeshBuilderTest, OneEmIsOneUnitTheSizeOnlyRefinesCurvesAndOddTextNeverFails) {
  CGlyphMeshBuilder builder(kAliases);
  // DejaVu Sans: capital height 1493 and advance of "H" 1540, of 2048 units an em.
  const Bounds h = BoundsOf(builder.BuildLine("DejaVu Sans", 8, 0.25f, "H")), hh = BoundsOf(builder.BuildLine("DejaVu Sans", 8, 0.25f, "HH"));
  EXPECT_TRUE(std::fabs(h.minY) < 1e-6f && std::fabs(h.maxY - 1493.0f / 2048) < 1e-5f && h.minZ == -0.25f && h.maxZ == 0 &&
              std::fabs(hh.maxX - h.maxX - 1540.0f / 2048) < 1e-5f);
  const GlyphMeshData coarse = builder.BuildLine("Levity", 6, 0.2f, "Go"), fine = builder.BuildLine("Levity", 10, 0.2f, "Go");
  const Bounds a = BoundsOf(coarse), b = BoundsOf(fine);
  EXPECT_GT(fine.vertices.size(), coarse.vertices.size());
  EXPECT_TRUE(std::fabs(a.minX - b.minX) < 0.005f && std::fabs(a.maxX - b.maxX) < 0.005f && std::fabs(a.maxY - b.maxY) < 0.005f);
  // Nothing to draw draws nothing; a character no face has is left out; bytes
  // that are not UTF-8 are read as Latin-1; an unknown face draws with the default.
  const auto size = [&](const char* font, const char* text) { return builder.BuildLine(font, 8, 0.4f, text).vertices.size(); };
  EXPECT_EQ(size("Levity", "") + size("Levity", nullptr) + size("Levity", "   ") + builder.MeasureWidth(nullptr), 0u);
  EXPECT_EQ(size("Levity", "A\xE4\xB8\xAD B"), size("Levity", "A B"));
  EXPECT_TRUE(size("DejaVu Sans", "caf\xE9") == size("DejaVu Sans", "caf\xC3\xA9") && size("DejaVu Sans", "caf\xE9") > size("DejaVu Sans", "caf"));
  EXPECT_GT(size("No Such Typeface", "Egg") * size("", "Egg"), 0u);
}

}  // namespace
