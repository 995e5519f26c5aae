#include "capture/SyntheticCamera.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <utility>

#include "base/ThreadHandOff.h"
#include "capture/AppSrcFeed.h"
#include "capture/CameraCaps.h"
#include "capture/FrameStamp.h"

namespace {

constexpr char kFeedKey[] = "zestbox-synthetic-feed";

// What one appsrc knows about the pictures it makes; lives as long as it.
struct Feed {
  std::shared_ptr<CSyntheticCamera::State> state;
  int32_t width = 320;
  int32_t height = 240;
  uint64_t frame = 0;
  CFramePacer pacer{CSyntheticCamera::kFramesPerSecond};
};

GstBuffer* DrawFrame(Feed* feed) {
  const gsize size = static_cast<gsize>(feed->width) * static_cast<gsize>(feed->height) * 4;
  GstBuffer* buffer = gst_buffer_new_allocate(nullptr, size, nullptr);
  GstMapInfo map;
  gst_buffer_map(buffer, &map, GST_MAP_WRITE);
  const uint32_t timeMs = static_cast<uint32_t>(feed->frame * 1000 / CSyntheticCamera::kFramesPerSecond);
  feed->state->scene.Render(timeMs, map.data, feed->width, feed->height, feed->width * 4);
  HandOver(map.data);
  gst_buffer_unmap(buffer, &map);
  GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(feed->frame, GST_SECOND, CSyntheticCamera::kFramesPerSecond);
  GST_BUFFER_DURATION(buffer) = GST_SECOND / CSyntheticCamera::kFramesPerSecond;
  ++feed->frame;
  return buffer;
}

// appsrc's streaming thread asks for the next picture.
void PushNext(GstAppSrc* src, Feed* feed) {
  if (feed->state->busy) {
    GST_ELEMENT_ERROR(src, RESOURCE, BUSY, ("Device is busy"), ("the test camera plays a busy camera"));
    return;
  }
  if (feed->state->unplugged) {
    GST_ELEMENT_ERROR(src, RESOURCE, NOT_FOUND, ("The camera is not connected"),
                      ("the test camera plays an unplugged camera"));
    return;
  }
  feed->pacer.WaitForTurn();
  GstBuffer* buffer = DrawFrame(feed);
  StampFrameLeftSource(buffer);
  gst_app_src_push_buffer(src, buffer);
}

// The camera's element: like a real camera's source, it cannot be opened
// while the camera is unplugged (its state change fails and says why).
struct TestCameraBin {
  GstBin bin;
};
struct TestCameraBinClass {
  GstBinClass parentClass;
};
G_DEFINE_TYPE(TestCameraBin, zestbox_test_camera_bin, GST_TYPE_BIN)

constexpr char kStateKey[] = "zestbox-synthetic-state";

GstStateChangeReturn ChangeCameraState(GstElement* element, GstStateChange transition) {
  const auto* state = static_cast<std::shared_ptr<CSyntheticCamera::State>*>(g_object_get_data(G_OBJECT(element), kStateKey));
  if (transition == GST_STATE_CHANGE_NULL_TO_READY && state && (*state)->unplugged) {
    GST_ELEMENT_ERROR(element, RESOURCE, NOT_FOUND, ("The camera is not connected"),
                      ("the test camera plays a camera unplugged before it starts"));
    return GST_STATE_CHANGE_FAILURE;
  }
  return GST_ELEMENT_CLASS(zestbox_test_camera_bin_parent_class)->change_state(element, transition);
}

void zestbox_test_camera_bin_class_init(TestCameraBinClass* cls) {
  GST_ELEMENT_CLASS(cls)->change_state = ChangeCameraState;
}

void zestbox_test_camera_bin_init(TestCameraBin*) {}

}  // namespace

CSyntheticCamera::CSyntheticCamera(CSyntheticScene scene)
    : CSyntheticCamera(std::move(scene), {{640, 480, 32}, {320, 240, 32}, {160, 120, 32}}) {}

CSyntheticCamera::CSyntheticCamera(CSyntheticScene scene, std::vector<CVideoMode> modes)
    : state(std::make_shared<State>()), modes(std::move(modes)) {
  state->scene = std::move(scene);
}

GstElement* CSyntheticCamera::CreateElement() const {
  GstElement* feedBin = gst_parse_bin_from_description(
      "appsrc name=camera is-live=true format=time max-buffers=2 block=false ! videoconvert", TRUE, nullptr);
  if (!feedBin) return nullptr;
  GstElement* bin = GST_ELEMENT(g_object_new(zestbox_test_camera_bin_get_type(), nullptr));
  g_object_set_data_full(G_OBJECT(bin), kStateKey, new std::shared_ptr<State>(state),
                         [](gpointer data) { delete static_cast<std::shared_ptr<State>*>(data); });
  gst_bin_add(GST_BIN(bin), feedBin);
  GstPad* pad = gst_element_get_static_pad(feedBin, "src");
  gst_element_add_pad(bin, gst_ghost_pad_new("src", pad));
  gst_object_unref(pad);
  GstAppSrc* src = FindCameraAppSrc(bin);
  Feed* feed = new Feed;
  feed->state = state;
  AttachFeed<Feed, PushNext>(src, kFeedKey, feed);
  GstCaps* caps = BgrxFrameCaps(feed->width, feed->height, CSyntheticCamera::kFramesPerSecond);
  gst_app_src_set_caps(src, caps);
  gst_caps_unref(caps);
  return bin;
}

GstCaps* CSyntheticCamera::OfferedCaps() const {
  return ConvertingSourceCaps(modes);
}

void CSyntheticCamera::Configure(GstElement* element, const GstCaps* caps) const {
  GstAppSrc* src = FindCameraAppSrc(element);
  const GstStructure* s = caps ? gst_caps_get_structure(caps, 0) : nullptr;
  gint width = 0, height = 0;
  if (!src || !s || !gst_structure_get_int(s, "width", &width) || !gst_structure_get_int(s, "height", &height)) return;
  Feed* feed = static_cast<Feed*>(g_object_get_data(G_OBJECT(src), kFeedKey));
  feed->width = width;
  feed->height = height;
  HandOver(feed);
  GstCaps* frameCaps = BgrxFrameCaps(width, height, CSyntheticCamera::kFramesPerSecond);
  gst_app_src_set_caps(src, frameCaps);
  gst_caps_unref(frameCaps);
}
