#include "capture/CaptureDeviceEnumerator.h"

#include <gst/gst.h>

#include "base/Texts.h"
#include "capture/SystemCamera.h"

CCaptureDeviceEnumerator::CCaptureDeviceEnumerator() { gst_init(nullptr, nullptr); }

void CCaptureDeviceEnumerator::AddExtraSource(const std::string& name, std::shared_ptr<CCameraSource> source) {
  extraSources.emplace_back(name, std::move(source));
}

bool CCaptureDeviceEnumerator::EnumerateDevices() {
  devices.clear();
  if (systemCamerasListed) AddSystemCameras();
  for (const auto& [name, source] : extraSources)
    devices.push_back(std::make_unique<CVideoCaptureDevice>(name.c_str(), source));
  if (devices.empty()) {
    SetError(Translate("EnumerateDevices: No video capture devices found"));
    return false;
  }
  return true;
}

void CCaptureDeviceEnumerator::AddSystemCameras() {
  GstDeviceMonitor* monitor = gst_device_monitor_new();
  gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
  // Without the camera plugins the monitor will not start: no cameras then.
  if (gst_device_monitor_start(monitor)) {
    GList* list = gst_device_monitor_get_devices(monitor);
    for (GList* item = list; item; item = item->next) {
      GstDevice* device = GST_DEVICE(item->data);
      gchar* name = gst_device_get_display_name(device);
      devices.push_back(std::make_unique<CVideoCaptureDevice>(name, std::make_shared<CSystemCamera>(device)));
      g_free(name);
    }
    g_list_free_full(list, gst_object_unref);
    gst_device_monitor_stop(monitor);
  }
  gst_object_unref(monitor);
}
