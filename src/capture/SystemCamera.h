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

 private:
  GstDevice* device;
};
