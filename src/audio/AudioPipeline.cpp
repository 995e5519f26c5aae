#include "audio/AudioPipeline.h"

#include <filesystem>
#include <system_error>

#include "audio/AudioSink.h"
#include "base/Debug.h"
#include "base/ThreadHandOff.h"

namespace {

using MessageHold = Owned<GstMessage, gst_message_unref>;
using ElementHold = Owned<GstElement, gst_object_unref>;

// Takes over a new element's floating reference.
ElementHold Sunk(GstElement* element) {
  return ElementHold(element != nullptr ? GST_ELEMENT(gst_object_ref_sink(element)) : nullptr);
}

bool IsNonEmptyFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) > 0 &&
         !error;
}

bool SeekElementToStart(GstElement* element) {
  return gst_element_seek_simple(element, GST_FORMAT_TIME,
                                 static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0);
}

void SeekOnHelperThread(GstElement* element, gpointer) {
  SeekElementToStart(element);
}

}  // namespace

CAudioPipeline::CAudioPipeline() {
  if (!gst_init_check(nullptr, nullptr, nullptr)) {
    return;
  }
  const ElementHold sink = Sunk(CreateAudioSink());
  ElementHold made = Sunk(gst_element_factory_make("playbin", nullptr));
  if (made == nullptr || sink == nullptr) {
    return;
  }
  playbin = std::move(made);
  g_object_set(playbin.get(), "audio-sink", sink.get(), nullptr);
  gst_util_set_object_arg(G_OBJECT(playbin.get()), "flags", "audio+soft-volume");
  bus.reset(gst_element_get_bus(playbin.get()));
  HandOver(this);  // to the threads that post messages
  gst_bus_set_sync_handler(bus.get(), &CAudioPipeline::OnBusMessage, this, nullptr);
}

CAudioPipeline::~CAudioPipeline() {
  if (playbin == nullptr) {
    return;
  }
  // The NULL state joins the streaming threads, so no bus message can reach
  // the handler (and `this`) afterwards. Clearing the observer under its lock
  // also waits for a call still running on another thread, so nothing the
  // observer refers to is used once this returns.
  gst_element_set_state(playbin.get(), GST_STATE_NULL);
  {
    std::lock_guard<std::mutex> guard(observerLock);
    observer = nullptr;
  }
  gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
}

GstBusSyncReply CAudioPipeline::OnBusMessage(GstBus*, GstMessage* message, gpointer self) {
  const GstMessageType type = GST_MESSAGE_TYPE(message);
  bool keep = false;
  if (type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) {
    auto* pipeline = static_cast<CAudioPipeline*>(self);
    TakeOver(pipeline);
    std::lock_guard<std::mutex> guard(pipeline->observerLock);
    keep = !pipeline->observer || pipeline->observer(message);
  }
  if (keep) {
    return GST_BUS_PASS;
  }
  // The bus leaves a dropped message to the handler: without this every
  // state change, tag and end a pipeline ever posted stayed allocated.
  const MessageHold dropped(message);
  return GST_BUS_DROP;
}

void CAudioPipeline::SetObserver(Observer newObserver) {
  std::lock_guard<std::mutex> guard(observerLock);
  observer = std::move(newObserver);
}

