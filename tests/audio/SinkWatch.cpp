#include "SinkWatch.h"

#include <cstdlib>

#include "base/ThreadHandOff.h"

void UseTestAudioSink() {
  setenv("ZESTBOX_AUDIO_SINK", "fakesink sync=true signal-handoffs=true", 1);
}

SinkWatch::SinkWatch() {
  UseTestAudioSink();
  gst_init(nullptr, nullptr);
  GstElement* probe = gst_element_factory_make("fakesink", nullptr);  // registers the type
  signal = g_signal_lookup("handoff", G_OBJECT_TYPE(probe));
  gst_object_unref(gst_object_ref_sink(probe));
  auto* held = new std::shared_ptr<Seen>(seen);
  HandOver(held);
  hook = g_signal_add_emission_hook(signal, 0, &SinkWatch::OnHandoff, held, [](gpointer data) {
    TakeOver(data);
    delete static_cast<std::shared_ptr<Seen>*>(data);
  });
}

SinkWatch::~SinkWatch() {
  g_signal_remove_emission_hook(signal, hook);
}

gboolean SinkWatch::OnHandoff(GSignalInvocationHint*, guint count, const GValue* values, gpointer data) {
  TakeOver(data);
  Seen* record = static_cast<std::shared_ptr<Seen>*>(data)->get();
  Note(record, count, values);
  HandOver(data);
  return TRUE;
}

void SinkWatch::Note(Seen* record, guint count, const GValue* values) {
  if (count < 2) {
    return;
  }
  auto* sink = static_cast<GstElement*>(g_value_get_object(&values[0]));
  const GstClockTime stamp = GST_BUFFER_PTS(GST_BUFFER(g_value_get_boxed(&values[1])));
  std::lock_guard<std::mutex> guard(record->lock);
  const auto last = record->lastStamp.find(sink);
  record->starts += last == record->lastStamp.end() || stamp <= last->second;
  record->lastStamp[sink] = stamp;
  ++record->buffers;
  record->changed.notify_all();
}

SinkWatch::Counts SinkWatch::Now() const {
  std::lock_guard<std::mutex> guard(seen->lock);
  return Counts{seen->buffers, static_cast<int>(seen->lastStamp.size()), seen->starts};
}

bool SinkWatch::WaitForStarts(int count, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> guard(seen->lock);
  return seen->changed.wait_for(guard, timeout, [&] { return seen->starts >= count; });
}
