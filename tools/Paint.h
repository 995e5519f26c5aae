#pragma once
#include <cairo.h>

#include <string>

// Drawing helpers shared by every picture of the game: the palette, one
// owned cairo canvas, and the cartoon "fill, then dark outline" step.

struct Rgb {
  double r, g, b;
};

constexpr Rgb Hex(unsigned value) {
  return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

namespace palette {
constexpr Rgb kOutline = Hex(0x2B1B10);
constexpr Rgb kStraw = Hex(0xF2C14E);
constexpr Rgb kStrawShade = Hex(0xC9962E);
constexpr Rgb kWood = Hex(0xA0652C);
constexpr Rgb kDarkWood = Hex(0x6B3F1A);
constexpr Rgb kWoodLight = Hex(0xC3864A);
constexpr Rgb kEggWhite = Hex(0xFFF8E7);
constexpr Rgb kEggShade = Hex(0xE8D9B5);
constexpr Rgb kYolk = Hex(0xFFB000);
constexpr Rgb kYolkShade = Hex(0xE08A00);
constexpr Rgb kGold = Hex(0xFFD23F);
constexpr Rgb kGoldShade = Hex(0xE0A100);
constexpr Rgb kSpoiled = Hex(0x9BBF3A);
constexpr Rgb kSpoiledShade = Hex(0x5E7D1F);
constexpr Rgb kStink = Hex(0x7B4FA0);
constexpr Rgb kMetal = Hex(0xB8C4CC);
constexpr Rgb kMetalShade = Hex(0x6E7F8A);
constexpr Rgb kAlien = Hex(0x6BD66B);
constexpr Rgb kAlienShade = Hex(0x3F9E45);
constexpr Rgb kAmber = Hex(0xFEBD20);
constexpr Rgb kCream = Hex(0xC8C8AA);
constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kComb = Hex(0xE0392B);
constexpr Rgb kRoof = Hex(0xB5452B);
constexpr Rgb kRoofShade = Hex(0x82301F);
}  // namespace palette

// Outline width of the whole game at 1024 x 768 scale, in pixels.
constexpr double kOutlineWidth = 3.0;

// One ARGB32 cairo surface with its context; starts fully transparent.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return context; }
  cairo_surface_t* surface() const { return target; }
  int width() const { return w; }
  int height() const { return h; }

 private:
  int w, h;
  cairo_surface_t* target;
  cairo_t* context;
};

void SetColor(cairo_t* cr, Rgb color, double alpha = 1.0);

// Fills the current path with `fill` and strokes it with the dark outline;
// the path is consumed.
void FillOutlined(cairo_t* cr, Rgb fill, double outlineWidth = kOutlineWidth);

// Adds an ellipse centred on (cx, cy) to the current path.
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);

// Adds a rectangle with rounded corners of `radius` to the current path.
void RoundedRectPath(cairo_t* cr, double x, double y, double width, double height, double radius);

// Four-pointed sparkle centred on (cx, cy), `size` from centre to tip.
void Sparkle(cairo_t* cr, double cx, double cy, double size, Rgb color);

// Selects the game's rounded sans face (Comic Neue, installed by scripts/setup).
void SelectRoundedFace(cairo_t* cr, double size, bool bold);

// Draws `text` centred horizontally on `cx` with its baseline at `baseline`,
// light fill over a dark outline of `outline` pixels.
void OutlinedText(cairo_t* cr, const std::string& text, double cx, double baseline, Rgb fill, double outline);
