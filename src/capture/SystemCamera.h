#pragma once
#include "capture/CameraSource.h"

typedef struct _GstDevice GstDevice;

// A camera the system lists (GstDeviceMonitor, class "Video/Source"); its
// element is the device's own source (v4l2src for cameras on Linux).
class CSystemCamera : public CCameraSource {
 public:
  // Takes a new reference on `device`.
  explicit CSystemCamera(GstDevice* device);
  ~CSystemCamera() override;
  CSystemCamera(const CSystemCamera&) = delete;
  CSystemCamera& operator=(const CSystemCamera&) = delete;

  GstElement* CreateElement() const override;
  GstCaps* OfferedCaps() const override;

  // Whether both stand for the same listed device (a camera plugged in
  // again is a new one, even at the same device node).
  bool IsSameDevice(const CSystemCamera& other) const { return device == other.device; }

 private:
  GstDevice* device;
};
