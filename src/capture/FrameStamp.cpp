#include "capture/FrameStamp.h"

#include <gst/gst.h>

#include "base/Owned.h"

namespace {

Owned<GstCaps, gst_caps_unref> StampCaps() {
  return Owned<GstCaps, gst_caps_unref>(gst_caps_new_empty_simple("timestamp/x-zestbox-camera"));
}

}  // namespace

void StampFrameLeftSource(GstBuffer* buffer) {
  const GstClockTime now = static_cast<GstClockTime>(g_get_monotonic_time()) * GST_USECOND;
  gst_buffer_add_reference_timestamp_meta(buffer, StampCaps().get(), now, GST_CLOCK_TIME_NONE);
}

int64_t FrameLeftSourceMicros(GstBuffer* buffer) {
  const GstReferenceTimestampMeta* meta = gst_buffer_get_reference_timestamp_meta(buffer, StampCaps().get());
  return meta ? static_cast<int64_t>(meta->timestamp / GST_USECOND) : 0;
}
