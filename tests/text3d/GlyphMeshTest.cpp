#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "text3d/GlyphMeshBuilder.h"
#include "text3d/GlyphMeshExtruder.h"
#include "text3d/GlyphMeshOutline.h"
#include "text3d/GlyphMeshTessellator.h"

namespace {

struct Bounds { float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, minZ = 1e9f, maxZ = -1e9f; };
Bounds BoundsOf(const GlyphMeshData& mesh) {
  Bounds b;
  for (const MeshVertex& v : mesh.vertices)
    b = {std::min(b.minX, v.x), std::max(b.maxX, v.x), std::min(b.minY, v.y), std::max(b.maxY, v.y), std::min(b.minZ, v.z), std::max(b.maxZ, v.z)};
  return b;
}

// Triangles that do not run clockwise seen from where their normals point
// (the viewer would see their backs), and the area of the face towards the
// viewer over that of the mesh's bounds.
std::pair<int, float> Triangles(const GlyphMeshData& mesh) {
  int backward = 0;
  float front = 0;
  for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
    const MeshVertex &a = mesh.vertices[mesh.indices[i]], &b = mesh.vertices[mesh.indices[i + 1]];
    const MeshVertex& c = mesh.vertices[mesh.indices[i + 2]];
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z, wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
    const float nx = a.nx + b.nx + c.nx, ny = a.ny + b.ny + c.ny, nz = a.nz + b.nz + c.nz;
    backward += (uy * wz - uz * wy) * nx + (uz * wx - ux * wz) * ny + (ux * wy - uy * wx) * nz <= 0.0f;
    front += a.nz == -1.0f ? std::fabs(ux * wy - uy * wx) / 2 : 0.0f;
  }
  const Bounds bounds = BoundsOf(mesh);
  return {backward, front / ((bounds.maxX - bounds.minX) * (bounds.maxY - bounds.minY))};
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
    EXPECT_EQ(Triangles(mesh).first, 0) << contour.size();
  }
}

// A ring: its face covers 30 to 45 % of its bounds in the game's faces,
// where a filled O would cover some 80 %.
TEST(GlyphMeshBuilderTest, OKeepsItsHoleInEveryGameFace) {
  for (const char* font : {"Levity", "Flubber", "Comic Sans MS", "DejaVu Sans"}) {
    const GlyphMeshData mesh = CGlyphMeshBuilder::Shared().BuildLine(font, 10, 0.3f, "O");
    const auto [backward, front] = Triangles(mesh);
    EXPECT_TRUE(!mesh.indices.empty() && backward == 0 && front > 0.2f && front < 0.6f) << font << ": " << front;
  }
}

TEST(GlyphMeshBuilderTest, OneEmIsOneUnitTheSizeOnlyRefinesCurvesAndOddTextNeverFails) {
  CGlyphMeshBuilder& builder = CGlyphMeshBuilder::Shared();
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
