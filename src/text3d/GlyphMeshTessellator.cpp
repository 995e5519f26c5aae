#include "text3d/GlyphMeshTessellator.h"

#include <epoxy/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <memory>

namespace {

// Vertex data handed through the tessellator is the index into
// shape.faceVertices, carried in the pointer value.
void* IndexToData(size_t index) { return reinterpret_cast<void*>(static_cast<uintptr_t>(index)); }
uint32_t DataToIndex(void* data) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(data)); }

struct TessContext {
  GlyphShape* shape;
  bool failed = false;
};

void GLAPIENTRY OnVertex(void* vertexData, void* polygonData) {
  static_cast<TessContext*>(polygonData)->shape->faceIndices.push_back(DataToIndex(vertexData));
}

// Asking for edge flags makes the tessellator emit separate triangles only.
void GLAPIENTRY OnEdgeFlag(GLboolean, void*) {}

void GLAPIENTRY OnCombine(GLdouble coords[3], void*[4], GLfloat[4], void** outData, void* polygonData) {
  auto* context = static_cast<TessContext*>(polygonData);
  auto& vertices = context->shape->faceVertices;
  vertices.push_back({static_cast<float>(coords[0]), static_cast<float>(coords[1])});
  *outData = IndexToData(vertices.size() - 1);
}

void GLAPIENTRY OnError(GLenum, void* polygonData) { static_cast<TessContext*>(polygonData)->failed = true; }

struct TessDeleter {
  void operator()(GLUtesselator* tess) const { gluDeleteTess(tess); }
};

// Makes every triangle anticlockwise seen from +z; drops flat ones.
void OrientTriangles(GlyphShape& shape) {
  std::vector<uint32_t> kept;
  kept.reserve(shape.faceIndices.size());
  const auto& v = shape.faceVertices;
  for (size_t i = 0; i + 2 < shape.faceIndices.size(); i += 3) {
    uint32_t a = shape.faceIndices[i], b = shape.faceIndices[i + 1], c = shape.faceIndices[i + 2];
    const float cross = (v[b].x - v[a].x) * (v[c].y - v[a].y) - (v[b].y - v[a].y) * (v[c].x - v[a].x);
    if (cross == 0.0f) {
      continue;
    }
    if (cross < 0.0f) {
      std::swap(b, c);
    }
    kept.insert(kept.end(), {a, b, c});
  }
  shape.faceIndices.swap(kept);
}

}  // namespace

bool TessellateFace(GlyphShape& shape) {
  shape.faceVertices.clear();
  shape.faceIndices.clear();
  for (const GlyphContour& contour : shape.contours) {
    shape.faceVertices.insert(shape.faceVertices.end(), contour.begin(), contour.end());
  }
  std::unique_ptr<GLUtesselator, TessDeleter> tess(gluNewTess());
  if (!tess) {
    return false;
  }
  gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess.get(), 0, 0, 1);
  gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(OnVertex));
  gluTessCallback(tess.get(), GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(OnEdgeFlag));
  gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(OnCombine));
  gluTessCallback(tess.get(), GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(OnError));

  // The tessellator keeps pointers to the coordinates until the polygon ends.
  std::vector<GLdouble> coords;
  coords.reserve(shape.faceVertices.size() * 3);
  for (const GlyphPoint& p : shape.faceVertices) {
    coords.insert(coords.end(), {p.x, p.y, 0.0});
  }
  TessContext context{&shape, false};
  gluTessBeginPolygon(tess.get(), &context);
  size_t index = 0;
  for (const GlyphContour& contour : shape.contours) {
    gluTessBeginContour(tess.get());
    for (size_t i = 0; i < contour.size(); ++i, ++index) {
      gluTessVertex(tess.get(), &coords[index * 3], IndexToData(index));
    }
    gluTessEndContour(tess.get());
  }
  gluTessEndPolygon(tess.get());
  if (context.failed || shape.faceIndices.size() % 3 != 0) {
    shape.faceIndices.clear();
    return false;
  }
  OrientTriangles(shape);
  return true;
}
