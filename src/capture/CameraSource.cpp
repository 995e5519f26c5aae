#include "capture/CameraSource.h"

#include <gst/gst.h>

#include "base/Owned.h"
#include "capture/CameraCaps.h"

std::vector<CVideoMode> CCameraSource::Modes() const {
  const Owned<GstCaps, gst_caps_unref> caps(OfferedCaps());
  return ModesFromCaps(caps.get());
}

GstCaps* CCameraSource::SourceCaps(int32_t width, int32_t height, int32_t bitsPerPixel) const {
  const Owned<GstCaps, gst_caps_unref> offered(OfferedCaps());
  return SourceCapsForMode(offered.get(), width, height, bitsPerPixel);
}

void CCameraSource::Configure(GstElement*, const GstCaps*) const {}
