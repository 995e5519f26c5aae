#include "capture/CameraProbe.h"

#include <gst/gst.h>

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

std::string ErrorText(GstMessage* message) {
  GError* error = nullptr;
  gchar* details = nullptr;
  gst_message_parse_error(message, &error, &details);
  const bool openFailed = error && (g_error_matches(error, GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ_WRITE) ||
                                    g_error_matches(error, GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_OPEN_READ));
  std::string text = Translatable("unknown error");
  if (error && (g_error_matches(error, GST_RESOURCE_ERROR, GST_RESOURCE_ERROR_BUSY) ||
                (openFailed && SaysSystemError(details, EBUSY))))
    text = "busy";
  else if (openFailed && SaysSystemError(details, EACCES))
    text = "no permission";
  else if (error)
    text = error->message;
  if (error) g_error_free(error);
  g_free(details);
  return text;
}

// Waits until a frame arrived, an error came or the time is up.
std::string WaitForFirstFrame(GstBus* bus, const std::atomic<bool>& delivered) {
  for (int waited = 0; !delivered && waited < kProbeMs; waited += kPollMs) {
    GstMessage* message = gst_bus_timed_pop_filtered(bus, kPollMs * GST_MSECOND, GST_MESSAGE_ERROR);
    if (!message) continue;
    std::string text = ErrorText(message);
    gst_message_unref(message);
    return text;
  }
  return "";
}

void NoteFrame(GstElement*, GstBuffer*, GstPad*, gpointer flag) {
  TakeOver(flag);
  *static_cast<std::atomic<bool>*>(flag) = true;
  HandOver(flag);
}

}  // namespace

std::string TrialStart(GstElement* source) {
  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* sink = gst_element_factory_make("fakesink", nullptr);
  if (!sink) {
    gst_object_unref(gst_object_ref_sink(source));
    gst_object_unref(pipeline);
    return "";
  }
  g_object_set(sink, "sync", FALSE, "signal-handoffs", TRUE, nullptr);
  gst_bin_add_many(GST_BIN(pipeline), source, sink, nullptr);
  std::atomic<bool> delivered{false};
  g_signal_connect(sink, "handoff", G_CALLBACK(NoteFrame), &delivered);
  HandOver(&delivered);
  GstBus* bus = gst_element_get_bus(pipeline);
  std::string problem;
  if (!gst_element_link(source, sink))
    problem = Translatable("the source cannot be linked");
  else if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
    problem = Translatable("it does not start");
  if (problem.empty()) problem = WaitForFirstFrame(bus, delivered);
  // A failed start posts its reason too: prefer that to the general words.
  if (problem == "it does not start")
    if (GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR)) {
      problem = ErrorText(message);
      gst_message_unref(message);
    }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  TakeOver(&delivered);  // the streaming thread is gone: the flag's memory is ours again
  gst_object_unref(bus);
  gst_object_unref(pipeline);
  return problem;
}
