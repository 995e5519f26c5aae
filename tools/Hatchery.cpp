#include <algorithm>
#include <cmath>
#include <vector>

#include "EggShapes.h"
#include "GamePictures.h"
#include "Paint.h"
#include "PictureFiles.h"

// The hatchery is drawn as a 1024 x 768 texture layer over the camera; its
// quad maps picture pixels onto the virtual 1024 x 768 screen within about a
// pixel, so the ledges are drawn straight in the eggs' path coordinates.

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr double kPost = 26;           // width of the side posts
constexpr double kRoof = 24;           // height of the roof beam
constexpr double kEgg = 64;            // an egg picture's cell
constexpr double kPlank = 24;          // ledge thickness: straw, then wood
constexpr double kStrawLayer = 8;

struct Point {
  double x, y;
};

// One chute of the egg game: start (top-left of the egg), the x at which it
// leaves the flat ledge, its slide velocity and the x at which it drops.
struct Chute {
  Point start;
  double firstTurnX;
  Point slide;
  double secondTurnX;
};

const Chute kChutes[] = {
    {{30, 100}, 35, {3.5, 2.6}, 200},
    {{30, 305}, 35, {3.5, 2.6}, 200},
    {{915, 120}, 980, {-3.5, 2.9}, 765},
    {{920, 375}, 910, {-3.5, 2.5}, 765},
};

// The ledge's top edge: the eggs' bottom-centre points, from the post to the drop.
std::vector<Point> LedgeTop(const Chute& chute) {
  const bool leftSide = chute.slide.x > 0;
  const double offsetX = kEgg / 2, offsetY = kEgg;
  // An egg that starts beyond its first turn slides from its start point.
  const bool startsSliding = leftSide ? chute.start.x > chute.firstTurnX : chute.start.x < chute.firstTurnX;
  const double turnX = startsSliding ? chute.start.x : chute.firstTurnX;
  const double slope = chute.slide.y / std::fabs(chute.slide.x);
  const double dropY = chute.start.y + std::fabs(chute.secondTurnX - turnX) * slope;
  const double postEdge = leftSide ? kPost - 2 : kWidth - kPost + 2;
  return {{postEdge, chute.start.y + offsetY},
          {turnX + offsetX, chute.start.y + offsetY},
          {chute.secondTurnX + offsetX, dropY + offsetY}};
}

void LedgePath(cairo_t* cr, const std::vector<Point>& top, double depth) {
  const bool leftSide = top.back().x > top.front().x;
  const double lip = leftSide ? 8 : -8;  // a rounded end just past the drop point
  cairo_new_path(cr);
  cairo_move_to(cr, top[0].x, top[0].y);
  for (size_t i = 1; i < top.size(); ++i) cairo_line_to(cr, top[i].x, top[i].y);
  const Point end = top.back();
  cairo_curve_to(cr, end.x + lip, end.y, end.x + lip * 1.4, end.y + depth, end.x, end.y + depth);
  for (size_t i = top.size() - 1; i-- > 0;) cairo_line_to(cr, top[i].x, top[i].y + depth);
  cairo_close_path(cr);
}

// Height of the ledge's top edge at `x`, along its polyline.
double TopYAt(const std::vector<Point>& top, double x) {
  for (size_t i = 0; i + 1 < top.size(); ++i) {
    const Point a = top[i], b = top[i + 1];
    if ((x - a.x) * (x - b.x) <= 0) return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
  }
  return top.back().y;
}

// A diagonal strut from the post up to the underside of the ledge.
void KneeBrace(cairo_t* cr, const std::vector<Point>& top) {
  const double dir = top.back().x > top.front().x ? 1 : -1;
  const double postX = top.front().x - dir * 2;
  const double postY = top.front().y + kPlank + 44;
  const double farX = postX + dir * 74, nearX = postX + dir * 58;
  cairo_new_path(cr);
  cairo_move_to(cr, postX, postY);
  cairo_line_to(cr, postX, postY + 16);
  cairo_line_to(cr, farX, TopYAt(top, farX) + kPlank - 3);
  cairo_line_to(cr, nearX, TopYAt(top, nearX) + kPlank - 3);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kDarkWood, 2.5);
}

