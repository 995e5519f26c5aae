#include "MenuPictures.h"

#include <cmath>

#include "EggShapes.h"
#include "Paint.h"
#include "PictureFiles.h"

namespace {

constexpr Rgb kBanner = Hex(0x3D2B73);
constexpr Rgb kBannerLight = Hex(0x5E47A6);
constexpr Rgb kBadge = Hex(0xFFF1CF);

// The banner texture is stretched over the window with its top ~63 rows above
// the window's top edge; this maps virtual screen units onto its texels.
void ScreenUnitsOnBanner(cairo_t* cr) {
  cairo_translate(cr, -1.27 / 1.995, 126.73 / 1.999);
  cairo_scale(cr, 1 / 1.995, 1 / 1.999);
}

void Badge(cairo_t* cr) {
  cairo_new_path(cr);
  EllipsePath(cr, 150, 150, 140, 140);
  FillOutlined(cr, palette::kAmber, 4);
  EllipsePath(cr, 150, 150, 126, 126);
  FillOutlined(cr, kBadge, 3);
}

void Nest(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_new_path(cr);
  EllipsePath(cr, cx, cy, rx, ry);
  FillOutlined(cr, palette::kStraw);
  SetColor(cr, palette::kStrawShade);
  cairo_set_line_width(cr, 2.5);
  for (int i = 0; i < 9; ++i) {
    const double x = cx - rx * 0.8 + i * rx * 0.2;
    cairo_move_to(cr, x, cy - ry * 0.2 + (i % 2) * 6);
    cairo_line_to(cr, x + 14, cy + ry * 0.3 - (i % 2) * 6);
  }
  cairo_stroke(cr);
}

void GameBadge(cairo_t* cr) {
  Badge(cr);
  Hen(cr, kOutlineWidth);
  Nest(cr, 150, 206, 104, 30);
  WholeEgg(cr, 112, 220, 20, 27, {palette::kEggWhite, palette::kEggShade, palette::kWhite});
  WholeEgg(cr, 160, 226, 19, 25, {palette::kGold, palette::kGoldShade, palette::kWhite});
  WholeEgg(cr, 204, 222, 18, 24, {palette::kEggWhite, palette::kEggShade, palette::kWhite});
  Sparkle(cr, 176, 206, 7, palette::kWhite);
}

void TrophyCup(cairo_t* cr) {
  // Handles first, so that the cup covers their ends.
  for (double side : {-1.0, 1.0}) {
    cairo_new_path(cr);
    cairo_arc(cr, 150 + side * 62, 110, 26, side > 0 ? -M_PI / 2 : M_PI / 2, side > 0 ? M_PI / 2 : 3 * M_PI / 2);
    SetColor(cr, palette::kOutline);
    cairo_set_line_width(cr, 17);
    cairo_stroke_preserve(cr);
    SetColor(cr, palette::kGold);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 82, 62);
  cairo_line_to(cr, 218, 62);
  cairo_curve_to(cr, 218, 140, 190, 176, 150, 178);
  cairo_curve_to(cr, 110, 176, 82, 140, 82, 62);
  cairo_close_path(cr);
  SetColor(cr, palette::kGold);
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, 170, 50, 60, 140);
  SetColor(cr, palette::kGoldShade);
  cairo_fill(cr);
  cairo_restore(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, kOutlineWidth + 1);
  cairo_stroke(cr);
  cairo_new_path(cr);
  EllipsePath(cr, 105, 95, 7, 20);
  SetColor(cr, palette::kWhite, 0.85);
  cairo_fill(cr);
}

void TrophyPlinth(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_rectangle(cr, 138, 176, 24, 30);
  FillOutlined(cr, palette::kGoldShade, 4);
  cairo_new_path(cr);
  RoundedRectPath(cr, 104, 202, 92, 20, 6);
  FillOutlined(cr, palette::kGold, 4);
  cairo_new_path(cr);
  RoundedRectPath(cr, 92, 220, 116, 30, 6);
  FillOutlined(cr, palette::kDarkWood, 4);
  cairo_new_path(cr);
  RoundedRectPath(cr, 118, 228, 64, 14, 4);
  FillOutlined(cr, palette::kCream, 2);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner) {
  cairo_new_path(cr);
  for (int i = 0; i < 10; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const double r = (i % 2 == 0) ? outer : inner;
    const double x = cx + r * std::cos(angle), y = cy + r * std::sin(angle);
    if (i == 0) {
      cairo_move_to(cr, x, y);
    } else {
      cairo_line_to(cr, x, y);
    }
  }
  cairo_close_path(cr);
  FillOutlined(cr, palette::kWhite, 3);
}

void ScoresBadge(cairo_t* cr) {
  Badge(cr);
  TrophyCup(cr);
  TrophyPlinth(cr);
  Star(cr, 150, 112, 28, 12);
  Sparkle(cr, 70, 60, 12, palette::kAmber);
  Sparkle(cr, 232, 190, 10, palette::kAmber);
  Sparkle(cr, 236, 52, 7, palette::kGoldShade);
}

