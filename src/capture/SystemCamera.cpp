#include "capture/SystemCamera.h"

#include <gst/gst.h>

CSystemCamera::CSystemCamera(GstDevice* device) : device(GST_DEVICE(gst_object_ref(device))) {}

CSystemCamera::~CSystemCamera() { gst_object_unref(device); }

GstElement* CSystemCamera::CreateElement() const { return gst_device_create_element(device, nullptr); }

GstCaps* CSystemCamera::OfferedCaps() const { return gst_device_get_caps(device); }
