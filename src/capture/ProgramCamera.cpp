#include "capture/ProgramCamera.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

#include "base/Clock.h"
#include "base/Owned.h"
#include "base/ThreadHandOff.h"
#include "capture/CameraCaps.h"
#include "capture/FrameStamp.h"

struct CProgramCamera::State {
  std::shared_ptr<const CCameraScene> scene;
  Pace pace = Pace::kFreeRunning;
  std::atomic<bool> busy{false};
  std::atomic<bool> unplugged{false};
  std::atomic<uint64_t> pushed{0};
  // Lockstep: guards what follows.
  std::mutex lock;
  Owned<GstAppSrc, gst_object_unref> newest;  // the element frames go to
  int32_t width = 320;
  int32_t height = 240;
  uint64_t frame = 0;    // the next frame's number
  bool started = false;  // frame 0's time is known
  uint32_t firstTick = 0;
};

namespace {

using State = CProgramCamera::State;
using CapsHold = Owned<GstCaps, gst_caps_unref>;

constexpr int32_t kRate = CProgramCamera::kFramesPerSecond;
constexpr char kFeedKey[] = "zestbox-camera-feed";
constexpr char kStateKey[] = "zestbox-camera-state";

// Keeps a free-running camera at its frame rate, as a real one is: each call
// returns when the next frame is due; a camera that fell behind starts
// afresh. Used on the appsrc's streaming thread only.
class FramePacer {
 public:
  void WaitForTurn() {
    const auto now = std::chrono::steady_clock::now();
    if (deadline + period < now) deadline = now;
    std::this_thread::sleep_until(deadline);
    deadline += period;
  }

 private:
  std::chrono::steady_clock::duration period = std::chrono::microseconds(1000000 / kRate);
  std::chrono::steady_clock::time_point deadline{};
};

// What one free-running appsrc knows about the pictures it makes; lives as
// long as the element.
struct Feed {
  std::shared_ptr<State> state;
  int32_t width = 320;
  int32_t height = 240;
  uint64_t frame = 0;
  FramePacer pacer;
};

CapsHold FrameCaps(int32_t width, int32_t height) {
  return CapsHold(gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width", G_TYPE_INT, width,
                                      "height", G_TYPE_INT, height, "framerate", GST_TYPE_FRACTION, kRate, 1, nullptr));
}

// The appsrc named "camera" in `bin` (the bin keeps it alive), or null.
GstAppSrc* FindCameraAppSrc(GstElement* bin) {
  const Owned<GstElement, gst_object_unref> src(gst_bin_get_by_name(GST_BIN(bin), "camera"));
  return src ? GST_APP_SRC(src.get()) : nullptr;
}

uint32_t SinceStartMs(uint64_t number) { return static_cast<uint32_t>(number * 1000 / kRate); }

// The scene's picture for one frame, stamped with the time it leaves the camera.
GstBuffer* DrawFrame(const CCameraScene& scene, const CameraFrameTime& when, int32_t width, int32_t height) {
  const gsize size = static_cast<gsize>(width) * static_cast<gsize>(height) * 4;
  GstBuffer* buffer = gst_buffer_new_allocate(nullptr, size, nullptr);
  GstMapInfo map;
  gst_buffer_map(buffer, &map, GST_MAP_WRITE);
  scene.Draw(when, map.data, width, height, width * 4);
  HandOver(map.data);
  gst_buffer_unmap(buffer, &map);
  GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(when.number, GST_SECOND, kRate);
  GST_BUFFER_DURATION(buffer) = GST_SECOND / kRate;
  StampFrameLeftSource(buffer);
  return buffer;
}

// appsrc's streaming thread asks for the next picture (free-running only).
void PushNext(GstAppSrc* src, Feed* feed) {
  if (feed->state->busy) {
    GST_ELEMENT_ERROR(src, RESOURCE, BUSY, ("Device is busy"), ("the program-made camera plays a busy camera"));
    return;
  }
  if (feed->state->unplugged) {
    GST_ELEMENT_ERROR(src, RESOURCE, NOT_FOUND, ("The camera is not connected"),
                      ("the program-made camera plays an unplugged camera"));
    return;
  }
  feed->pacer.WaitForTurn();
  const uint64_t number = feed->frame++;
  const CameraFrameTime when{number, SinceStartMs(number), TickCount()};
  gst_app_src_push_buffer(src, DrawFrame(*feed->state->scene, when, feed->width, feed->height));
  ++feed->state->pushed;
}

// Gives `feed` to `src` for as long as the element lives (deleted with it)
// and has PushNext called on the appsrc's streaming thread whenever it wants
// a frame. Set the feed up before; a later change from the main thread is
// followed by HandOver(feed).
void AttachFeed(GstAppSrc* src, std::unique_ptr<Feed> owned) {
  Feed* feed = owned.release();
  g_object_set_data_full(G_OBJECT(src), kFeedKey, feed, [](gpointer data) {
    TakeOver(data);  // from the streaming thread's last frame
    delete static_cast<Feed*>(data);
  });
  GstAppSrcCallbacks callbacks = {};
  callbacks.need_data = [](GstAppSrc* source, guint, gpointer data) {
    TakeOver(data);
    PushNext(source, static_cast<Feed*>(data));
    HandOver(data);
  };
  gst_app_src_set_callbacks(src, &callbacks, feed, nullptr);
  HandOver(feed);
}

