#include "demo/PersonCamera.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <utility>

#include "base/Clock.h"
#include "base/ThreadHandOff.h"
#include "capture/AppSrcFeed.h"
#include "capture/CameraCaps.h"
#include "capture/FrameStamp.h"

namespace {

constexpr char kFeedKey[] = "zestbox-person-feed";

// What one free-running appsrc knows; lives as long as the element.
struct Feed {
  std::shared_ptr<CPersonCamera::State> state;
  int32_t width = 320;
  int32_t height = 240;
  uint64_t frame = 0;
  CFramePacer pacer{CPersonCamera::kFramesPerSecond};
};

GstBuffer* DrawFrame(const CPersonMotion& motion, uint32_t tick, uint64_t frame, int32_t width, int32_t height) {
  const gsize size = static_cast<gsize>(width) * static_cast<gsize>(height) * 4;
  GstBuffer* buffer = gst_buffer_new_allocate(nullptr, size, nullptr);
  GstMapInfo map;
  gst_buffer_map(buffer, &map, GST_MAP_WRITE);
  CPersonScene::Render(motion.PoseAt(tick, frame), map.data, width, height, width * 4);
  HandOver(map.data);
  gst_buffer_unmap(buffer, &map);
  GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(frame, GST_SECOND, CPersonCamera::kFramesPerSecond);
  GST_BUFFER_DURATION(buffer) = GST_SECOND / CPersonCamera::kFramesPerSecond;
  StampFrameLeftSource(buffer);
  return buffer;
}

// appsrc's streaming thread asks for the next picture (free-running only).
void PushNext(GstAppSrc* src, Feed* feed) {
  feed->pacer.WaitForTurn();
  gst_app_src_push_buffer(src, DrawFrame(*feed->state->motion, TickCount(), feed->frame++, feed->width, feed->height));
  ++feed->state->pushed;
}

uint32_t FrameTick(uint32_t first, uint64_t frame) {
  return first + static_cast<uint32_t>(frame * 1000 / CPersonCamera::kFramesPerSecond);
}

}  // namespace

CPersonCamera::CPersonCamera(std::shared_ptr<const CPersonMotion> motion, bool lockstep)
    : state(std::make_shared<State>()) {
  state->motion = std::move(motion);
  state->lockstep = lockstep;
}

CPersonCamera::~CPersonCamera() {
  const std::lock_guard<std::mutex> guard(state->lock);
  if (state->newest) gst_object_unref(state->newest);
  state->newest = nullptr;
}

std::vector<CVideoMode> CPersonCamera::Modes() const { return {{320, 240, 32}, {640, 480, 32}, {160, 120, 32}}; }

GstCaps* CPersonCamera::OfferedCaps() const { return ConvertingSourceCaps(Modes()); }

GstElement* CPersonCamera::CreateElement() const {
  GstElement* bin = gst_parse_bin_from_description(
      "appsrc name=camera is-live=true format=time max-buffers=4 block=false ! videoconvert", TRUE, nullptr);
  if (!bin) return nullptr;
  GstAppSrc* src = FindCameraAppSrc(bin);
  if (state->lockstep) {
    const std::lock_guard<std::mutex> guard(state->lock);
    if (state->newest) gst_object_unref(state->newest);
    state->newest = GST_APP_SRC(gst_object_ref(src));
  } else {
    Feed* feed = new Feed;
    feed->state = state;
    AttachFeed<Feed, PushNext>(src, kFeedKey, feed);
  }
  GstCaps* caps = BgrxFrameCaps(state->width, state->height, CPersonCamera::kFramesPerSecond);
  gst_app_src_set_caps(src, caps);
  gst_caps_unref(caps);
  return bin;
}

void CPersonCamera::Configure(GstElement* element, const GstCaps* caps) const {
  GstAppSrc* src = FindCameraAppSrc(element);
  const GstStructure* s = caps ? gst_caps_get_structure(caps, 0) : nullptr;
  gint width = 0, height = 0;
  if (!src || !s || !gst_structure_get_int(s, "width", &width) || !gst_structure_get_int(s, "height", &height)) return;
  if (Feed* feed = static_cast<Feed*>(g_object_get_data(G_OBJECT(src), kFeedKey))) {
    feed->width = width;
    feed->height = height;
    HandOver(feed);
  } else {
    const std::lock_guard<std::mutex> guard(state->lock);
    state->width = width;
    state->height = height;
  }
  GstCaps* frameCaps = BgrxFrameCaps(width, height, CPersonCamera::kFramesPerSecond);
  gst_app_src_set_caps(src, frameCaps);
  gst_caps_unref(frameCaps);
}

uint32_t CPersonCamera::PushDueFrames(uint32_t now) {
  const std::lock_guard<std::mutex> guard(state->lock);
  if (!state->lockstep || !state->newest) return 0;
  if (!state->started) {
    state->started = true;
    state->firstTick = now;
  }
  uint32_t count = 0;
  while (static_cast<int32_t>(now - FrameTick(state->firstTick, state->frame)) >= 0) {
    const uint32_t tick = FrameTick(state->firstTick, state->frame);
    gst_app_src_push_buffer(state->newest, DrawFrame(*state->motion, tick, state->frame, state->width, state->height));
    ++state->frame;
    ++state->pushed;
    ++count;
  }
  return count;
}
