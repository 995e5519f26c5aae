#include "capture/CameraSource.h"

#include <gst/gst.h>

#include "capture/CameraCaps.h"

std::vector<CVideoMode> CCameraSource::Modes() const {
  GstCaps* caps = OfferedCaps();
  std::vector<CVideoMode> modes = ModesFromCaps(caps);
  if (caps) gst_caps_unref(caps);
  return modes;
}

GstCaps* CCameraSource::SourceCaps(int32_t width, int32_t height, int32_t bitsPerPixel) const {
  GstCaps* offered = OfferedCaps();
  GstCaps* caps = SourceCapsForMode(offered, width, height, bitsPerPixel);
  if (offered) gst_caps_unref(offered);
  return caps;
}

void CCameraSource::Configure(GstElement*, const GstCaps*) const {}
