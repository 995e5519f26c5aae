#include "capture/CameraCaps.h"

#include <gst/gst.h>

#include <algorithm>
#include <utility>

#include "base/Owned.h"

namespace {

using CapsHold = Owned<GstCaps, gst_caps_unref>;

// The most the game asks of a camera.
constexpr double kFullRate = 30;
// The sizes a listing that gives a range of sizes is asked for.
constexpr std::pair<int32_t, int32_t> kRangeSizes[] = {{160, 120}, {320, 240}, {640, 480}};

bool IsRaw(const GstStructure* s) { return gst_structure_has_name(s, "video/x-raw"); }
bool IsJpeg(const GstStructure* s) { return gst_structure_has_name(s, "image/jpeg"); }

GstCaps* SizedCaps(const char* media, const char* format, int32_t width, int32_t height) {
  GstCaps* caps = gst_caps_new_simple(media, "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, nullptr);
  if (format) gst_caps_set_simple(caps, "format", G_TYPE_STRING, format, nullptr);
  return caps;
}

// A frame rate as the listing gives it; 0/1 when it gives none.
struct Rate {
  int num = 0;
  int den = 1;
  double Fps() const { return num > 0 && den > 0 ? static_cast<double>(num) / den : 0; }
  double Score() const { return std::min(Fps(), kFullRate); }
  // Closer to the full rate from below, or, past it, the slower one.
  bool BetterThan(const Rate& other) const {
    if (Score() != other.Score()) return Score() > other.Score();
    return Fps() < other.Fps();
  }
};

Rate FractionOf(const GValue* value) {
  return {gst_value_get_fraction_numerator(value), gst_value_get_fraction_denominator(value)};
}

// The best rate a structure's "framerate" allows: one rate, a list or a range.
Rate BestRate(const GValue* value) {
  Rate best;
  if (!value) return best;
  if (GST_VALUE_HOLDS_FRACTION(value)) return FractionOf(value);
  if (GST_VALUE_HOLDS_LIST(value)) {
    for (guint i = 0; i < gst_value_list_get_size(value); ++i) {
      const GValue* item = gst_value_list_get_value(value, i);
      if (GST_VALUE_HOLDS_FRACTION(item) && FractionOf(item).BetterThan(best)) best = FractionOf(item);
    }
  } else if (GST_VALUE_HOLDS_FRACTION_RANGE(value)) {
    const Rate low = FractionOf(gst_value_get_fraction_range_min(value));
    const Rate high = FractionOf(gst_value_get_fraction_range_max(value));
    best = high.Fps() < kFullRate ? high : low.Fps() > kFullRate ? low : Rate{static_cast<int>(kFullRate), 1};
  }
  return best;
}

// What the converter after the source takes.
CapsHold ConverterInput() {
  GstCaps* caps = nullptr;
  if (const Owned<GstElementFactory, gst_object_unref> factory{gst_element_factory_find("videoconvert")}) {
    for (const GList* item = gst_element_factory_get_static_pad_templates(factory.get()); item && !caps;
         item = item->next) {
      auto* pad = static_cast<GstStaticPadTemplate*>(item->data);
      if (pad->direction == GST_PAD_SINK) caps = gst_static_pad_template_get_caps(pad);
    }
  }
  return CapsHold(caps ? caps : gst_caps_new_any());
}

// A raw format of one fixed name that the converter takes.
bool ConvertibleRaw(const GstStructure* s, const GstCaps* converterInput) {
  const char* format = IsRaw(s) ? gst_structure_get_string(s, "format") : nullptr;
  if (!format) return false;
  const CapsHold probe(gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, format, nullptr));
  return gst_caps_can_intersect(probe.get(), converterInput);
}

bool Offers(const GstStructure* s, int32_t width, int32_t height) {
  const Owned<GstStructure, gst_structure_free> size(gst_structure_new(
      gst_structure_get_name(s), "width", G_TYPE_INT, width, "height", G_TYPE_INT, height, nullptr));
  return gst_structure_can_intersect(s, size.get());
}

struct Choice {
  const GstStructure* structure = nullptr;  // null: no listed format delivers the size
  Rate rate;
};

// The listed format to run a camera in at one size (see the header).
Choice ChooseFormat(const GstCaps* offered, const GstCaps* converterInput, int32_t width, int32_t height) {
  Choice raw, jpeg;
  for (guint i = 0; i < gst_caps_get_size(offered); ++i) {
    const GstStructure* s = gst_caps_get_structure(offered, i);
    Choice* slot = IsJpeg(s) ? &jpeg : ConvertibleRaw(s, converterInput) ? &raw : nullptr;
    if (!slot || !Offers(s, width, height)) continue;
    const Rate rate = BestRate(gst_structure_get_value(s, "framerate"));
    if (!slot->structure || rate.BetterThan(slot->rate)) *slot = {s, rate};
  }
  const bool rawWins = raw.structure && (raw.rate.Score() >= kSmoothFrameRate || !jpeg.structure ||
                                         !jpeg.rate.BetterThan(raw.rate));
  return rawWins ? raw : jpeg;
}

// The sizes a usable structure lists: its own fixed one, or the usual ones
// within its range.
void AddSizes(const GstStructure* s, std::vector<std::pair<int32_t, int32_t>>& sizes) {
  gint width = 0, height = 0;
  if (gst_structure_get_int(s, "width", &width) && gst_structure_get_int(s, "height", &height)) {
    sizes.emplace_back(width, height);
    return;
  }
  for (const auto& [w, h] : kRangeSizes)
    if (Offers(s, w, h)) sizes.emplace_back(w, h);
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
  const CapsHold converterInput = ConverterInput();
  std::vector<std::pair<int32_t, int32_t>> sizes;
  for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
    const GstStructure* s = gst_caps_get_structure(caps, i);
    if (IsJpeg(s) || ConvertibleRaw(s, converterInput.get())) AddSizes(s, sizes);
  }
  std::stable_sort(sizes.begin(), sizes.end(), [](const auto& a, const auto& b) {
    return a.first * a.second != b.first * b.second ? a.first * a.second < b.first * b.second : a.first < b.first;
  });
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  for (const auto& [width, height] : sizes)
    modes.emplace_back(width, height, 32, ChooseFormat(caps, converterInput.get(), width, height).rate.Fps());
  return modes;
}

GstCaps* SourceCapsForMode(const GstCaps* offered, int32_t width, int32_t height, int32_t bitsPerPixel) {
  if (!offered) return nullptr;
  const Choice choice = ChooseFormat(offered, ConverterInput().get(), width, height);
  if (choice.structure) {
    const bool raw = IsRaw(choice.structure);
    GstCaps* caps = SizedCaps(gst_structure_get_name(choice.structure),
                              raw ? gst_structure_get_string(choice.structure, "format") : nullptr, width, height);
    if (choice.rate.num > 0)
      gst_caps_set_simple(caps, "framerate", GST_TYPE_FRACTION, choice.rate.num, choice.rate.den, nullptr);
    return caps;
  }

  const char* format = GstFormatFor(SubtypeForBits(bitsPerPixel));
  if (!format) return nullptr;
  CapsHold wanted(SizedCaps("video/x-raw", format, width, height));
  return gst_caps_can_intersect(wanted.get(), offered) ? wanted.release() : nullptr;
}

std::string MediaTypesOf(const GstCaps* caps) {
  std::vector<std::string> names;
  for (guint i = 0; caps && i < gst_caps_get_size(caps); ++i) {
    const std::string name = gst_structure_get_name(gst_caps_get_structure(caps, i));
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
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
