#include "capture/CameraProbe.h"

#include <gst/gst.h>
#include <gst/pbutils/pbutils.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "base/Texts.h"
#include "base/ThreadHandOff.h"

namespace {

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
  GError* error = nullptr;
  gchar* details = nullptr;
  gst_message_parse_error(message, &error, &details);
  const bool openFailed = error && (g_error_matches(error, GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ_WRITE) ||
                                    g_error_matches(error, GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ));
  TrialResult result{TrialResult::Outcome::Failed, error ? error->message : Translatable("unknown error")};
  if (error && (g_error_matches(error, GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_BUSY) ||
                (openFailed && SaysSystemError(details, EBUSY))))
    result = {TrialResult::Outcome::Busy, ""};
  else if (openFailed && SaysSystemError(details, EACCES))
    result = {TrialResult::Outcome::NoPermission, ""};
  else if (!missing.empty())
    result = {TrialResult::Outcome::MissingPlugin, missing};
  if (error) g_error_free(error);
  g_free(details);
  return result;
}

// Adds what a missing-plugin message names ("MPEG-4 Video decoder") to `missing`.
void NoteMissingPlugin(GstMessage* message, std::string& missing) {
  if (!gst_is_missing_plugin_message(message)) return;
  gchar* description = gst_missing_plugin_message_get_description(message);
  if (description) missing += (missing.empty() ? "" : ", ") + std::string(description);
  g_free(description);
}

// Reads (and releases) one message of the trial: notes a missing plug-in;
// true for an error, with `result` saying what it means.
bool ReadMessage(GstMessage* message, std::string& missing, TrialResult& result) {
  const bool error = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
  if (error)
    result = ErrorResult(message, missing);
  else
    NoteMissingPlugin(message, missing);
  gst_message_unref(message);
  return error;
}

constexpr GstMessageType kTrialMessages = GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_ELEMENT);

// Waits until a frame arrived, an error came or the time is up.
TrialResult WaitForFirstFrame(GstBus* bus, const std::atomic<bool>& delivered, std::string& missing) {
  TrialResult result;
  for (int waited = 0; !delivered && waited < kProbeMs; waited += kPollMs)
    if (GstMessage* message = gst_bus_timed_pop_filtered(bus, kPollMs * GST_MSECOND, kTrialMessages))
      if (ReadMessage(message, missing, result)) break;
  return result;
}

void NoteFrame(GstElement*, GstBuffer*, GstPad*, gpointer flag) {
  TakeOver(flag);
  *static_cast<std::atomic<bool>*>(flag) = true;
  HandOver(flag);
}

}  // namespace

TrialResult TrialStart(GstElement* source) {
  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* sink = gst_element_factory_make("fakesink", nullptr);
  if (!sink) {
    gst_object_unref(gst_object_ref_sink(source));
    gst_object_unref(pipeline);
    return {};
  }
  g_object_set(sink, "sync", FALSE, "signal-handoffs", TRUE, nullptr);
  gst_bin_add_many(GST_BIN(pipeline), source, sink, nullptr);
  std::atomic<bool> delivered{false};
  g_signal_connect(sink, "handoff", G_CALLBACK(NoteFrame), &delivered);
  HandOver(&delivered);
  GstBus* bus = gst_element_get_bus(pipeline);
  std::string missing;
  TrialResult result;
  if (!gst_element_link(source, sink)) {
    result = {TrialResult::Outcome::Failed, Translatable("the source cannot be linked")};
  } else if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
    // A failed start posts its reason: prefer that to the general words.
    result = {TrialResult::Outcome::Failed, Translatable("it does not start")};
    while (GstMessage* message = gst_bus_pop_filtered(bus, kTrialMessages))
      if (ReadMessage(message, missing, result)) break;
  } else {
    result = WaitForFirstFrame(bus, delivered, missing);
  }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  TakeOver(&delivered);  // the streaming thread is gone: the flag's memory is ours again
  gst_object_unref(bus);
  gst_object_unref(pipeline);
  return result;
}
