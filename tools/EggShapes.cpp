#include "EggShapes.h"

#include <cmath>

void EggPath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  const int steps = 96;
  cairo_new_sub_path(cr);
  for (int i = 0; i < steps; ++i) {
    const double t = 2 * M_PI * i / steps;
    const double x = cx + rx * std::sin(t) * (1 - 0.12 * std::cos(t));
    const double y = cy - ry * std::cos(t);
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
}

void WholeEgg(cairo_t* cr, double cx, double cy, double rx, double ry, const ShellStyle& style) {
  cairo_new_path(cr);
  EggPath(cr, cx, cy, rx, ry);
  SetColor(cr, style.base);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  // One shade: the egg minus a copy moved towards the light (upper left).
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, cx - rx - 4, cy - ry - 4, 2 * rx + 8, 2 * ry + 8);
  EggPath(cr, cx - rx * 0.22, cy - ry * 0.16, rx * 1.02, ry * 1.0);
  SetColor(cr, style.shade);
  cairo_fill(cr);
  cairo_restore(cr);
  // One highlight, upper left.
  cairo_save(cr);
  cairo_translate(cr, cx - rx * 0.42, cy - ry * 0.42);
  cairo_rotate(cr, -0.5);
  EllipsePath(cr, 0, 0, rx * 0.18, ry * 0.26);
  SetColor(cr, style.highlight, 0.9);
  cairo_fill(cr);
  cairo_restore(cr);
  EggPath(cr, cx, cy, rx, ry);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void BlobPath(cairo_t* cr, double cx, double cy, double radius, double wobble, int lobes, double phase) {
  const int steps = 120;
  cairo_new_sub_path(cr);
  for (int i = 0; i < steps; ++i) {
    const double t = 2 * M_PI * i / steps;
    const double r = radius + wobble * std::sin(lobes * t + phase) + wobble * 0.4 * std::sin((lobes + 3) * t);
    const double x = cx + r * std::cos(t);
    const double y = cy + r * std::sin(t);
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
}

void Yolk(cairo_t* cr, double cx, double cy, double radius, Rgb color, Rgb shade) {
  cairo_new_path(cr);
  EllipsePath(cr, cx, cy, radius, radius);
  SetColor(cr, color);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  EllipsePath(cr, cx + radius * 0.35, cy + radius * 0.35, radius, radius);
  SetColor(cr, shade);
  cairo_fill(cr);
  cairo_restore(cr);
  EllipsePath(cr, cx - radius * 0.35, cy - radius * 0.35, radius * 0.28, radius * 0.22);
  SetColor(cr, palette::kWhite, 0.9);
  cairo_fill(cr);
  EllipsePath(cr, cx, cy, radius, radius);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
}

void Hen(cairo_t* cr, double outline) {
  // Tail feathers, body, wing, head with comb, beak and wattle.
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    EllipsePath(cr, 82 - i * 4, 98 + i * 22, 30, 16);
    FillOutlined(cr, i == 1 ? palette::kEggShade : palette::kEggWhite, outline);
  }
  WholeEgg(cr, 150, 150, 72, 58, {palette::kEggWhite, palette::kEggShade, palette::kWhite});
  EggPath(cr, 150, 150, 72, 58);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, outline);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 118, 138);
  cairo_curve_to(cr, 140, 120, 178, 128, 180, 156);
  cairo_curve_to(cr, 160, 178, 128, 170, 118, 138);
  FillOutlined(cr, palette::kEggShade, outline);
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    EllipsePath(cr, 192 + i * 10, 62 - (i == 1 ? 6 : 0), 8, 10);
    FillOutlined(cr, palette::kComb, outline);
  }
  cairo_new_path(cr);
  EllipsePath(cr, 204, 92, 30, 28);
  FillOutlined(cr, palette::kEggWhite, outline);
  cairo_new_path(cr);
  cairo_move_to(cr, 230, 90);
  cairo_line_to(cr, 252, 98);
  cairo_line_to(cr, 230, 106);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kYolk, outline);
  cairo_new_path(cr);
  EllipsePath(cr, 228, 114, 6, 9);
  FillOutlined(cr, palette::kComb, outline);
  EllipsePath(cr, 212, 86, 4.5, 5.5);
  SetColor(cr, palette::kOutline);
  cairo_fill(cr);
  EllipsePath(cr, 210.5, 84, 1.6, 1.6);
  SetColor(cr, palette::kWhite);
  cairo_fill(cr);
}
