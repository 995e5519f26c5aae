#include "text3d/GlyphMeshOutline.h"

#include <algorithm>
#include <cmath>

namespace {

// Upper bound on the pieces of one curve, so a broken font cannot make a
// mesh explode.
constexpr int kMaxPieces = 64;

struct Flattener {
  float scale;      // ems per font unit
  float tolerance;  // ems
  std::vector<GlyphContour> contours;
  GlyphPoint last;

  GlyphPoint ToEm(const FT_Vector* v) const {
    return {static_cast<float>(v->x) * scale, static_cast<float>(v->y) * scale};
  }

  void Add(const GlyphPoint& p) {
    GlyphContour& contour = contours.back();
    if (contour.empty() || contour.back().x != p.x || contour.back().y != p.y) {
      contour.push_back(p);
    }
    last = p;
  }

  // Pieces needed so that a curve whose second derivative is at most
  // `bend` ems stays within the tolerance: the gap is bend / (8 n^2).
  int Pieces(float bend) const {
    const float n = std::ceil(std::sqrt(bend / (8.0f * tolerance)));
    return std::clamp(static_cast<int>(n), 1, kMaxPieces);
  }
};

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

int MoveTo(const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  f->contours.emplace_back();
  f->Add(f->ToEm(to));
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  f->Add(f->ToEm(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  const GlyphPoint p0 = f->last, p1 = f->ToEm(control), p2 = f->ToEm(to);
  const int n = f->Pieces(2.0f * Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y));
  for (int i = 1; i <= n; ++i) {
    const float t = static_cast<float>(i) / n, u = 1.0f - t;
    f->Add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x, u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  auto* f = static_cast<Flattener*>(user);
  const GlyphPoint p0 = f->last, p1 = f->ToEm(control1), p2 = f->ToEm(control2), p3 = f->ToEm(to);
  const float bend = 6.0f * std::max(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                     Length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  const int n = f->Pieces(bend);
  for (int i = 1; i <= n; ++i) {
    const float t = static_cast<float>(i) / n, u = 1.0f - t;
    const float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    f->Add({a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

// Drops the closing point that repeats the first, and contours too small to
// enclose anything.
void Tidy(std::vector<GlyphContour>& contours) {
  for (GlyphContour& c : contours) {
    if (c.size() > 1 && c.front().x == c.back().x && c.front().y == c.back().y) {
      c.pop_back();
    }
  }
  contours.erase(std::remove_if(contours.begin(), contours.end(), [](const GlyphContour& c) { return c.size() < 3; }),
                 contours.end());
}

}  // namespace

std::vector<GlyphContour> FlattenOutline(const FT_Outline& outline, float unitsPerEm, float tolerance) {
  Flattener flattener{1.0f / unitsPerEm, tolerance, {}, {}};
  FT_Outline_Funcs funcs{};
  funcs.move_to = MoveTo;
  funcs.line_to = LineTo;
  funcs.conic_to = ConicTo;
  funcs.cubic_to = CubicTo;
  if (FT_Outline_Decompose(const_cast<FT_Outline*>(&outline), &funcs, &flattener) != 0) {
    return {};
  }
  Tidy(flattener.contours);
  return flattener.contours;
}

float SignedArea(const std::vector<GlyphContour>& contours) {
  float area = 0;
  for (const GlyphContour& c : contours) {
    for (size_t i = 0; i < c.size(); ++i) {
      const GlyphPoint& a = c[i];
      const GlyphPoint& b = c[(i + 1) % c.size()];
      area += a.x * b.y - b.x * a.y;
    }
  }
  return area;
}
