#include "capture/FrameStamp.h"

#include <gst/gst.h>

namespace {

GstCaps* StampCaps() { return gst_caps_new_empty_simple("timestamp/x-zestbox-camera"); }

}  // namespace

void StampFrameLeftSource(GstBuffer* buffer) {
  GstCaps* caps = StampCaps();
  const GstClockTime now = static_cast<GstClockTime>(g_get_monotonic_time()) * GST_USECOND;
  gst_buffer_add_reference_timestamp_meta(buffer, caps, now, GST_CLOCK_TIME_NONE);
  gst_caps_unref(caps);
}

int64_t FrameLeftSourceMicros(GstBuffer* buffer) {
  GstCaps* caps = StampCaps();
  const GstReferenceTimestampMeta* meta = gst_buffer_get_reference_timestamp_meta(buffer, caps);
  gst_caps_unref(caps);
  return meta ? static_cast<int64_t>(meta->timestamp / GST_USECOND) : 0;
}
