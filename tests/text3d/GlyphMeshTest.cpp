#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "text3d/FontFinder.h"
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
  for (const MeshVertex& v : mesh.vertices) {
    b.minX = std::min(b.minX, v.x), b.maxX = std::max(b.maxX, v.x);
    b.minY = std::min(b.minY, v.y), b.maxY = std::max(b.maxY, v.y);
    b.minZ = std::min(b.minZ, v.z), b.maxZ = std::max(b.maxZ, v.z);
  }
  return b;
}

bool InTriangle(float px, float py, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c) {
  const auto side = [&](const MeshVertex& p, const MeshVertex& q) {
    return (q.x - p.x) * (py - p.y) - (q.y - p.y) * (px - p.x);
  };
  const float d1 = side(a, b), d2 = side(b, c), d3 = side(c, a);
  return (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
}

// Whether a triangle of the face towards the viewer covers (x, y).
bool FrontCovers(const GlyphMeshData& mesh, float x, float y) {
  for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
    const MeshVertex& a = mesh.vertices[mesh.indices[i]];
    const MeshVertex& b = mesh.vertices[mesh.indices[i + 1]];
    const MeshVertex& c = mesh.vertices[mesh.indices[i + 2]];
    if (a.nz == -1.0f && b.nz == -1.0f && c.nz == -1.0f && InTriangle(x, y, a, b, c)) {
      return true;
    }
  }
  return false;
}

// Every triangle must run clockwise seen from where its normals point.
void ExpectWindingFollowsNormals(const GlyphMeshData& mesh) {
  for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
    const MeshVertex& a = mesh.vertices[mesh.indices[i]];
    const MeshVertex& b = mesh.vertices[mesh.indices[i + 1]];
    const MeshVertex& c = mesh.vertices[mesh.indices[i + 2]];
    const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
    const float wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
    const float nx = a.nx + b.nx + c.nx, ny = a.ny + b.ny + c.ny, nz = a.nz + b.nz + c.nz;
    ASSERT_GT((uy * wz - uz * wy) * nx + (uz * wx - ux * wz) * ny + (ux * wy - uy * wx) * nz, 0.0f)
        << "triangle " << i / 3;
  }
}

float DistanceToPolyline(float x, float y, const GlyphContour& points) {
  float best = 1e9f;
  for (size_t i = 0; i < points.size(); ++i) {
    const GlyphPoint& a = points[i];
    const GlyphPoint& b = points[(i + 1) % points.size()];
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    best = std::min(best, std::hypot(x - a.x - t * dx, y - a.y - t * dy));
  }
  return best;
}

struct TestOutline {
  std::vector<FT_Vector> points;
  std::vector<char> tags;
  std::vector<short> ends;
  FT_Outline Get() {
    FT_Outline outline{};
    outline.n_points = static_cast<short>(points.size());
    outline.n_contours = static_cast<short>(ends.size());
    outline.points = points.data();
    outline.tags = tags.data();
    outline.contours = ends.data();
    return outline;
  }
};

}  // namespace

TEST(GlyphOutlineTest, CurvesStayWithinTheToleranceAndFinerToleranceGivesMorePoints) {
  TestOutline conic{{{0, 0}, {1000, 2000}, {2000, 0}}, {FT_CURVE_TAG_ON, FT_CURVE_TAG_CONIC, FT_CURVE_TAG_ON}, {2}};
  TestOutline cubic{{{0, 0}, {0, 2000}, {2000, 2000}, {2000, 0}},
                    {FT_CURVE_TAG_ON, FT_CURVE_TAG_CUBIC, FT_CURVE_TAG_CUBIC, FT_CURVE_TAG_ON},
                    {3}};
  const auto conicAt = [](float t) {
    const float u = 1 - t;
    return GlyphPoint{2 * u * t * 1 + t * t * 2, 2 * u * t * 2};
  };
  const auto cubicAt = [](float t) {
    const float u = 1 - t;
    return GlyphPoint{3 * u * t * t * 2 + t * t * t * 2, 3 * u * u * t * 2 + 3 * u * t * t * 2};
  };
  for (const float tolerance : {0.01f, 0.001f}) {
    const auto conicContours = FlattenOutline(conic.Get(), 1000.0f, tolerance);
    const auto cubicContours = FlattenOutline(cubic.Get(), 1000.0f, tolerance);
    ASSERT_EQ(conicContours.size(), 1u);
    ASSERT_EQ(cubicContours.size(), 1u);
    for (int i = 0; i <= 1000; ++i) {
      const GlyphPoint p = conicAt(i / 1000.0f), q = cubicAt(i / 1000.0f);
      ASSERT_LE(DistanceToPolyline(p.x, p.y, conicContours[0]), tolerance * 1.01f) << "conic t=" << i;
      ASSERT_LE(DistanceToPolyline(q.x, q.y, cubicContours[0]), tolerance * 1.01f) << "cubic t=" << i;
    }
  }
  EXPECT_GT(FlattenOutline(conic.Get(), 1000.0f, 0.001f)[0].size(), FlattenOutline(conic.Get(), 1000.0f, 0.01f)[0].size());
  EXPECT_GT(FlattenOutline(cubic.Get(), 1000.0f, 0.001f)[0].size(), FlattenOutline(cubic.Get(), 1000.0f, 0.01f)[0].size());
}

