#include "capture/CameraProbe.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "base/Owned.h"
#include "base/Texts.h"
#include "base/ThreadHandOff.h"

namespace {

using MessageHold = Owned<GstMessage, gst_message_unref>;

constexpr int kProbeMs = 2000;
constexpr int kPollMs = 20;

// True when the error's details carry the system's text for `code`: a device
// that cannot be opened reports its errno only there.
bool SaysSystemError(const gchar* details, int code) {
  return details && std::strstr(details, g_strerror(code)) != nullptr;
}

// What an error means for the trial; `missing` names the plug-ins GStreamer
// said it lacked before the error ("" when none).
TrialResult ErrorResult(GstMessage* message, const std::string& missing) {
  GError* parsedError = nullptr;
  gchar* parsedDetails = nullptr;
  gst_message_parse_error(message, &parsedError, &parsedDetails);
  const Owned<GError, g_error_free> error(parsedError);
  const Owned<gchar, g_free> details(parsedDetails);
  const bool openFailed =
      error && (g_error_matches(error.get(), GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ_WRITE) ||
                g_error_matches(error.get(), GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ));
  TrialResult result{TrialResult::Outcome::Failed, error ? error->message : Translatable("unknown error")};
  if (error && (g_error_matches(error.get(), GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_BUSY) ||
                (openFailed && SaysSystemError(details.get(), EBUSY))))
    result = {TrialResult::Outcome::Busy, ""};
  else if (openFailed && SaysSystemError(details.get(), EACCES))
    result = {TrialResult::Outcome::NoPermission, ""};
  else if (!missing.empty())
    result = {TrialResult::Outcome::MissingPlugin, missing};
  return result;
}

// Adds what a missing-plugin message names ("MPEG-4 Video decoder") to `missing`.
void NoteMissingPlugin(GstMessage* message, std::string& missing) {
  if (!gst_is_missing_plugin_message(message)) return;
  const Owned<gchar, g_free> description(gst_missing_plugin_message_get_description(message));
  if (description) missing += (missing.empty() ? "" : ", ") + std::string(description.get());
}

// Reads one message of the trial: notes a missing plug-in; true for an
// error, with `result` saying what it means.
bool ReadMessage(GstMessage* message, std::string& missing, TrialResult& result) {
  const bool error = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
  if (error)
    result = ErrorResult(message, missing);
  else
    NoteMissingPlugin(message, missing);
  return error;
}

constexpr GstMessageType kTrialMessages = GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ELEMENT);

// Waits until a frame arrived, an error came or the time is up.
TrialResult WaitForFirstFrame(GstBus* bus, const std::atomic<bool>& delivered, std::string& missing) {
  TrialResult result;
  for (int waited = 0; !delivered && waited < kProbeMs; waited += kPollMs)
    if (const MessageHold message{gst_bus_timed_pop_filtered(bus, kPollMs * GST_MSECOND, kTrialMessages)})
      if (ReadMessage(message.get(), missing, result)) break;
  return result;
}

void NoteFrame(GstElement*, GstBuffer*, GstPad*, gpointer flag) {
  TakeOver(flag);
  *static_cast<std::atomic<bool>*>(flag) = true;
  HandOver(flag);
}

}  // namespace

TrialResult TrialStart(GstElement* source) {
  const Owned<GstElement, gst_object_unref> pipeline(gst_pipeline_new(nullptr));
  GstElement* sink = gst_element_factory_make("fakesink", nullptr);
  if (!sink) {
    const Owned<GstElement, gst_object_unref> dropped(GST_ELEMENT(gst_object_ref_sink(source)));  // ours to drop
    return {};
  }
  g_object_set(sink, "sync", FALSE, "signal-handoffs", TRUE, nullptr);
  gst_bin_add_many(GST_BIN(pipeline.get()), source, sink, nullptr);
  std::atomic<bool> delivered{false};
  g_signal_connect(sink, "handoff", G_CALLBACK(NoteFrame), &delivered);
  HandOver(&delivered);
  const Owned<GstBus, gst_object_unref> bus(gst_element_get_bus(pipeline.get()));
  std::string missing;
  TrialResult result;
  if (!gst_element_link(source, sink)) {
    result = {TrialResult::Outcome::Failed, Translatable("the source cannot be linked")};
  } else if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    // A failed start posts its reason: prefer that to the general words.
    result = {TrialResult::Outcome::Failed, Translatable("it does not start")};
    while (const MessageHold message{gst_bus_pop_filtered(bus.get(), kTrialMessages)})
      if (ReadMessage(message.get(), missing, result)) break;
  } else {
    result = WaitForFirstFrame(bus.get(), delivered, missing);
  }
  gst_element_set_state(pipeline.get(), GST_STATE_NULL);
  TakeOver(&delivered);  // the streaming thread is gone: the flag's memory is ours again
  return result;
}
