#include "capture/AppSrcFeed.h"

#include <thread>

void CFramePacer::WaitForTurn() {
  const auto now = std::chrono::steady_clock::now();
  if (deadline + period < now) {
    deadline = now;
  }
  std::this_thread::sleep_until(deadline);
  deadline += period;
}

GstCaps* BgrxFrameCaps(int32_t width, int32_t height, int32_t framesPerSecond) {
  return gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width", G_TYPE_INT, width, "height",
                             G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION, framesPerSecond, 1, nullptr);
}

GstAppSrc* FindCameraAppSrc(GstElement* bin) {
  GstElement* src = gst_bin_get_by_name(GST_BIN(bin), "camera");
  if (src == nullptr) {
    return nullptr;
  }
  gst_object_unref(src);  // the bin keeps it alive
  return GST_APP_SRC(src);
}
