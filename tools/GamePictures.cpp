#include "GamePictures.h"

#include <cmath>

#include "EggShapes.h"
#include "Paint.h"
#include "PictureFiles.h"

namespace {

void BasketWeave(cairo_t* cr) {
  // Rows of woven strands: alternate light and shaded bumps.
  for (int row = 0; row < 4; ++row) {
    const double y = 26 + row * 9;
    for (int i = 0; i < 12; ++i) {
      const double x = 4 + i * 11 + ((row % 2) ? 5.5 : 0);
      EllipsePath(cr, x, y, 5.2, 3.6);
      SetColor(cr, (i + row) % 2 ? palette::kWood : palette::kWoodLight);
      cairo_fill_preserve(cr);
      SetColor(cr, palette::kDarkWood);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
    }
  }
}

void BasketBodyPath(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 5, 16);
  cairo_line_to(cr, 123, 16);
  cairo_curve_to(cr, 120, 40, 114, 58, 100, 61);
  cairo_line_to(cr, 28, 61);
  cairo_curve_to(cr, 14, 58, 8, 40, 5, 16);
  cairo_close_path(cr);
}

}  // namespace

bool MakeBasket(const std::string& resDir) {
  Canvas canvas(128, 64);
  cairo_t* cr = canvas.cr();
  // Straw peeking over the rim.
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 3.5);
  for (int i = 0; i < 9; ++i) {
    const double x = 18 + i * 11.5;
    cairo_move_to(cr, x, 14);
    cairo_line_to(cr, x + ((i % 2) ? 5 : -5), 5 + (i % 3) * 2);
  }
  cairo_stroke_preserve(cr);
  SetColor(cr, palette::kStraw);
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);

  BasketBodyPath(cr);
  SetColor(cr, palette::kWood);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  BasketWeave(cr);
  // One shade along the bottom.
  cairo_rectangle(cr, 0, 50, 128, 14);
  SetColor(cr, palette::kDarkWood, 0.55);
  cairo_fill(cr);
  cairo_restore(cr);
  BasketBodyPath(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, kOutlineWidth);
  cairo_stroke(cr);
  // The rim.
  cairo_new_path(cr);
  RoundedRectPath(cr, 2, 10, 124, 11, 5.5);
  FillOutlined(cr, palette::kWoodLight, 2.5);
  cairo_move_to(cr, 8, 13.5);
  cairo_line_to(cr, 120, 13.5);
  SetColor(cr, palette::kStraw, 0.9);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  return WritePng(canvas, resDir + "/basket2.png");
}

namespace {

// The silhouette as one open line: up the left side, over the head, down the right.
void SilhouettePath(cairo_t* cr) {
  const double cx = 256, headY = 150, headRx = 82, headRy = 100;
  const double neck = 44;
  const double meet = std::acos(neck / headRx);  // where the neck meets the head
  const double neckTop = headY + headRy * std::sin(meet);
  cairo_new_path(cr);
  cairo_move_to(cr, 24, 676);
  cairo_line_to(cr, 24, 490);
  cairo_curve_to(cr, 24, 380, 120, 350, cx - neck - 30, 330);
  cairo_curve_to(cr, cx - neck - 4, 322, cx - neck, 310, cx - neck, 290);
  cairo_line_to(cr, cx - neck, neckTop);
  cairo_save(cr);
  cairo_translate(cr, cx, headY);
  cairo_scale(cr, headRx, headRy);
  cairo_arc(cr, 0, 0, 1, M_PI - meet, 2 * M_PI + meet);
  cairo_restore(cr);
  cairo_line_to(cr, cx + neck, 290);
  cairo_curve_to(cr, cx + neck, 310, cx + neck + 4, 322, cx + neck + 30, 330);
  cairo_curve_to(cr, 392, 350, 488, 380, 488, 490);
  cairo_line_to(cr, 488, 676);
}

}  // namespace

bool MakeContour(const std::string& resDir) {
  Canvas canvas(512, 680);
  cairo_t* cr = canvas.cr();
  // A dark edge on both sides keeps the white line visible over a bright room.
  SilhouettePath(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 16);
  cairo_stroke(cr);
  SilhouettePath(cr);
  SetColor(cr, palette::kWhite);
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);
  return WritePng(canvas, resDir + "/contour.png");
}

bool MakeIcon(const std::string& resDir) {
  Canvas canvas(128, 128);
  cairo_t* cr = canvas.cr();
  RoundedRectPath(cr, 4, 4, 120, 120, 26);
  FillOutlined(cr, Hex(0x2E4A7D), 5);
  // The nest: its back rim, the eggs, then its front half over them.
  cairo_new_path(cr);
  EllipsePath(cr, 64, 92, 50, 16);
  FillOutlined(cr, palette::kStrawShade, 4);
  WholeEgg(cr, 48, 70, 17, 23, {palette::kEggWhite, palette::kEggShade, palette::kWhite});
  WholeEgg(cr, 80, 72, 16, 21, {palette::kGold, palette::kGoldShade, palette::kWhite});
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, 64, 92);
  cairo_scale(cr, 50, 22);
  cairo_arc(cr, 0, 0, 1, 0, M_PI);
  cairo_restore(cr);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kStraw, 4);
  SetColor(cr, palette::kStrawShade);
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i < 6; ++i) {
    cairo_move_to(cr, 30 + i * 12, 98 + (i % 2) * 4);
    cairo_line_to(cr, 40 + i * 12, 104 - (i % 2) * 4);
  }
  cairo_stroke(cr);
  Sparkle(cr, 100, 36, 10, palette::kWhite);
  Sparkle(cr, 24, 30, 6, palette::kAmber);
  return WritePng(canvas, resDir + "/zestbox.png");
}
