#include "capture/CameraCaps.h"

#include <gst/gst.h>

namespace {

bool FixedSize(const GstStructure* s, int32_t* width, int32_t* height) {
  gint w = 0, h = 0;
  if (!gst_structure_get_int(s, "width", &w) || !gst_structure_get_int(s, "height", &h)) return false;
  *width = w;
  *height = h;
  return true;
}

bool IsRaw(const GstStructure* s) { return gst_structure_has_name(s, "video/x-raw"); }
bool IsJpeg(const GstStructure* s) { return gst_structure_has_name(s, "image/jpeg"); }

GstCaps* SizedCaps(const char* media, const char* format, int32_t width, int32_t height) {
  GstCaps* caps = gst_caps_new_simple(media, "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, nullptr);
  if (format) gst_caps_set_simple(caps, "format", G_TYPE_STRING, format, nullptr);
  return caps;
}

}  // namespace

VideoSubtype SubtypeForBits(int32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return VideoSubtype::RGB1;
    case 4: return VideoSubtype::RGB4;
    case 8: return VideoSubtype::RGB8;
    case 16: return VideoSubtype::RGB565;
    case 24: return VideoSubtype::RGB24;
    default: return VideoSubtype::RGB32;
  }
}

const char* GstFormatFor(VideoSubtype subtype) {
  switch (subtype) {
    case VideoSubtype::RGB8: return "RGB8P";
    case VideoSubtype::RGB565: return "RGB16";
    case VideoSubtype::RGB24: return "BGR";
    case VideoSubtype::RGB32: return "BGRx";
    default: return nullptr;
  }
}

std::vector<CVideoMode> ModesFromCaps(const GstCaps* caps) {
  std::vector<CVideoMode> modes;
  if (!caps) return modes;
  for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
    const GstStructure* s = gst_caps_get_structure(caps, i);
    int32_t width = 0, height = 0;
    if (!(IsRaw(s) || IsJpeg(s)) || !FixedSize(s, &width, &height)) continue;
    bool known = false;
    for (const CVideoMode& mode : modes) known = known || (mode.width == width && mode.height == height);
    if (!known) modes.emplace_back(width, height, 32);
  }
  return modes;
}

GstCaps* SourceCapsForMode(const GstCaps* offered, int32_t width, int32_t height, int32_t bitsPerPixel) {
  if (!offered) return nullptr;
  const char* rawFormat = nullptr;
  bool jpeg = false;
  for (guint i = 0; i < gst_caps_get_size(offered); ++i) {
    const GstStructure* s = gst_caps_get_structure(offered, i);
    int32_t w = 0, h = 0;
    if (!FixedSize(s, &w, &h) || w != width || h != height) continue;
    const char* format = IsRaw(s) ? gst_structure_get_string(s, "format") : nullptr;
    if (format && !rawFormat) rawFormat = format;
    jpeg = jpeg || IsJpeg(s);
  }
  if (rawFormat) return SizedCaps("video/x-raw", rawFormat, width, height);
  if (jpeg) return SizedCaps("image/jpeg", nullptr, width, height);

  const char* format = GstFormatFor(SubtypeForBits(bitsPerPixel));
  if (!format) return nullptr;
  GstCaps* wanted = SizedCaps("video/x-raw", format, width, height);
  if (gst_caps_can_intersect(wanted, offered)) return wanted;
  gst_caps_unref(wanted);
  return nullptr;
}

GstCaps* ConvertingSourceCaps(const std::vector<CVideoMode>& modes) {
  GstCaps* caps = gst_caps_new_empty();
  for (const CVideoMode& mode : modes) {
    GstStructure* s = gst_structure_from_string("video/x-raw,format={BGRx,BGR,RGB16}", nullptr);
    gst_structure_set(s, "width", G_TYPE_INT, mode.width, "height", G_TYPE_INT, mode.height, nullptr);
    gst_caps_append_structure(caps, s);
  }
  return caps;
}
