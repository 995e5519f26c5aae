#include "capture/SystemCamera.h"

#include <gst/gst.h>

CSystemCamera::CSystemCamera(GstDevice* device) : device(GST_DEVICE(gst_object_ref(device))) {}

GstElement* CSystemCamera::CreateElement() const { return gst_device_create_element(device.get(), nullptr); }

GstCaps* CSystemCamera::OfferedCaps() const { return gst_device_get_caps(device.get()); }
