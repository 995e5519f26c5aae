#pragma once
#include <gst/gst.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

// Points ZESTBOX_AUDIO_SINK at a fake sink that keeps real time and signals
// its buffers. Tests call it themselves rather than trust the environment
// they were started in.
void UseTestAudioSink();

// Watches every buffer that reaches a fake audio sink in this process, at the
// moment the sink renders it (the sink syncs to the clock, so that is when it
// would be heard). Calls UseTestAudioSink; create it before the players and
// sounds under test.
class SinkWatch {
 public:
  SinkWatch();
  ~SinkWatch();
  SinkWatch(const SinkWatch&) = delete;
  SinkWatch& operator=(const SinkWatch&) = delete;

  struct Counts {
    int buffers;
    int sinks;   // sinks that have rendered a buffer: a pipeline built anew brings its own
    int starts;  // plays from the beginning: a sink's first buffer, and every one whose time stamp goes back
  };
  Counts Now() const;
  int Buffers() const { return Now().buffers; }
  int Starts() const { return Now().starts; }
  // Waits until Starts() reaches `count`; false after `timeout`.
  bool WaitForStarts(int count, std::chrono::milliseconds timeout) const;

 private:
  // What the hook fills in. GLib may still be running the hook on a
  // streaming thread when the watch goes, so the hook holds its own
  // reference, dropped by GLib once no emission uses the hook any more.
  struct Seen {
    std::mutex lock;
    std::condition_variable changed;
    std::map<GstElement*, GstClockTime> lastStamp;
    int buffers = 0;
    int starts = 0;
  };

  static gboolean OnHandoff(GSignalInvocationHint*, guint count, const GValue* values, gpointer data);
  static void Note(Seen* record, guint count, const GValue* values);

  guint signal = 0;
  gulong hook = 0;
  std::shared_ptr<Seen> seen = std::make_shared<Seen>();
};
