#include "capture/LaunchSource.h"

#include <gst/gst.h>

#include <utility>

#include "base/Debug.h"
#include "base/Owned.h"
#include "capture/CameraCaps.h"

CLaunchSource::CLaunchSource(std::string description, std::vector<CVideoMode> modes)
    : description(std::move(description)), modes(std::move(modes)) {}

std::shared_ptr<CLaunchSource> CLaunchSource::ForFile(const std::string& path) {
  const Owned<gchar, g_free> uri(gst_filename_to_uri(path.c_str(), nullptr));
  // The caps between keep a sound track's pad from being the one linked.
  std::string text = "uridecodebin uri=\"" + std::string(uri ? uri.get() : "") + "\" ! video/x-raw ! clocksync";
  auto source = std::make_shared<CLaunchSource>(text, std::vector<CVideoMode>{{640, 480, 32}, {320, 240, 32}});
  source->probed = true;
  return source;
}

GstElement* CLaunchSource::CreateElement() const {
  GError* parseError = nullptr;
  const std::string full = description + " ! videoconvert ! videoscale name=out";
  // Only the scaler's output leaves the bin: a decoder's pads appear later,
  // and the element it links to then must not look unlinked.
  Owned<GstElement, gst_object_unref> bin(gst_parse_bin_from_description(full.c_str(), FALSE, &parseError));
  if (const Owned<GError, g_error_free> error{parseError}) {
    DebugOutput(error->message);
    return nullptr;
  }
  const Owned<GstElement, gst_object_unref> out(gst_bin_get_by_name(GST_BIN(bin.get()), "out"));
  const Owned<GstPad, gst_object_unref> pad(gst_element_get_static_pad(out.get(), "src"));
  gst_element_add_pad(bin.get(), gst_ghost_pad_new("src", pad.get()));
  return bin.release();
}

GstCaps* CLaunchSource::OfferedCaps() const {
  return ConvertingSourceCaps(modes);
}