Result CAudioPipeline::Load(const std::string& path) {
  if (playbin == nullptr) {
    return E_FAIL;
  }
  if (path == loadedPath && IsNonEmptyFile(path) && Succeeded(Rewind())) {
    return S_OK;
  }
  loadedPath.clear();
  gst_element_set_state(playbin.get(), GST_STATE_NULL);
  DiscardMessages();
  if (!IsNonEmptyFile(path)) {
    DebugOutput(("audio: no such file or empty: " + path + "\n").c_str());
    return E_FAIL;
  }
  const Owned<gchar, g_free> uri(gst_filename_to_uri(path.c_str(), nullptr));
  if (uri == nullptr) {
    return E_FAIL;
  }
  g_object_set(playbin.get(), "uri", uri.get(), nullptr);
  if (gst_element_set_state(playbin.get(), GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE) {
    const GstStateChangeReturn change = gst_element_get_state(playbin.get(), nullptr, nullptr, kPrerollTimeout);
    gint audioStreams = 0;
    g_object_get(playbin.get(), "n-audio", &audioStreams, nullptr);
    if ((change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL) && audioStreams > 0) {
      loadedPath = path;
      return S_OK;
    }
  }
  ReportLoadFailure(path);
  gst_element_set_state(playbin.get(), GST_STATE_NULL);
  DiscardMessages();
  return E_FAIL;
}

Result CAudioPipeline::Rewind() {
  if (playbin == nullptr || !HasMedia()) {
    return E_FAIL;
  }
  // From READY the preroll itself starts at the beginning; a flushing seek
  // needs a pipeline that has prerolled.
  const bool prerolled = CurrentState() >= GST_STATE_PAUSED;
  if (gst_element_set_state(playbin.get(), GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
      (prerolled && !SeekElementToStart(playbin.get()))) {
    return E_FAIL;
  }
  const GstStateChangeReturn change = gst_element_get_state(playbin.get(), nullptr, nullptr, kPrerollTimeout);
  DiscardMessages();
  return (change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL) ? S_OK : E_FAIL;
}

void CAudioPipeline::ReportLoadFailure(const std::string& path) {
  std::string reason = "no sound in it, or it does not preroll";
  while (const MessageHold message{PopMessage()}) {
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR) {
      GError* parsed = nullptr;
      gst_message_parse_error(message.get(), &parsed, nullptr);
      const Owned<GError, g_error_free> error(parsed);
      reason = error != nullptr ? error->message : "error";
    }
  }
  DebugOutput(("audio: cannot play " + path + ": " + reason + "\n").c_str());
}

void CAudioPipeline::DiscardMessages() {
  while (const MessageHold message{PopMessage()}) {
    // released as its holder goes
  }
}

Result CAudioPipeline::SetState(GstState state) {
  if (playbin == nullptr || (state >= GST_STATE_PAUSED && !HasMedia())) {
    return E_FAIL;
  }
  return gst_element_set_state(playbin.get(), state) == GST_STATE_CHANGE_FAILURE ? E_FAIL : S_OK;
}

GstState CAudioPipeline::CurrentState() const {
  if (playbin == nullptr) {
    return GST_STATE_NULL;
  }
  GstState current = GST_STATE_NULL;
  gst_element_get_state(playbin.get(), &current, nullptr, 0);
  return current;
}

GstState CAudioPipeline::TargetState() const {
  if (playbin == nullptr) {
    return GST_STATE_NULL;
  }
  // The target survives the brief fall to PAUSED that every flushing seek
  // causes while the pipeline prerolls again.
  GST_OBJECT_LOCK(playbin.get());
  const GstState target = GST_STATE_TARGET(playbin.get());
  GST_OBJECT_UNLOCK(playbin.get());
  return target;
}

Result CAudioPipeline::SeekToStart() {
  return (playbin != nullptr && SeekElementToStart(playbin.get())) ? S_OK : E_FAIL;
}

void CAudioPipeline::SeekToStartAsync() {
  if (playbin != nullptr) {
    gst_element_call_async(playbin.get(), &SeekOnHelperThread, nullptr, nullptr);
  }
}

void CAudioPipeline::SetLinearVolume(double volume) {
  if (playbin != nullptr) {
    g_object_set(playbin.get(), "volume", volume, nullptr);
  }
}

double CAudioPipeline::GetLinearVolume() const {
  double volume = 0.0;
  if (playbin != nullptr) {
    g_object_get(playbin.get(), "volume", &volume, nullptr);
  }
  return volume;
}

GstMessage* CAudioPipeline::PopMessage() {
  return bus != nullptr ? gst_bus_pop(bus.get()) : nullptr;
}