TEST(GlyphOutlineTest, DegenerateContoursAreDropped) {
  TestOutline outline{{{0, 0}, {0, 0}, {500, 0}, {0, 0}, {1000, 0}, {1000, 1000}},
                      {FT_CURVE_TAG_ON, FT_CURVE_TAG_ON, FT_CURVE_TAG_ON, FT_CURVE_TAG_ON, FT_CURVE_TAG_ON, FT_CURVE_TAG_ON},
                      {2, 5}};
  const auto contours = FlattenOutline(outline.Get(), 1000.0f, 0.01f);
  ASSERT_EQ(contours.size(), 1u);
  EXPECT_EQ(contours[0].size(), 3u);
}

TEST(GlyphExtruderTest, SquareSolidHasOutwardNormalsWhicheverWayItsContourRuns) {
  for (const bool anticlockwise : {true, false}) {
    GlyphShape shape;
    shape.contours = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    if (!anticlockwise) {
      std::reverse(shape.contours[0].begin(), shape.contours[0].end());
    }
    shape.fillOnLeft = SignedArea(shape.contours) > 0;
    ASSERT_EQ(shape.fillOnLeft, anticlockwise);
    ASSERT_TRUE(TessellateFace(shape));
    GlyphMeshData mesh;
    AppendExtrudedGlyph(shape, 2.0f, 0.5f, mesh);
    const Bounds b = BoundsOf(mesh);
    EXPECT_FLOAT_EQ(b.minX, 2.0f);
    EXPECT_FLOAT_EQ(b.maxX, 3.0f);
    EXPECT_FLOAT_EQ(b.minZ, -0.5f);
    EXPECT_FLOAT_EQ(b.maxZ, 0.0f);
    // Two triangles on each of the six sides.
    EXPECT_EQ(mesh.indices.size(), 12u * 3u);
    for (const MeshVertex& v : mesh.vertices) {
      if (v.nz == 0.0f) {
        EXPECT_GT(v.nx * (v.x - 2.5f) + v.ny * (v.y - 0.5f), 0.0f);
        EXPECT_NEAR(std::hypot(v.nx, v.ny), 1.0f, 1e-5f);
      } else {
        EXPECT_EQ(v.z, v.nz < 0 ? -0.5f : 0.0f);
      }
    }
    ExpectWindingFollowsNormals(mesh);
  }
}

TEST(GlyphExtruderTest, CurvedSidesGetSmoothNormals) {
  GlyphShape shape;
  shape.contours.emplace_back();
  for (int i = 0; i < 48; ++i) {
    const float a = static_cast<float>(i) * 6.2831853f / 48;
    shape.contours[0].push_back({std::cos(a), std::sin(a)});
  }
  ASSERT_TRUE(TessellateFace(shape));
  GlyphMeshData mesh;
  AppendExtrudedGlyph(shape, 0.0f, 0.2f, mesh);
  for (const MeshVertex& v : mesh.vertices) {
    if (v.nz == 0.0f) {
      EXPECT_NEAR(v.nx, v.x, 1e-4f);
      EXPECT_NEAR(v.ny, v.y, 1e-4f);
    }
  }
}

TEST(FontFinderTest, GameNamesMapToOurFontsAndUnknownNamesToTheDefaultFace) {
  const CFontFinder finder(kAliases);
  EXPECT_TRUE(finder.AliasesLoaded());
  EXPECT_NE(finder.Find("Flubber").path.find("LeckerliOne"), std::string::npos);
  EXPECT_NE(finder.Find("Levity").path.find("TomsonTalks"), std::string::npos);
  EXPECT_NE(finder.Find("Comic sans MS").path.find("ComicNeue"), std::string::npos);
  EXPECT_NE(finder.Find("Comic Sans MS").path.find("ComicNeue"), std::string::npos);
  EXPECT_FALSE(finder.Find("No Such Typeface").path.empty());
  EXPECT_FALSE(finder.Find("").path.empty());
}

TEST(FontFinderTest, WithoutTheAliasFileTheSystemConfigurationStillFindsFaces) {
  const CFontFinder finder("./res/missing-fonts.conf");
  EXPECT_FALSE(finder.AliasesLoaded());
  const FontFile file = finder.Find("Flubber");
  EXPECT_FALSE(file.path.empty());
  EXPECT_EQ(file.path.find("LeckerliOne"), std::string::npos);
}

