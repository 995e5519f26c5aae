#include "EggPictures.h"

#include <cmath>
#include <functional>

#include "EggShapes.h"
#include "Paint.h"
#include "PictureFiles.h"

namespace {

constexpr int kCell = 64;
// The egg inside its cell: round enough that, spinning about the cell's
// centre, it keeps close to the ledge under the cell's bottom edge.
constexpr double kCx = 32, kCy = 33, kRx = 23, kRy = 28.5;

struct EggKind {
  const char* file;
  ShellStyle shell;
  Rgb yolk, yolkShade;
  Rgb splash;
  bool sparkles;
  bool stink;
};

const EggKind kKinds[] = {
    {"egg_strip.png", {palette::kEggWhite, palette::kEggShade, palette::kWhite}, palette::kYolk,
     palette::kYolkShade, palette::kEggWhite, false, false},
    {"golden_egg_strip.png", {palette::kGold, palette::kGoldShade, palette::kWhite}, palette::kYolk,
     palette::kYolkShade, palette::kEggWhite, true, false},
    {"zbuk_strip.png", {palette::kSpoiled, palette::kSpoiledShade, Hex(0xDCEB9E)}, Hex(0xA89A2A), Hex(0x6E6418),
     Hex(0xD4DA9C), false, true},
};

void WavyLine(cairo_t* cr, double x, double top, double length, double amplitude) {
  cairo_new_path(cr);
  cairo_move_to(cr, x, top + length);
  const int waves = 2;
  const double step = length / (2 * waves);
  for (int i = 0; i < 2 * waves; ++i) {
    const double side = (i % 2 == 0) ? amplitude : -amplitude;
    const double y0 = top + length - i * step;
    cairo_curve_to(cr, x + side, y0 - step * 0.3, x + side, y0 - step * 0.7, x, y0 - step);
  }
}

void StinkLines(cairo_t* cr, double offsetY) {
  SetColor(cr, palette::kStink);
  cairo_set_line_width(cr, 2.2);
  WavyLine(cr, 11, 3 + offsetY, 18, 2.5);
  cairo_stroke(cr);
  WavyLine(cr, 53, 5 + offsetY, 18, 2.5);
  cairo_stroke(cr);
}

void SpoiledSpots(cairo_t* cr) {
  SetColor(cr, palette::kSpoiledShade, 0.8);
  EllipsePath(cr, kCx + 6, kCy - 8, 3.2, 2.6);
  EllipsePath(cr, kCx - 8, kCy + 7, 2.6, 2.2);
  EllipsePath(cr, kCx + 3, kCy + 14, 2.0, 1.8);
  cairo_fill(cr);
}

// Zigzag across the egg at height y, teeth `tooth` high, into the path.
void ZigzagPath(cairo_t* cr, double y, double tooth) {
  const int teeth = 8;
  const double left = kCx - kRx - 4, width = 2 * kRx + 8;
  for (int i = 0; i <= teeth; ++i) {
    const double x = left + width * i / teeth;
    const double ty = y + ((i % 2 == 0) ? -tooth : tooth);
    if (i == 0) {
      cairo_move_to(cr, x, ty);
    } else {
      cairo_line_to(cr, x, ty);
    }
  }
}

void DecoratedEgg(cairo_t* cr, const EggKind& kind) {
  WholeEgg(cr, kCx, kCy, kRx, kRy, kind.shell);
  if (kind.stink) SpoiledSpots(cr);
  if (kind.sparkles) {
    Sparkle(cr, kCx + 7, kCy - 10, 5, palette::kWhite);
    Sparkle(cr, kCx - 6, kCy + 12, 3.5, palette::kWhite);
  }
}

void Crack(cairo_t* cr, std::initializer_list<std::pair<double, double>> points, double width) {
  cairo_new_path(cr);
  bool first = true;
  for (const auto& point : points) {
    if (first) {
      cairo_move_to(cr, point.first, point.second);
      first = false;
    } else {
      cairo_line_to(cr, point.first, point.second);
    }
  }
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

void CrackedEgg(cairo_t* cr, const EggKind& kind, int stage) {
  DecoratedEgg(cr, kind);
  cairo_save(cr);
  EggPath(cr, kCx, kCy, kRx - 1, kRy - 1);
  cairo_clip(cr);
  Crack(cr, {{10, 30}, {17, 35}, {22, 29}, {28, 36}, {33, 31}, {37, 35}}, 2.2);
  if (stage >= 2) {
    Crack(cr, {{37, 35}, {42, 29}, {47, 35}, {54, 31}}, 2.6);
    Crack(cr, {{28, 36}, {26, 43}, {31, 47}}, 2.0);
    Crack(cr, {{42, 29}, {41, 22}, {45, 17}}, 2.0);
    // A glimpse of the yolk through the widest gap.
    EllipsePath(cr, 25, 33, 2.0, 1.4);
    SetColor(cr, kind.yolk);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// The part of the egg above (or below) the zigzag, moved by (dx, dy) and
// turned by `angle` about its own middle.
void ShellPiece(cairo_t* cr, const EggKind& kind, bool top, double dx, double dy, double angle) {
  const double cut = kCy + 2;
  cairo_save(cr);
  const double pivotY = top ? kCy - 12 : kCy + 14;
  cairo_translate(cr, kCx + dx, pivotY + dy);
  cairo_rotate(cr, angle);
  cairo_translate(cr, -kCx, -pivotY);
  cairo_new_path(cr);
  ZigzagPath(cr, cut, 3);
  const double edge = top ? kCy - kRy - 4 : kCy + kRy + 4;
  cairo_line_to(cr, kCx + kRx + 4, edge);
  cairo_line_to(cr, kCx - kRx - 4, edge);
  cairo_close_path(cr);
  cairo_clip(cr);
  DecoratedEgg(cr, kind);
  cairo_new_path(cr);
  ZigzagPath(cr, cut, 3);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Burst(cairo_t* cr, const EggKind& kind) {
  // Drawn a little smaller so that the flying pieces stay inside the cell.
  cairo_translate(cr, kCell / 2.0, kCell / 2.0);
  cairo_scale(cr, 0.84, 0.84);
  cairo_translate(cr, -kCell / 2.0, -kCell / 2.0);
  cairo_new_path(cr);
  BlobPath(cr, kCx, kCy + 8, 19, 2.5, 7, 0.3);
  FillOutlined(cr, kind.splash, 2.0);
  ShellPiece(cr, kind, false, 0, 6, 0.15);
  Yolk(cr, kCx + 1, kCy + 4, 9, kind.yolk, kind.yolkShade);
  ShellPiece(cr, kind, true, -5, -7, -0.55);
  // Flying drops.
  for (const auto& drop : {std::pair<double, double>{8, 22}, {56, 24}, {52, 10}}) {
    EllipsePath(cr, drop.first, drop.second, 2.6, 2.6);
    FillOutlined(cr, kind.yolk, 1.5);
  }
  if (kind.stink) StinkLines(cr, 0);
  if (kind.sparkles) {
    Sparkle(cr, 10, 10, 6, palette::kWhite);
    Sparkle(cr, 55, 50, 5, palette::kWhite);
  }
}

void ShellShard(cairo_t* cr, const EggKind& kind, double x, double y, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_new_path(cr);
  cairo_move_to(cr, -6, 2);
  cairo_line_to(cr, -3, -3);
  cairo_line_to(cr, 0, -1);
  cairo_line_to(cr, 3, -4);
  cairo_line_to(cr, 6, 2);
  cairo_curve_to(cr, 3, 4, -3, 4, -6, 2);
  cairo_close_path(cr);
  FillOutlined(cr, kind.shell.base, 1.8);
  cairo_restore(cr);
}

// What is left on the ground: round, so it reads whatever angle the egg had.
void Mess(cairo_t* cr, const EggKind& kind) {
  cairo_new_path(cr);
  BlobPath(cr, kCx, kCy, 24, 3.0, 6, 0.8);
  FillOutlined(cr, kind.splash, 2.2);
  Yolk(cr, kCx + 1, kCy + 1, 10.5, kind.yolk, kind.yolkShade);
  ShellShard(cr, kind, 14, 18, -0.4);
  ShellShard(cr, kind, 50, 22, 0.7);
  ShellShard(cr, kind, 24, 52, 2.9);
  ShellShard(cr, kind, 48, 48, 2.2);
  if (kind.stink) StinkLines(cr, -2);
  if (kind.sparkles) {
    Sparkle(cr, 8, 8, 6, palette::kWhite);
    Sparkle(cr, 57, 58, 5, palette::kWhite);
    Sparkle(cr, 58, 8, 4, palette::kGold);
  }
}

bool MakeStrip(const EggKind& kind, const std::string& path) {
  Canvas canvas(5 * kCell, kCell);
  cairo_t* cr = canvas.cr();
  const std::function<void()> cells[] = {
      [&] {
        DecoratedEgg(cr, kind);
        if (kind.stink) StinkLines(cr, 0);
      },
      [&] { CrackedEgg(cr, kind, 1); },
      [&] { CrackedEgg(cr, kind, 2); },
      [&] { Burst(cr, kind); },
      [&] { Mess(cr, kind); },
  };
  for (int i = 0; i < 5; ++i) {
    cairo_save(cr);
    cairo_rectangle(cr, i * kCell, 0, kCell, kCell);
    cairo_clip(cr);
    cairo_translate(cr, i * kCell, 0);
    cells[i]();
    cairo_restore(cr);
  }
  return WritePng(canvas, path);
}

void Rivet(cairo_t* cr, double x, double y) {
  cairo_new_path(cr);
  EllipsePath(cr, x, y, 2.1, 2.1);
  FillOutlined(cr, palette::kMetalShade, 1.2);
  EllipsePath(cr, x - 0.6, y - 0.6, 0.7, 0.7);
  SetColor(cr, palette::kWhite);
  cairo_fill(cr);
}

// The cyber egg's shell: metal with a riveted band and a seam.
void MetalEgg(cairo_t* cr) {
  WholeEgg(cr, kCx, kCy, kRx, kRy, {palette::kMetal, palette::kMetalShade, palette::kWhite});
  cairo_save(cr);
  EggPath(cr, kCx, kCy, kRx, kRy);
  cairo_clip(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, 0, kCy - 1, kCell, 7);
  SetColor(cr, palette::kMetalShade);
  cairo_fill_preserve(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_move_to(cr, kCx + 2, kCy - kRy);
  cairo_curve_to(cr, kCx + 6, kCy - 14, kCx + 6, kCy - 6, kCx + 4, kCy - 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  for (int i = 0; i < 5; ++i) Rivet(cr, kCx - 14 + 7 * i, kCy + 2.5);
  Rivet(cr, kCx - 7, kCy - 14);
  Rivet(cr, kCx + 10, kCy + 15);
  EggPath(cr, kCx, kCy, kRx, kRy);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

// Alien pieces, drawn with the head centred on (x, y).
void AlienHead(cairo_t* cr, double x, double y) {
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 1.8);
  cairo_move_to(cr, x - 5, y - 9);
  cairo_line_to(cr, x - 9, y - 17);
  cairo_move_to(cr, x + 5, y - 9);
  cairo_line_to(cr, x + 9, y - 17);
  cairo_stroke(cr);
  EllipsePath(cr, x - 9, y - 17, 2.6, 2.6);
  FillOutlined(cr, palette::kAmber, 1.4);
  EllipsePath(cr, x + 9, y - 17, 2.6, 2.6);
  FillOutlined(cr, palette::kAmber, 1.4);
  cairo_new_path(cr);
  EllipsePath(cr, x, y, 13, 11);
  FillOutlined(cr, palette::kAlien, 2.0);
  for (double side : {-1.0, 1.0}) {
    EllipsePath(cr, x + side * 5, y - 1, 4.2, 5.0);
    FillOutlined(cr, palette::kWhite, 1.4);
    EllipsePath(cr, x + side * 5 + 0.8, y, 2.0, 2.6);
    SetColor(cr, palette::kOutline);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_arc(cr, x, y + 5, 3.5, 0.3, M_PI - 0.3);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void AlienArm(cairo_t* cr, double shoulderX, double shoulderY, double angle) {
  const double handX = shoulderX + 15 * std::cos(angle), handY = shoulderY + 15 * std::sin(angle);
  cairo_new_path(cr);
  cairo_move_to(cr, shoulderX, shoulderY);
  cairo_line_to(cr, handX, handY);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 5.5);
  cairo_stroke_preserve(cr);
  SetColor(cr, palette::kAlien);
  cairo_set_line_width(cr, 2.8);
  cairo_stroke(cr);
  EllipsePath(cr, handX, handY, 3.6, 3.6);
  FillOutlined(cr, palette::kAlien, 1.5);
}

// The broken cyber egg's lower half, which the alien stands in.
void MetalCup(cairo_t* cr) {
  cairo_save(cr);
  cairo_new_path(cr);
  ZigzagPath(cr, kCy + 12, 3);
  cairo_line_to(cr, kCx + kRx + 4, kCy + kRy + 4);
  cairo_line_to(cr, kCx - kRx - 4, kCy + kRy + 4);
  cairo_close_path(cr);
  cairo_clip(cr);
  MetalEgg(cr);
  cairo_new_path(cr);
  ZigzagPath(cr, kCy + 12, 3);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void AlienCell(cairo_t* cr, int cell) {
  // How far the alien has climbed out, and its waving arm's angle.
  const double rise[] = {4, 10, 16, 18, 18, 18, 18};
  const double wave[] = {0, 0, 0, -0.3, -0.8, -1.3, -0.8};
  const double headY = 46 - rise[cell];
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, kCell, kCy + 13);  // the cup's rim hides the rest of the alien
  cairo_clip(cr);
  cairo_new_path(cr);
  EllipsePath(cr, kCx, headY + 18, 9, 11);
  FillOutlined(cr, palette::kAlienShade, 2.0);
  // Both arms up at the end, where the animation stops.
  if (cell >= 2) AlienArm(cr, kCx - 9, headY + 12, cell == 6 ? -2.3 : 2.3);
  if (cell >= 3) AlienArm(cr, kCx + 9, headY + 10, wave[cell]);
  AlienHead(cr, kCx, headY);
  cairo_restore(cr);
  MetalCup(cr);
}

}  // namespace

bool MakeEggStrips(const std::string& resDir) {
  for (const EggKind& kind : kKinds) {
    if (!MakeStrip(kind, resDir + "/" + kind.file)) return false;
  }
  return true;
}

bool MakeCyberEgg(const std::string& resDir) {
  Canvas canvas(kCell, kCell);
  MetalEgg(canvas.cr());
  return WritePng(canvas, resDir + "/cyberegg.png");
}

bool MakeAlienStrip(const std::string& resDir) {
  Canvas canvas(7 * kCell, kCell);
  cairo_t* cr = canvas.cr();
  for (int i = 0; i < 7; ++i) {
    cairo_save(cr);
    cairo_rectangle(cr, i * kCell, 0, kCell, kCell);
    cairo_clip(cr);
    cairo_translate(cr, i * kCell, 0);
    AlienCell(cr, i);
    cairo_restore(cr);
  }
  return WritePng(canvas, resDir + "/alien_strip.png");
}
