#include "SinkWatch.h"

#include <cstdlib>

void UseTestAudioSink() {
  setenv("ZESTBOX_AUDIO_SINK", "fakesink sync=true signal-handoffs=true", 1);
}

SinkWatch::SinkWatch() {
  UseTestAudioSink();
  gst_init(nullptr, nullptr);
  GstElement* probe = gst_element_factory_make("fakesink", nullptr);  // registers the type
  signal = g_signal_lookup("handoff", G_OBJECT_TYPE(probe));
  gst_object_unref(gst_object_ref_sink(probe));
  hook = g_signal_add_emission_hook(signal, 0, &SinkWatch::OnHandoff, this, nullptr);
}

SinkWatch::~SinkWatch() {
  g_signal_remove_emission_hook(signal, hook);
}

gboolean SinkWatch::OnHandoff(GSignalInvocationHint*, guint count, const GValue* values, gpointer self) {
  auto* watch = static_cast<SinkWatch*>(self);
  if (count < 2) {
    return TRUE;
  }
  auto* sink = static_cast<GstElement*>(g_value_get_object(&values[0]));
  const GstClockTime stamp = GST_BUFFER_PTS(GST_BUFFER(g_value_get_boxed(&values[1])));
  std::lock_guard<std::mutex> guard(watch->lock);
  const auto last = watch->lastStamp.find(sink);
  if (last == watch->lastStamp.end() || stamp <= last->second) {
    ++watch->starts;
    watch->lastStart = Clock::now();
  }
  watch->lastStamp[sink] = stamp;
  ++watch->buffers;
  watch->changed.notify_all();
  return TRUE;
}

int SinkWatch::Buffers() const {
  std::lock_guard<std::mutex> guard(lock);
  return buffers;
}

int SinkWatch::Starts() const {
  std::lock_guard<std::mutex> guard(lock);
  return starts;
}

bool SinkWatch::WaitForStarts(int count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> guard(lock);
  return changed.wait_for(guard, timeout, [&] { return starts >= count; });
}

SinkWatch::Clock::time_point SinkWatch::LastStart() const {
  std::lock_guard<std::mutex> guard(lock);
  return lastStart;
}
