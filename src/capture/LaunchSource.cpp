#include "capture/LaunchSource.h"

#include <gst/gst.h>

#include <utility>

#include "base/Debug.h"
#include "capture/CameraCaps.h"

CLaunchSource::CLaunchSource(std::string description, std::vector<CVideoMode> modes)
    : description(std::move(description)), modes(std::move(modes)) {}

std::shared_ptr<CLaunchSource> CLaunchSource::ForFile(const std::string& path) {
  gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
  // The caps between keep a sound track's pad from being the one linked.
  std::string text = "uridecodebin uri=\"" + std::string(uri ? uri : "") + "\" ! video/x-raw ! clocksync";
  g_free(uri);
  auto source = std::make_shared<CLaunchSource>(text, std::vector<CVideoMode>{{640, 480, 32}, {320, 240, 32}});
  source->probed = true;
  return source;
}

GstElement* CLaunchSource::CreateElement() const {
  GError* error = nullptr;
  const std::string full = description + " ! videoconvert ! videoscale name=out";
  // Only the scaler's output leaves the bin: a decoder's pads appear later,
  // and the element it links to then must not look unlinked.
  GstElement* bin = gst_parse_bin_from_description(full.c_str(), FALSE, &error);
  if (error) {
    DebugOutput(error->message);
    g_error_free(error);
    if (bin) gst_object_unref(bin);
    return nullptr;
  }
  GstElement* out = gst_bin_get_by_name(GST_BIN(bin), "out");
  GstPad* pad = gst_element_get_static_pad(out, "src");
  gst_element_add_pad(bin, gst_ghost_pad_new("src", pad));
  gst_object_unref(pad);
  gst_object_unref(out);
  return bin;
}

GstCaps* CLaunchSource::OfferedCaps() const {
  return ConvertingSourceCaps(modes);
}
