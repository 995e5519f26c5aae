#include "capture/LaunchSource.h"

#include <gst/gst.h>

#include <utility>

#include "base/Debug.h"
#include "capture/CameraCaps.h"

CLaunchSource::CLaunchSource(std::string description, std::vector<CVideoMode> modes)
    : description(std::move(description)), modes(std::move(modes)) {}

std::shared_ptr<CLaunchSource> CLaunchSource::ForFile(const std::string& path) {
  gchar* uri = gst_filename_to_uri(path.c_str(), nullptr);
  std::string text = "uridecodebin uri=\"" + std::string(uri ? uri : "") + "\" ! clocksync";
  g_free(uri);
  return std::make_shared<CLaunchSource>(text, std::vector<CVideoMode>{{640, 480, 32}, {320, 240, 32}});
}

GstElement* CLaunchSource::CreateElement() const {
  GError* error = nullptr;
  const std::string full = description + " ! videoconvert ! videoscale";
  GstElement* bin = gst_parse_bin_from_description(full.c_str(), TRUE, &error);
  if (error) {
    DebugOutput(error->message);
    g_error_free(error);
    if (bin) gst_object_unref(bin);
    return nullptr;
  }
  return bin;
}

GstCaps* CLaunchSource::OfferedCaps() const {
  return ConvertingSourceCaps(modes);
}
