#include "capture/CaptureDeviceEnumerator.h"

#include <gst/gst.h>

#include "base/Debug.h"
#include "base/Texts.h"
#include "capture/CameraCaps.h"
#include "capture/SystemCamera.h"

namespace {

// A camera that lists formats but none the game can make pictures of (only
// H.264, say) is left out rather than offered to fail; the debugging output
// says why. One that lists nothing at all stays, to fail as a camera without
// modes does.
bool Usable(const std::string& name, const CCameraSource& source) {
  GstCaps* caps = source.OfferedCaps();
  const bool usable = !caps || gst_caps_is_empty(caps) || !source.Modes().empty();
  if (!usable)
    DebugOutput(("Zestbox: the camera \"" + name + "\" is left out: it offers no picture format the game can convert (" +
                 MediaTypesOf(caps) + ").\n")
                    .c_str());
  if (caps) gst_caps_unref(caps);
  return usable;
}

}  // namespace

CCaptureDeviceEnumerator::CCaptureDeviceEnumerator() { gst_init(nullptr, nullptr); }

CCaptureDeviceEnumerator::~CCaptureDeviceEnumerator() {
  devices.clear();
  if (monitor) {
    gst_device_monitor_stop(monitor);
    gst_object_unref(monitor);
  }
}

void CCaptureDeviceEnumerator::AddExtraSource(const std::string& name, std::shared_ptr<CCameraSource> source) {
  extraSources.emplace_back(name, std::move(source));
}

bool CCaptureDeviceEnumerator::EnumerateDevices() {
  devices.clear();
  if (systemCamerasListed) AddSystemCameras();
  for (const auto& [name, source] : extraSources)
    if (Usable(name, *source)) devices.push_back(std::make_unique<CVideoCaptureDevice>(name.c_str(), source));
  if (devices.empty()) {
    SetError(Translate("EnumerateDevices: No video capture devices found"));
    return false;
  }
  return true;
}

GList* CCaptureDeviceEnumerator::SystemDevices() {
  if (!monitor) {
    GstDeviceMonitor* started = gst_device_monitor_new();
    gst_device_monitor_add_filter(started, "Video/Source", nullptr);
    // Without the camera plugins the monitor will not start: no cameras then.
    if (!gst_device_monitor_start(started)) {
      gst_object_unref(started);
      return nullptr;
    }
    monitor = started;
  }
  return gst_device_monitor_get_devices(monitor);
}

void CCaptureDeviceEnumerator::AddSystemCameras() {
  GList* list = SystemDevices();
  for (GList* item = list; item; item = item->next) {
    GstDevice* device = GST_DEVICE(item->data);
    gchar* name = gst_device_get_display_name(device);
    auto camera = std::make_shared<CSystemCamera>(device);
    if (Usable(name ? name : "", *camera)) devices.push_back(std::make_unique<CVideoCaptureDevice>(name, camera));
    g_free(name);
  }
  g_list_free_full(list, gst_object_unref);
}

std::shared_ptr<CSystemCamera> CCaptureDeviceEnumerator::FindSystemCamera(const std::string& name) {
  std::shared_ptr<CSystemCamera> found;
  GList* list = systemCamerasListed ? SystemDevices() : nullptr;
  for (GList* item = list; item && !found; item = item->next) {
    gchar* listedName = gst_device_get_display_name(GST_DEVICE(item->data));
    if (listedName && name == listedName) found = std::make_shared<CSystemCamera>(GST_DEVICE(item->data));
    g_free(listedName);
  }
  g_list_free_full(list, gst_object_unref);
  return found;
}