// Straw tufts hanging under the plank.
void StrawFringe(cairo_t* cr, const std::vector<Point>& top) {
  for (size_t s = 0; s + 1 < top.size(); ++s) {
    const Point a = top[s], b = top[s + 1];
    const int tufts = static_cast<int>(std::fabs(b.x - a.x) / 34);
    for (int i = 0; i < tufts; ++i) {
      const double t = (i + 0.5) / tufts;
      const double x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t + kPlank;
      cairo_new_path(cr);
      cairo_move_to(cr, x - 6, y - 1);
      cairo_line_to(cr, x - 3, y + 9 + (i % 2) * 3);
      cairo_line_to(cr, x, y + 2);
      cairo_line_to(cr, x + 3, y + 11 - (i % 2) * 3);
      cairo_line_to(cr, x + 6, y - 1);
      cairo_close_path(cr);
      FillOutlined(cr, palette::kStraw, 1.8);
    }
  }
}

void Ledge(cairo_t* cr, const Chute& chute) {
  const std::vector<Point> top = LedgeTop(chute);
  KneeBrace(cr, top);
  StrawFringe(cr, top);
  // Wood under a layer of straw; the outline is drawn inside the shape's top
  // edge so that the opaque edge stays exactly on the egg's path.
  LedgePath(cr, top, kPlank);
  SetColor(cr, palette::kWood);
  cairo_fill(cr);
  LedgePath(cr, top, kStrawLayer);
  SetColor(cr, palette::kStraw);
  cairo_fill(cr);
  cairo_save(cr);
  LedgePath(cr, top, kPlank);
  cairo_clip_preserve(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 2 * kOutlineWidth);
  cairo_stroke(cr);
  cairo_restore(cr);
  // Straw strands over the straw layer.
  SetColor(cr, palette::kStrawShade);
  cairo_set_line_width(cr, 1.2);
  for (size_t s = 0; s + 1 < top.size(); ++s) {
    const Point a = top[s], b = top[s + 1];
    const int strands = static_cast<int>(std::fabs(b.x - a.x) / 7);
    for (int i = 0; i < strands; ++i) {
      const double t = (i + 0.3) / strands, u = t + 3.5 / std::fabs(b.x - a.x);
      cairo_move_to(cr, a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t + 3.5 + (i % 2));
      cairo_line_to(cr, a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u + 4.5 - (i % 2));
    }
  }
  cairo_stroke(cr);
}

// A hen on a shelf just above each chute's start, facing the middle, as if
// she had just laid the egg that appears below her.
void HenShelf(cairo_t* cr, const Chute& chute) {
  const bool leftSide = chute.slide.x > 0;
  const double middle = chute.start.x + kEgg / 2;
  const double shelfBottom = chute.start.y - 2, shelfTop = shelfBottom - 7;
  const double wall = leftSide ? kPost - 2 : kWidth - kPost + 2;
  const double outer = leftSide ? chute.start.x + kEgg + 4 : chute.start.x - 4;
  cairo_new_path(cr);
  cairo_rectangle(cr, std::min(wall, outer), shelfTop, std::fabs(outer - wall), shelfBottom - shelfTop);
  FillOutlined(cr, palette::kDarkWood, 2.5);
  cairo_new_path(cr);
  EllipsePath(cr, middle, shelfTop - 2, 36, 7);
  FillOutlined(cr, palette::kStraw, 2.5);
  constexpr double scale = 0.3;
  cairo_save(cr);
  cairo_translate(cr, middle, shelfTop - 5);
  cairo_scale(cr, leftSide ? scale : -scale, scale);
  cairo_translate(cr, -150, -208);
  Hen(cr, 2.5 / scale);
  cairo_restore(cr);
  // The nest's front rim over the hen's belly.
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, middle, shelfTop - 2);
  cairo_scale(cr, 36, 9);
  cairo_arc(cr, 0, 0, 1, 0, M_PI);
  cairo_restore(cr);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kStraw, 2.5);
  SetColor(cr, palette::kStrawShade);
  cairo_set_line_width(cr, 1.3);
  for (int i = 0; i < 7; ++i) {
    const double x = middle - 28 + i * 8;
    cairo_move_to(cr, x, shelfTop + 1 + (i % 2) * 2);
    cairo_line_to(cr, x + 6, shelfTop + 4 - (i % 2) * 2);
  }
  cairo_stroke(cr);
}

