#pragma once
#include <gst/gst.h>

#include "base/Owned.h"
#include "capture/CameraSource.h"

// A camera the system lists (GstDeviceMonitor, class "Video/Source"); its
// element is the device's own source (v4l2src for cameras on Linux).
class CSystemCamera : public CCameraSource {
 public:
  // Takes a new reference on `device`.
  explicit CSystemCamera(GstDevice* device);

  GstElement* CreateElement() const override;
  GstCaps* OfferedCaps() const override;

  // Whether both stand for the same listed device (a camera plugged in
  // again is a new one, even at the same device node).
  bool IsSameDevice(const CSystemCamera& other) const { return device == other.device; }

 private:
  Owned<GstDevice, gst_object_unref> device;
};
