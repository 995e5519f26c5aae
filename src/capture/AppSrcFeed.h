#pragma once
#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <chrono>
#include <cstdint>

#include "base/ThreadHandOff.h"

// What the program-made cameras (the test camera and the demo's person) share:
// an appsrc named "camera" inside a bin, fed BGRx frames at a fixed rate.

// Keeps a program-made camera at its frame rate, as a real one is: each call
// returns when the next frame is due; a camera that fell behind starts afresh.
// Used on the appsrc's streaming thread only.
class CFramePacer {
 public:
  explicit CFramePacer(int32_t framesPerSecond)
      : period(std::chrono::microseconds(1000000 / framesPerSecond)) {}
  void WaitForTurn();

 private:
  std::chrono::steady_clock::duration period;
  std::chrono::steady_clock::time_point deadline{};
};

// Caps of the BGRx frames a program-made camera pushes. The caller unrefs them.
GstCaps* BgrxFrameCaps(int32_t width, int32_t height, int32_t framesPerSecond);

// The appsrc named "camera" in `bin` (the bin keeps it alive), or null.
GstAppSrc* FindCameraAppSrc(GstElement* bin);

// Gives `feed` to `src` for as long as the element lives (kept under `key`,
// deleted with it) and has Push(src, feed) called on the appsrc's streaming
// thread whenever it wants a frame. Set the feed up before; a later change
// from the main thread is followed by HandOver(feed).
template <typename Feed, void (*Push)(GstAppSrc*, Feed*)>
void AttachFeed(GstAppSrc* src, const char* key, Feed* feed) {
  g_object_set_data_full(G_OBJECT(src), key, feed, [](gpointer data) {
    TakeOver(data);  // from the streaming thread's last frame
    delete static_cast<Feed*>(data);
  });
  GstAppSrcCallbacks callbacks = {};
  callbacks.need_data = [](GstAppSrc* source, guint, gpointer data) {
    TakeOver(data);
    Push(source, static_cast<Feed*>(data));
    HandOver(data);
  };
  gst_app_src_set_callbacks(src, &callbacks, feed, nullptr);
  HandOver(feed);
}
