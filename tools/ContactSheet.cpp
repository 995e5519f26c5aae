#include "ContactSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "Paint.h"

namespace {

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

SurfacePtr NewSurface(int width, int height) {
  return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
}

void PutStraight(cairo_surface_t* surface, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const auto pre = [a](uint8_t c) { return static_cast<uint32_t>((c * a + 127) / 255); };
  *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) =
      (static_cast<uint32_t>(a) << 24) | (pre(r) << 16) | (pre(g) << 8) | pre(b);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// Reads back our own uncompressed 32-bit TGA and 24-bit BMP files.
SurfacePtr ReadTga(const std::string& path) {
  const std::vector<uint8_t> in = ReadBytes(path);
  if (in.size() < 18) return SurfacePtr(nullptr, cairo_surface_destroy);
  const int width = in[12] | (in[13] << 8), height = in[14] | (in[15] << 8);
  const bool topFirst = (in[17] & 0x20) != 0;
  if (in[2] != 2 || in[16] != 32 || in.size() < 18 + static_cast<size_t>(width) * height * 4) {
    return SurfacePtr(nullptr, cairo_surface_destroy);
  }
  SurfacePtr surface = NewSurface(width, height);
  cairo_surface_flush(surface.get());
  for (int row = 0; row < height; ++row) {
    const int y = topFirst ? row : height - 1 - row;
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &in[18 + (static_cast<size_t>(row) * width + x) * 4];
      PutStraight(surface.get(), x, y, p[2], p[1], p[0], p[3]);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

SurfacePtr ReadBmp(const std::string& path) {
  const std::vector<uint8_t> in = ReadBytes(path);
  if (in.size() < 54 || in[0] != 'B' || in[28] != 24) return SurfacePtr(nullptr, cairo_surface_destroy);
  const auto get32 = [&in](size_t at) { return in[at] | (in[at + 1] << 8) | (in[at + 2] << 16) | (in[at + 3] << 24); };
  const int width = get32(18), height = get32(22), offset = get32(10);
  const int rowBytes = (width * 3 + 3) & ~3;
  SurfacePtr surface = NewSurface(width, height);
  cairo_surface_flush(surface.get());
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &in[offset + row * rowBytes + x * 3];
      PutStraight(surface.get(), x, height - 1 - row, p[2], p[1], p[0], 255);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

SurfacePtr ReadPicture(const std::string& path) {
  const std::string type = path.substr(path.size() - 3);
  if (type == "tga") return ReadTga(path);
  if (type == "bmp") return ReadBmp(path);
  return SurfacePtr(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
}

void Checkerboard(cairo_t* cr, int width, int height) {
  for (int y = 0; y < height; y += 16) {
    for (int x = 0; x < width; x += 16) {
      const double shade = ((x + y) / 16) % 2 ? 0.8 : 0.55;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, x, y, 16, 16);
      cairo_fill(cr);
    }
  }
}

void SoftBlob(cairo_t* cr, double x, double y, double radius, double r, double g, double b) {
  cairo_pattern_t* pattern = cairo_pattern_create_radial(x, y, 0, x, y, radius);
  cairo_pattern_add_color_stop_rgba(pattern, 0, r, g, b, 1);
  cairo_pattern_add_color_stop_rgba(pattern, 0.7, r, g, b, 0.8);
  cairo_pattern_add_color_stop_rgba(pattern, 1, r, g, b, 0);
  cairo_set_source(cr, pattern);
  cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
}

// A blurred room: wall, floor, a bright window, a sofa and a person.
void Room(cairo_t* cr, double width, double height) {
  cairo_pattern_t* wall = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(wall, 0, 0.78, 0.72, 0.62);
  cairo_pattern_add_color_stop_rgb(wall, 0.65, 0.62, 0.55, 0.46);
  cairo_pattern_add_color_stop_rgb(wall, 0.66, 0.45, 0.33, 0.24);
  cairo_pattern_add_color_stop_rgb(wall, 1, 0.32, 0.23, 0.16);
  cairo_set_source(cr, wall);
  cairo_paint(cr);
  cairo_pattern_destroy(wall);
  const double sx = width / 1024, sy = height / 768;
  cairo_save(cr);
  cairo_scale(cr, sx, sy);
  SoftBlob(cr, 820, 200, 170, 0.95, 0.97, 1.0);
  SoftBlob(cr, 170, 480, 150, 0.25, 0.32, 0.45);
  SoftBlob(cr, 320, 500, 130, 0.25, 0.32, 0.45);
  SoftBlob(cr, 512, 560, 210, 0.55, 0.15, 0.12);
  SoftBlob(cr, 512, 250, 110, 0.86, 0.66, 0.52);
  SoftBlob(cr, 500, 190, 90, 0.2, 0.14, 0.1);
  SoftBlob(cr, 120, 150, 60, 1.0, 0.9, 0.6);
  cairo_restore(cr);
}

struct Entry {
  const char* file;
  double scale;
};

// The small pictures, enlarged, and the large ones, reduced.
const std::vector<Entry> kSmall = {
    {"egg_strip.png", 2.5},    {"golden_egg_strip.png", 2.5}, {"zbuk_strip.png", 2.5}, {"cyberegg.png", 2.5},
    {"alien_strip.png", 2.5},  {"basket2.png", 2.5},          {"zestbox.png", 1.5},    {"progress.tga", 2},
    {"emptyprogress.tga", 2},  {"emptytexture.bmp", 2},
};
const std::vector<Entry> kLarge = {
    {"3.tga", 0.75},        {"hiscore.png", 0.75},  {"exit.png", 0.75},     {"bluebg.bmp", 0.75},
    {"contour.png", 0.45},  {"bm_main.tga", 0.5},   {"hatchery.tga", 0.5},  {"egg_intro_en.png", 0.5},
};

bool Sheet(const std::string& resDir, const std::vector<Entry>& entries, const std::string& out, bool photo) {
  const int width = 1400, height = 1000;
  Canvas canvas(width, height);
  cairo_t* cr = canvas.cr();
  if (photo) {
    Room(cr, width, height);
  } else {
    Checkerboard(cr, width, height);
  }
  double x = 10, y = 10, rowHeight = 0;
  for (const Entry& entry : entries) {
    SurfacePtr picture = ReadPicture(resDir + "/" + entry.file);
    if (!picture || cairo_surface_status(picture.get()) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "contact sheet: cannot read %s\n", entry.file);
      return false;
    }
    const double w = cairo_image_surface_get_width(picture.get()) * entry.scale;
    const double h = cairo_image_surface_get_height(picture.get()) * entry.scale;
    if (x + w > width - 10) {
      x = 10;
      y += rowHeight + 14;
      rowHeight = 0;
    }
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, entry.scale, entry.scale);
    cairo_set_source_surface(cr, picture.get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, x - 0.5, y - 0.5, w + 1, h + 1);
    cairo_set_source_rgba(cr, 1, 0, 1, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    x += w + 14;
    rowHeight = std::max(rowHeight, h);
  }
  cairo_surface_flush(canvas.surface());
  return cairo_surface_write_to_png(canvas.surface(), out.c_str()) == CAIRO_STATUS_SUCCESS;
}

// The game's colour blend: source x source + destination x destination, for
// texels whose alpha passes the alpha test. Screen pixel (x, y) shows texel
// (x * texelsPerPixelX, (y + offsetY) * texelsPerPixelY).
void ColourBlend(cairo_surface_t* screen, cairo_surface_t* picture, double texelsPerPixelX, double texelsPerPixelY,
                 double offsetY) {
  cairo_surface_flush(screen);
  cairo_surface_flush(picture);
  unsigned char* dst = cairo_image_surface_get_data(screen);
  const unsigned char* src = cairo_image_surface_get_data(picture);
  const int dstStride = cairo_image_surface_get_stride(screen), srcStride = cairo_image_surface_get_stride(picture);
  const int pw = cairo_image_surface_get_width(picture), ph = cairo_image_surface_get_height(picture);
  for (int y = 0; y < cairo_image_surface_get_height(screen); ++y) {
    for (int x = 0; x < cairo_image_surface_get_width(screen); ++x) {
      const int tx = static_cast<int>(x * texelsPerPixelX), ty = static_cast<int>((y + offsetY) * texelsPerPixelY);
      if (tx < 0 || ty < 0 || tx >= pw || ty >= ph) continue;
      const uint32_t s = *reinterpret_cast<const uint32_t*>(src + ty * srcStride + tx * 4);
      const uint32_t alpha = s >> 24;
      if (alpha <= 0x10) continue;
      uint32_t& d = *reinterpret_cast<uint32_t*>(dst + y * dstStride + x * 4);
      uint32_t result = 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const double sc = std::min(1.0, ((s >> shift) & 0xFF) / static_cast<double>(alpha));
        const double dc = ((d >> shift) & 0xFF) / 255.0;
        result |= static_cast<uint32_t>(std::min(1.0, sc * sc + dc * dc) * 255 + 0.5) << shift;
      }
      d = result;
    }
  }
  cairo_surface_mark_dirty(screen);
}

void Over(cairo_t* cr, cairo_surface_t* picture, double x, double y, double alpha = 1.0) {
  cairo_set_source_surface(cr, picture, x, y);
  cairo_paint_with_alpha(cr, alpha);
}

void DrawCell(cairo_t* cr, cairo_surface_t* strip, int cell, double x, double y, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x + 32, y + 32);
  cairo_rotate(cr, angle);
  cairo_rectangle(cr, -32, -32, 64, 64);
  cairo_clip(cr);
  cairo_set_source_surface(cr, strip, -32 - 64 * cell, -32);
  cairo_paint(cr);
  cairo_restore(cr);
}

bool WriteScreen(const Canvas& screen, const std::string& path) {
  cairo_surface_flush(screen.surface());
  return cairo_surface_write_to_png(screen.surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// The game: eggs at the chutes' starts, on the slopes, falling and broken.
bool GameScreen(const std::string& resDir, const std::string& path) {
  auto load = [&resDir](const char* file) { return ReadPicture(resDir + "/" + file); };
  const SurfacePtr hatchery = load("hatchery.tga"), egg = load("egg_strip.png"), gold = load("golden_egg_strip.png"),
                   spoiled = load("zbuk_strip.png"), cyber = load("cyberegg.png"), alien = load("alien_strip.png"),
                   basket = load("basket2.png"), contour = load("contour.png");
  Canvas play(1024, 768);
  cairo_t* cr = play.cr();
  Room(cr, 1024, 768);
  Over(cr, contour.get(), 256, 85, 0x77 / 255.0);
  Over(cr, hatchery.get(), 0, 0);
  Over(cr, basket.get(), 180, 520);
  DrawCell(cr, egg.get(), 0, 30, 100, 0);
  DrawCell(cr, gold.get(), 0, 120, 100 + 85 * 2.6 / 3.5, -1.2);
  DrawCell(cr, spoiled.get(), 0, 915, 120, 0);
  DrawCell(cr, cyber.get(), 0, 850, 120 + 65 * 2.9 / 3.5, 0.9);
  DrawCell(cr, egg.get(), 0, 920, 375, 0);
  DrawCell(cr, egg.get(), 2, 800, 375 + 110 * 2.5 / 3.5, 2.1);
  DrawCell(cr, egg.get(), 0, 200, 305 + 165 * 2.6 / 3.5 + 60, 0.4);
  DrawCell(cr, egg.get(), 4, 200, 708, 1.0);
  DrawCell(cr, alien.get(), 5, 765, 708, 0);
  DrawCell(cr, spoiled.get(), 4, 330, 708, 0.3);
  return WriteScreen(play, path);
}

// The introduction (placed by its size), the title's banner with the front
// picture, and the high-score background, colour-blended over the room. The
// window-wide pictures have the top ~127 of every 1024 texture rows above
// the window.
bool BlendedScreens(const std::string& resDir, const std::string& workDir) {
  const SurfacePtr intro = ReadPicture(resDir + "/egg_intro_en.png"), banner = ReadPicture(resDir + "/bm_main.tga"),
                   blue = ReadPicture(resDir + "/bluebg.bmp"), game = ReadPicture(resDir + "/3.tga");
  Canvas splash(1024, 768);
  Room(splash.cr(), 1024, 768);
  ColourBlend(splash.surface(), intro.get(), 1, 1, 0);
  Canvas title(1024, 768);
  Room(title.cr(), 1024, 768);
  const double bannerScale = cairo_image_surface_get_width(banner.get()) / 1024.0;
  ColourBlend(title.surface(), banner.get(), bannerScale, bannerScale, 126.7);
  Over(title.cr(), game.get(), 362, 400);
  Canvas scores(1024, 768);
  Room(scores.cr(), 1024, 768);
  const double blueScale = cairo_image_surface_get_width(blue.get()) / 1024.0;
  ColourBlend(scores.surface(), blue.get(), blueScale, blueScale, 126.7);
  return WriteScreen(splash, workDir + "/screen_intro.png") && WriteScreen(title, workDir + "/screen_title.png") &&
         WriteScreen(scores, workDir + "/screen_scores.png");
}

}  // namespace

bool MakeContactSheets(const std::string& resDir, const std::string& workDir) {
  return Sheet(resDir, kSmall, workDir + "/contact_small_checker.png", false) &&
         Sheet(resDir, kSmall, workDir + "/contact_small_photo.png", true) &&
         Sheet(resDir, kLarge, workDir + "/contact_large_checker.png", false) &&
         Sheet(resDir, kLarge, workDir + "/contact_large_photo.png", true) &&
         GameScreen(resDir, workDir + "/screen_game.png") && BlendedScreens(resDir, workDir);
}
