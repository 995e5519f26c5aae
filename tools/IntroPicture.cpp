#include "IntroPicture.h"

#include <cmath>

#include "EggShapes.h"
#include "Paint.h"
#include "PictureFiles.h"

namespace {

constexpr Rgb kText = Hex(0xFFF8E7);
constexpr Rgb kPanel = Hex(0x000000);

// The introduction's words in one language; the game picks the picture of
// the player's language through its message catalogue.
struct IntroTexts {
  const char* file;
  const char* hint[2];       // beside the arrow to "Play"
  const char* chutes[2];     // the quarters diagram
  const char* quarters[2];
  const char* golden[2];
  const char* spoiled[2];
  const char* broken[2];
  const char* farewell;
};

constexpr IntroTexts kEnglish = {
    "egg_intro_en.png",
    {"Hold your hand over \"Play\"", "up here to start!"},
    {"Eggs roll down four chutes.", "Two on the left, two on the right."},
    {"Move in the quarter where an egg will drop:", "the basket jumps there and catches it."},
    {"Golden egg: catch it!", "100 points and an extra try."},
    {"Spoiled egg: let it fall!", "Catching it costs a try."},
    {"A white egg that breaks costs a try.", "Catch enough eggs to reach the next level."},
    "You start with six tries. Good luck!",
};

constexpr IntroTexts kPolish = {
    "egg_intro_pl.png",
    {"Przytrzymaj dłoń nad „Graj”", "tutaj, żeby zacząć!"},
    {"Jajka toczą się czterema rynnami.", "Dwie po lewej, dwie po prawej."},
    {"Ruszaj się w ćwiartce, gdzie spadnie jajko:", "koszyk przeskoczy tam i je złapie."},
    {"Złote jajko: złap je!", "100 punktów i dodatkowe życie."},
    {"Zgniłe jajko: niech spadnie!", "Złapanie go kosztuje życie."},
    {"Stłuczone białe jajko kosztuje życie.", "Złap dość jajek, by przejść do kolejnego etapu."},
    "Na start masz sześć żyć. Powodzenia!",
};

void LeftText(cairo_t* cr, const char* text, double x, double baseline, Rgb color) {
  cairo_new_path(cr);
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, text);
  SetColor(cr, color);
  cairo_fill(cr);
}

// Screen quarters: a small picture of the screen with the four chutes, the
// basket in the lower left quarter and a hand moving there.
void QuartersDiagram(cairo_t* cr, double x, double y) {
  const double w = 168, h = 126;
  cairo_new_path(cr);
  RoundedRectPath(cr, x, y, w, h, 8);
  SetColor(cr, palette::kCream);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_rectangle(cr, x + 4, y + h / 2 + 4, w / 2 - 8, h / 2 - 8);
  SetColor(cr, palette::kAmber, 0.85);
  cairo_fill(cr);
  SetColor(cr, palette::kCream);
  cairo_set_line_width(cr, 2);
  const double dashes[] = {6, 5};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_move_to(cr, x + w / 2, y + 6);
  cairo_line_to(cr, x + w / 2, y + h - 6);
  cairo_move_to(cr, x + 6, y + h / 2);
  cairo_line_to(cr, x + w - 6, y + h / 2);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  // The four chutes.
  SetColor(cr, palette::kWood);
  cairo_set_line_width(cr, 4);
  for (const double top : {0.18, 0.45}) {
    cairo_move_to(cr, x + 8, y + h * top);
    cairo_line_to(cr, x + 40, y + h * (top + 0.14));
    cairo_move_to(cr, x + w - 8, y + h * top);
    cairo_line_to(cr, x + w - 40, y + h * (top + 0.14));
  }
  cairo_stroke(cr);
  WholeEgg(cr, x + 44, y + h * 0.72, 7, 9, {palette::kEggWhite, palette::kEggShade, palette::kWhite});
  // Motion marks beside the hand.
  SetColor(cr, palette::kWhite);
  cairo_set_line_width(cr, 3);
  for (int i = 0; i < 3; ++i) {
    cairo_new_path(cr);
    cairo_arc(cr, x + 40, y + h * 0.8, 14 + i * 7, -0.6, 0.6);
    cairo_stroke(cr);
  }
}