void Post(cairo_t* cr, double x) {
  cairo_new_path(cr);
  cairo_rectangle(cr, x, -4, kPost, kHeight + 8);
  FillOutlined(cr, palette::kWood);
  SetColor(cr, palette::kDarkWood);
  cairo_set_line_width(cr, 1.5);
  for (int i = 0; i < 9; ++i) {
    const double gx = x + 7 + (i % 3) * 6, gy = 60 + i * 80;
    cairo_move_to(cr, gx, gy);
    cairo_curve_to(cr, gx + 2, gy + 15, gx - 2, gy + 30, gx, gy + 44);
  }
  cairo_stroke(cr);
  cairo_rectangle(cr, x + kPost - 7, 0, 5, kHeight);
  SetColor(cr, palette::kDarkWood, 0.5);
  cairo_fill(cr);
}

void Roof(cairo_t* cr) {
  // Scalloped eave board under the roof beam.
  cairo_new_path(cr);
  cairo_move_to(cr, -4, kRoof);
  for (double x = 0; x < kWidth; x += 32) cairo_arc_negative(cr, x + 16, kRoof, 16, M_PI, 0);
  cairo_line_to(cr, kWidth + 4, kRoof);
  cairo_line_to(cr, kWidth + 4, 0);
  cairo_line_to(cr, -4, 0);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kRoofShade);
  cairo_new_path(cr);
  cairo_rectangle(cr, -4, -4, kWidth + 8, kRoof + 4);
  FillOutlined(cr, palette::kRoof);
  SetColor(cr, palette::kRoofShade);
  cairo_set_line_width(cr, 2);
  for (double x = 20; x < kWidth; x += 40) {
    cairo_move_to(cr, x, 4);
    cairo_line_to(cr, x - 8, kRoof - 3);
  }
  cairo_stroke(cr);
}

void CornerBrace(cairo_t* cr, bool left) {
  const double postX = left ? kPost - 3 : kWidth - kPost + 3;
  const double dir = left ? 1 : -1;
  cairo_new_path(cr);
  cairo_move_to(cr, postX, 62);
  cairo_line_to(cr, postX, 80);
  cairo_line_to(cr, postX + dir * 74, kRoof + 8);
  cairo_line_to(cr, postX + dir * 56, kRoof + 8);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kDarkWood, 2.5);
}

void GroundStraw(cairo_t* cr) {
  // The floor the eggs break on: a straw bed with heaps under the drops.
  cairo_new_path(cr);
  cairo_move_to(cr, -4, kHeight + 4);
  cairo_line_to(cr, -4, 752);
  const double heaps[] = {232, 797};
  for (double x = 0; x <= kWidth; x += 8) {
    double y = 752 + 2 * std::sin(x * 0.21);
    for (double heap : heaps) {
      const double d = (x - heap) / 90;
      y -= 18 * std::exp(-d * d);
    }
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, kWidth + 4, kHeight + 4);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kStraw);
  SetColor(cr, palette::kStrawShade);
  cairo_set_line_width(cr, 1.4);
  for (int i = 0; i < 120; ++i) {
    const double x = 4 + i * 8.5, y = 758 + (i * 7 % 9);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + ((i % 2) ? 7 : -6), y + 4);
  }
  cairo_stroke(cr);
}

}  // namespace

bool MakeHatchery(const std::string& resDir) {
  Canvas canvas(kWidth, kHeight);
  cairo_t* cr = canvas.cr();
  GroundStraw(cr);
  CornerBrace(cr, true);
  CornerBrace(cr, false);
  for (const Chute& chute : kChutes) Ledge(cr, chute);
  for (const Chute& chute : kChutes) HenShelf(cr, chute);
  Post(cr, 0);
  Post(cr, kWidth - kPost);
  Roof(cr);
  return WriteTga(canvas, resDir + "/hatchery.tga");
}