// The camera's element: like a real camera's source, it cannot be opened
// while the camera is unplugged (its state change fails and says why).
struct ProgramCameraBin {
  GstBin bin;
};
struct ProgramCameraBinClass {
  GstBinClass parentClass;
};
G_DEFINE_TYPE(ProgramCameraBin, zestbox_program_camera_bin, GST_TYPE_BIN)

GstStateChangeReturn ChangeCameraState(GstElement* element, GstStateChange transition) {
  const auto* state = static_cast<std::shared_ptr<State>*>(g_object_get_data(G_OBJECT(element), kStateKey));
  if (transition == GST_STATE_CHANGE_NULL_TO_READY && state && (*state)->unplugged) {
    GST_ELEMENT_ERROR(element, RESOURCE, NOT_FOUND, ("The camera is not connected"),
                      ("the program-made camera plays a camera unplugged before it starts"));
    return GST_STATE_CHANGE_FAILURE;
  }
  return GST_ELEMENT_CLASS(zestbox_program_camera_bin_parent_class)->change_state(element, transition);
}

void zestbox_program_camera_bin_class_init(ProgramCameraBinClass* cls) {
  GST_ELEMENT_CLASS(cls)->change_state = ChangeCameraState;
}

void zestbox_program_camera_bin_init(ProgramCameraBin*) {}

}  // namespace

CProgramCamera::CProgramCamera(std::shared_ptr<const CCameraScene> scene, std::vector<CVideoMode> modes, Pace pace)
    : state(std::make_shared<State>()), modes(std::move(modes)) {
  state->scene = std::move(scene);
  state->pace = pace;
}

CProgramCamera::~CProgramCamera() {
  const std::lock_guard<std::mutex> guard(state->lock);
  state->newest.reset();
}

void CProgramCamera::SetBusy(bool busy) { state->busy = busy; }

void CProgramCamera::SetUnplugged(bool unplugged) { state->unplugged = unplugged; }

uint64_t CProgramCamera::FramesPushed() const { return state->pushed; }

GstElement* CProgramCamera::CreateElement() const {
  // The queue's bound only decides when the appsrc says it has enough: a
  // lockstep step may push a few frames at once, and none is dropped.
  GstElement* feedBin = gst_parse_bin_from_description(
      "appsrc name=camera is-live=true format=time max-buffers=4 block=false ! videoconvert", TRUE, nullptr);
  if (!feedBin) return nullptr;
  GstElement* bin = GST_ELEMENT(g_object_new(zestbox_program_camera_bin_get_type(), nullptr));
  g_object_set_data_full(G_OBJECT(bin), kStateKey, new std::shared_ptr<State>(state),
                         [](gpointer data) { delete static_cast<std::shared_ptr<State>*>(data); });
  gst_bin_add(GST_BIN(bin), feedBin);
  const Owned<GstPad, gst_object_unref> pad(gst_element_get_static_pad(feedBin, "src"));
  gst_element_add_pad(bin, gst_ghost_pad_new("src", pad.get()));
  GstAppSrc* src = FindCameraAppSrc(bin);
  int32_t width = 0, height = 0;
  if (state->pace == Pace::kLockstep) {
    const std::lock_guard<std::mutex> guard(state->lock);
    state->newest.reset(GST_APP_SRC(gst_object_ref(src)));
    width = state->width;
    height = state->height;
  } else {
    auto feed = std::make_unique<Feed>();
    feed->state = state;
    width = feed->width;
    height = feed->height;
    AttachFeed(src, std::move(feed));
  }
  gst_app_src_set_caps(src, FrameCaps(width, height).get());
  return bin;
}

GstCaps* CProgramCamera::OfferedCaps() const { return ConvertingSourceCaps(modes); }

void CProgramCamera::Configure(GstElement* element, const GstCaps* caps) const {
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
  gst_app_src_set_caps(src, FrameCaps(width, height).get());
}

uint32_t CProgramCamera::PushDueFrames(uint32_t now) {
  const std::lock_guard<std::mutex> guard(state->lock);
  if (state->pace != Pace::kLockstep || !state->newest) return 0;
  if (!state->started) {
    state->started = true;
    state->firstTick = now;
  }
  uint32_t count = 0;
  for (;; ++count) {
    const CameraFrameTime when{state->frame, SinceStartMs(state->frame), state->firstTick + SinceStartMs(state->frame)};
    if (static_cast<int32_t>(now - when.tick) < 0) break;
    gst_app_src_push_buffer(state->newest.get(), DrawFrame(*state->scene, when, state->width, state->height));
    ++state->frame;
    ++state->pushed;
  }
  return count;
}