void Door(cairo_t* cr) {
  // Frame and the dark doorway.
  cairo_new_path(cr);
  RoundedRectPath(cr, 86, 46, 128, 206, 10);
  FillOutlined(cr, palette::kDarkWood, 4);
  cairo_new_path(cr);
  cairo_rectangle(cr, 100, 60, 100, 192);
  FillOutlined(cr, Hex(0x1B120B), 3);
  // The open door leaf, seen at an angle, hinged on the left.
  cairo_new_path(cr);
  cairo_move_to(cr, 100, 60);
  cairo_line_to(cr, 150, 40);
  cairo_line_to(cr, 150, 268);
  cairo_line_to(cr, 100, 252);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kWood, 4);
  SetColor(cr, palette::kDarkWood);
  cairo_set_line_width(cr, 2.5);
  for (int i = 1; i < 3; ++i) {
    const double x = 100 + i * 50.0 / 3;
    cairo_move_to(cr, x, 60 - i * 20.0 / 3 + 6);
    cairo_line_to(cr, x, 252 + i * 16.0 / 3 - 6);
  }
  cairo_stroke(cr);
  cairo_new_path(cr);
  EllipsePath(cr, 140, 158, 5, 7);
  FillOutlined(cr, palette::kGold, 2);
  // The way out.
  cairo_new_path(cr);
  cairo_move_to(cr, 160, 138);
  cairo_line_to(cr, 214, 138);
  cairo_line_to(cr, 214, 114);
  cairo_line_to(cr, 262, 156);
  cairo_line_to(cr, 214, 198);
  cairo_line_to(cr, 214, 174);
  cairo_line_to(cr, 160, 174);
  cairo_close_path(cr);
  FillOutlined(cr, palette::kAlien, 4);
}

void ExitBadge(cairo_t* cr) {
  Badge(cr);
  Door(cr);
}

bool WriteBadge(void (*draw)(cairo_t*), const std::string& path, bool tga) {
  Canvas canvas(300, 300);
  draw(canvas.cr());
  return tga ? WriteTga(canvas, path) : WritePng(canvas, path);
}

}  // namespace

bool MakeMenuBanner(const std::string& resDir) {
  Canvas canvas(512, 512);
  cairo_t* cr = canvas.cr();
  ScreenUnitsOnBanner(cr);
  cairo_new_path(cr);
  RoundedRectPath(cr, 6, -40, 1012, 196, 44);
  FillOutlined(cr, kBanner, 6);
  // Lighter pads behind the two arrows, where the player reaches to turn.
  for (double x : {132.0, 892.0}) {
    cairo_new_path(cr);
    EllipsePath(cr, x, 74, 70, 62);
    FillOutlined(cr, kBannerLight, 5);
  }
  cairo_new_path(cr);
  RoundedRectPath(cr, 18, -30, 988, 174, 36);
  SetColor(cr, palette::kAmber);
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  return WriteTga(canvas, resDir + "/bm_main.tga");
}

bool MakeWheelPictures(const std::string& resDir) {
  return WriteBadge(GameBadge, resDir + "/3.tga", true) && WriteBadge(ScoresBadge, resDir + "/hiscore.png", false) &&
         WriteBadge(ExitBadge, resDir + "/exit.png", false);
}

bool MakeProgressBars(const std::string& resDir) {
  Canvas fill(256, 10);
  cairo_t* cr = fill.cr();
  RoundedRectPath(cr, 1, 1, 254, 8, 4);
  SetColor(cr, palette::kAmber);
  cairo_fill_preserve(cr);
  SetColor(cr, palette::kOutline);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 6, 3.5);
  cairo_line_to(cr, 250, 3.5);
  SetColor(cr, Hex(0xFFE7A0));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  Canvas empty(256, 10);
  cr = empty.cr();
  RoundedRectPath(cr, 1, 1, 254, 8, 4);
  SetColor(cr, palette::kOutline, 0.75);
  cairo_fill_preserve(cr);
  SetColor(cr, palette::kCream);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  return WriteTga(fill, resDir + "/progress.tga") && WriteTga(empty, resDir + "/emptyprogress.tga");
}

bool MakePlainBackgrounds(const std::string& resDir) {
  Canvas white(16, 16);
  SetColor(white.cr(), palette::kWhite);
  cairo_paint(white.cr());
  Canvas blue(256, 256);
  cairo_t* cr = blue.cr();
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 0, 256);
  cairo_pattern_add_color_stop_rgb(gradient, 0.0, 0.16, 0.26, 0.70);
  cairo_pattern_add_color_stop_rgb(gradient, 0.5, 0.10, 0.18, 0.58);
  cairo_pattern_add_color_stop_rgb(gradient, 1.0, 0.06, 0.12, 0.45);
  cairo_set_source(cr, gradient);
  cairo_paint(cr);
  cairo_pattern_destroy(gradient);
  // Soft diagonal stripes so the panel does not look flat.
  SetColor(cr, palette::kWhite, 0.05);
  for (int i = -8; i < 16; ++i) {
    cairo_move_to(cr, i * 32, 0);
    cairo_line_to(cr, i * 32 + 256, 256);
    cairo_line_to(cr, i * 32 + 272, 256);
    cairo_line_to(cr, i * 32 + 16, 0);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
  return WriteBmp(white, resDir + "/emptytexture.bmp") && WriteBmp(blue, resDir + "/bluebg.bmp");
}