TEST(GlyphMeshBuilderTest, OKeepsItsHoleInEveryGameFace) {
  CGlyphMeshBuilder builder(kAliases);
  for (const char* font : {"Levity", "Flubber", "Comic Sans MS", "DejaVu Sans"}) {
    SCOPED_TRACE(font);
    const GlyphMeshData mesh = builder.BuildLine(font, 10, 0.3f, "O");
    ASSERT_FALSE(mesh.indices.empty());
    ExpectWindingFollowsNormals(mesh);
    const Bounds b = BoundsOf(mesh);
    const float midY = (b.minY + b.maxY) / 2;
    EXPECT_FALSE(FrontCovers(mesh, (b.minX + b.maxX) / 2, midY));
    EXPECT_TRUE(FrontCovers(mesh, b.minX + 0.03f, midY));
    EXPECT_TRUE(FrontCovers(mesh, b.maxX - 0.03f, midY));
  }
}

TEST(GlyphMeshBuilderTest, OneEmIsOneUnitAndTheSizeOnlyRefinesCurves) {
  CGlyphMeshBuilder builder(kAliases);
  // DejaVu Sans: capital height 1493 and advance of "H" 1540, of 2048 units an em.
  const Bounds h = BoundsOf(builder.BuildLine("DejaVu Sans", 8, 0.25f, "H"));
  const Bounds hh = BoundsOf(builder.BuildLine("DejaVu Sans", 8, 0.25f, "HH"));
  EXPECT_NEAR(h.minY, 0.0f, 1e-6f);
  EXPECT_NEAR(h.maxY, 1493.0f / 2048, 1e-5f);
  EXPECT_NEAR(hh.maxX - h.maxX, 1540.0f / 2048, 1e-5f);
  EXPECT_FLOAT_EQ(h.minZ, -0.25f);
  EXPECT_FLOAT_EQ(h.maxZ, 0.0f);

  const GlyphMeshData coarse = builder.BuildLine("Levity", 6, 0.2f, "Go");
  const GlyphMeshData fine = builder.BuildLine("Levity", 10, 0.2f, "Go");
  EXPECT_GT(fine.vertices.size(), coarse.vertices.size());
  const Bounds a = BoundsOf(coarse), b = BoundsOf(fine);
  EXPECT_NEAR(a.minX, b.minX, 0.005f);
  EXPECT_NEAR(a.maxX, b.maxX, 0.005f);
  EXPECT_NEAR(a.maxY, b.maxY, 0.005f);
}

TEST(GlyphMeshBuilderTest, OddTextNeverFails) {
  CGlyphMeshBuilder builder(kAliases);
  EXPECT_TRUE(builder.BuildLine("Levity", 8, 0.4f, "").vertices.empty());
  EXPECT_TRUE(builder.BuildLine("Levity", 8, 0.4f, nullptr).vertices.empty());
  EXPECT_TRUE(builder.BuildLine("Levity", 8, 0.4f, "   ").vertices.empty());
  EXPECT_EQ(builder.MeasureWidth(nullptr), 0);
  // A character the face lacks is left out, as if it were not there.
  const GlyphMeshData plain = builder.BuildLine("Levity", 8, 0.4f, "A B");
  const GlyphMeshData withMissing = builder.BuildLine("Levity", 8, 0.4f, "A\xE4\xB8\xAD B");
  ASSERT_FALSE(plain.vertices.empty());
  EXPECT_EQ(withMissing.vertices.size(), plain.vertices.size());
  EXPECT_FLOAT_EQ(BoundsOf(withMissing).maxX, BoundsOf(plain).maxX);
  // Bytes that are not UTF-8 are read one a character (Latin-1).
  const GlyphMeshData latin1 = builder.BuildLine("DejaVu Sans", 8, 0.4f, "caf\xE9");
  const GlyphMeshData utf8 = builder.BuildLine("DejaVu Sans", 8, 0.4f, "caf\xC3\xA9");
  EXPECT_EQ(latin1.vertices.size(), utf8.vertices.size());
  EXPECT_GT(latin1.vertices.size(), builder.BuildLine("DejaVu Sans", 8, 0.4f, "caf").vertices.size());
  // An unknown typeface draws with the default face rather than nothing.
  EXPECT_FALSE(builder.BuildLine("No Such Typeface", 8, 0.4f, "Egg").vertices.empty());
  EXPECT_FALSE(builder.BuildLine("", 8, 0.4f, "Egg").vertices.empty());
}

TEST(GlyphMeshBuilderTest, WidthsAreMeasuredWithOneFaceWhateverTheTextIsDrawnIn) {
  CGlyphMeshBuilder builder(kAliases);
  EXPECT_EQ(builder.MeasureWidth(""), 0);
  const int32_t egg = builder.MeasureWidth("Egg");
  const int32_t eggs = builder.MeasureWidth("Egg Egg");
  EXPECT_GT(egg, 10);
  EXPECT_GT(eggs, 2 * egg);
  EXPECT_LT(eggs, 3 * egg);
}
