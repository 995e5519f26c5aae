#include "Paint.h"

#include <cmath>

Canvas::Canvas(int width, int height)
    : w(width), h(height), target(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(target)) {
  cairo_set_antialias(context, CAIRO_ANTIALIAS_GRAY);
  cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
  cairo_destroy(context);
  cairo_surface_destroy(target);
}

void SetColor(cairo_t* cr, Rgb color, double alpha) {
  cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
}

void FillOutlined(cairo_t* cr, Rgb fill, double outlineWidth) {
  SetColor(cr, fill);
  cairo_fill_preserve(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, outlineWidth);
  cairo_stroke(cr);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - radius, y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, x + radius, y + height - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Sparkle(cairo_t* cr, double cx, double cy, double size, Rgb color) {
  const double waist = size * 0.22;
  cairo_move_to(cr, cx, cy - size);
  cairo_curve_to(cr, cx + waist * 0.3, cy - waist, cx + waist, cy - waist * 0.3, cx + size, cy);
  cairo_curve_to(cr, cx + waist, cy + waist * 0.3, cx + waist * 0.3, cy + waist, cx, cy + size);
  cairo_curve_to(cr, cx - waist * 0.3, cy + waist, cx - waist, cy + waist * 0.3, cx - size, cy);
  cairo_curve_to(cr, cx - waist, cy - waist * 0.3, cx - waist * 0.3, cy - waist, cx, cy - size);
  cairo_close_path(cr);
  SetColor(cr, color);
  cairo_fill(cr);
}

void SelectRoundedFace(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "Comic Neue", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void OutlinedText(cairo_t* cr, const std::string& text, double cx, double baseline, Rgb fill, double outline) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_new_path(cr);
  cairo_move_to(cr, cx - extents.x_advance / 2, baseline);
  cairo_text_path(cr, text.c_str());
  if (outline > 0) {
    SetColor(cr, palette::kOutline);
    cairo_set_line_width(cr, outline * 2);
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, fill);
  cairo_fill(cr);
}