void Line(cairo_t* cr, double iconY, const char* first, const char* second) {
  SelectRoundedFace(cr, 30, true);
  LeftText(cr, first, 250, iconY - 4, kText);
  if (second) {
    SelectRoundedFace(cr, 26, true);
    LeftText(cr, second, 250, iconY + 29, Hex(0xE6E2C4));
  }
}

void PlayHint(cairo_t* cr, const IntroTexts& texts) {
  // An arrow from the last line up to the "Play" option in the upper right.
  cairo_new_path(cr);
  cairo_move_to(cr, 720, 150);
  cairo_curve_to(cr, 800, 140, 840, 120, 866, 92);
  SetColor(cr, palette::kAmber);
  cairo_set_line_width(cr, 7);
  cairo_stroke(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, 885, 70);
  cairo_line_to(cr, 852, 82);
  cairo_line_to(cr, 876, 104);
  cairo_close_path(cr);
  cairo_fill(cr);
  SelectRoundedFace(cr, 30, true);
  LeftText(cr, texts.hint[0], 300, 140, palette::kAmber);
  LeftText(cr, texts.hint[1], 420, 176, palette::kAmber);
}

bool MakeIntroPicture(const std::string& resDir, const IntroTexts& texts) {
  Canvas canvas(1024, 768);
  cairo_t* cr = canvas.cr();
  // Dark panels where there is text; the camera shows through everywhere else.
  cairo_new_path(cr);
  RoundedRectPath(cr, 40, 28, 660, 170, 28);
  SetColor(cr, kPanel);
  cairo_fill(cr);
  cairo_new_path(cr);
  RoundedRectPath(cr, 40, 220, 944, 520, 28);
  SetColor(cr, kPanel);
  cairo_fill(cr);

  SelectRoundedFace(cr, 64, true);
  LeftText(cr, "Nestfall", 70, 96, palette::kAmber);
  PlayHint(cr, texts);

  QuartersDiagram(cr, 64, 250);
  Line(cr, 285, texts.chutes[0], texts.chutes[1]);
  Line(cr, 355, texts.quarters[0], texts.quarters[1]);

  const double rows[] = {455, 545, 635};
  WholeEgg(cr, 150, rows[0], 26, 35, {palette::kGold, palette::kGoldShade, palette::kWhite});
  Sparkle(cr, 182, rows[0] - 30, 10, palette::kWhite);
  Line(cr, rows[0], texts.golden[0], texts.golden[1]);
  WholeEgg(cr, 150, rows[1], 26, 35, {palette::kSpoiled, palette::kSpoiledShade, Hex(0xDCEB9E)});
  SetColor(cr, palette::kStink);
  cairo_set_line_width(cr, 3);
  for (const double x : {112.0, 188.0}) {
    cairo_move_to(cr, x, rows[1] + 10);
    cairo_curve_to(cr, x + 6, rows[1], x - 6, rows[1] - 10, x, rows[1] - 24);
  }
  cairo_stroke(cr);
  Line(cr, rows[1], texts.spoiled[0], texts.spoiled[1]);
  cairo_new_path(cr);
  BlobPath(cr, 150, rows[2] + 8, 36, 4, 6, 0.5);
  FillOutlined(cr, palette::kEggWhite);
  Yolk(cr, 150, rows[2] + 8, 15, palette::kYolk, palette::kYolkShade);
  Line(cr, rows[2], texts.broken[0], texts.broken[1]);
  SelectRoundedFace(cr, 26, true);
  LeftText(cr, texts.farewell, 250, 714, Hex(0xE6E2C4));
  return WritePng(canvas, resDir + "/" + texts.file);
}

}  // namespace

bool MakeIntroPicture(const std::string& resDir) {
  return MakeIntroPicture(resDir, kEnglish) && MakeIntroPicture(resDir, kPolish);
}
