#include "capture/CaptureDeviceEnumerator.h"

#include <gst/gst.h>

#include "base/Debug.h"
#include "base/Owned.h"
#include "base/Texts.h"
#include "capture/CameraCaps.h"
#include "capture/SystemCamera.h"

namespace {

void FreeDeviceList(GList* list) { g_list_free_full(list, gst_object_unref); }
using DeviceList = Owned<GList, FreeDeviceList>;

// A camera that lists formats but none the game can make pictures of (only
// H.264, say) is left out rather than offered to fail; the debugging output
// says why. One that lists nothing at all stays, to fail as a camera without
// modes does.
bool Usable(const std::string& name, const CCameraSource& source) {
  const Owned<GstCaps, gst_caps_unref> caps(source.OfferedCaps());
  const bool usable = !caps || gst_caps_is_empty(caps.get()) || !source.Modes().empty();
  if (!usable)
    DebugOutput(("Zestbox: the camera \"" + name + "\" is left out: it offers no picture format the game can convert (" +
                 MediaTypesOf(caps.get()) + ").\n")
                    .c_str());
  return usable;
}

}  // namespace

void CCaptureDeviceEnumerator::Unref::operator()(GstDeviceMonitor* monitor) const { gst_object_unref(monitor); }

CCaptureDeviceEnumerator::CCaptureDeviceEnumerator() { gst_init(nullptr, nullptr); }

CCaptureDeviceEnumerator::~CCaptureDeviceEnumerator() {
  devices.clear();
  if (monitor) gst_device_monitor_stop(monitor.get());
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
    std::unique_ptr<GstDeviceMonitor, Unref> started(gst_device_monitor_new());
    gst_device_monitor_add_filter(started.get(), "Video/Source", nullptr);
    // Without the camera plugins the monitor will not start: no cameras then.
    if (!gst_device_monitor_start(started.get())) return nullptr;
    monitor = std::move(started);
  }
  return gst_device_monitor_get_devices(monitor.get());
}

void CCaptureDeviceEnumerator::AddSystemCameras() {
  const DeviceList list(SystemDevices());
  for (GList* item = list.get(); item; item = item->next) {
    GstDevice* device = GST_DEVICE(item->data);
    const Owned<gchar, g_free> name(gst_device_get_display_name(device));
    auto camera = std::make_shared<CSystemCamera>(device);
    if (Usable(name ? name.get() : "", *camera))
      devices.push_back(std::make_unique<CVideoCaptureDevice>(name.get(), camera));
  }
}

std::shared_ptr<CSystemCamera> CCaptureDeviceEnumerator::FindSystemCamera(const std::string& name) {
  std::shared_ptr<CSystemCamera> found;
  const DeviceList list(systemCamerasListed ? SystemDevices() : nullptr);
  for (GList* item = list.get(); item && !found; item = item->next) {
    const Owned<gchar, g_free> listedName(gst_device_get_display_name(GST_DEVICE(item->data)));
    if (listedName && name == listedName.get()) found = std::make_shared<CSystemCamera>(GST_DEVICE(item->data));
  }
  return found;
}
