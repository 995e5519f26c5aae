#pragma once
#include <gst/gst.h>

#include <functional>
#include <mutex>
#include <string>

#include "base/Owned.h"
#include "base/Results.h"

// One playbin that plays one local audio file (audio only, software volume)
// into the game's audio sink. It is built, driven and destroyed on the main
// thread; GStreamer plays it on its own threads. Its bus keeps at most the
// end-of-stream and error messages, and only those the observer lets through.
class CAudioPipeline {
 public:
  // Sees every end-of-stream and error message on the GStreamer thread that
  // posted it, before the bus queues it. Returns whether the bus should keep
  // the message for PopMessage. Must not block, change the pipeline's state
  // or set the observer.
  using Observer = std::function<bool(GstMessage* message)>;

  // The longest the main thread waits for a file to preroll.
  static constexpr GstClockTime kPrerollTimeout = 5 * GST_SECOND;

  CAudioPipeline();  // IsValid() is false when playbin or the sink are missing
  ~CAudioPipeline();
  CAudioPipeline(const CAudioPipeline&) = delete;
  CAudioPipeline& operator=(const CAudioPipeline&) = delete;

  bool IsValid() const { return playbin != nullptr; }

  // Set while the pipeline is in the NULL state (before the first Load).
  void SetObserver(Observer newObserver);

  // Points the pipeline at `path` (relative to the working directory) and
  // prerolls it, so that playing starts at once. A missing, empty or
  // undecodable file, one without sound, or one that does not preroll within
  // kPrerollTimeout leaves the pipeline in the NULL state and returns E_FAIL.
  // The file loaded last, asked for again (every new game does so), is only
  // rewound, which spares building its elements and threads once more.
  Result Load(const std::string& path);
  // Back to the start, prerolled in PAUSED, keeping the loaded file; E_FAIL
  // without media or when it does not preroll in time.
  Result Rewind();
  // The path given to the last successful Load, empty without media.
  const std::string& LoadedPath() const { return loadedPath; }

  // Whether the last Load succeeded.
  bool HasMedia() const { return !loadedPath.empty(); }

  // E_FAIL when the change fails at once, or when PAUSED or PLAYING is asked
  // without media; asynchronous changes succeed.
  Result SetState(GstState state);
  GstState CurrentState() const;  // without waiting for a pending change
  GstState TargetState() const;   // the state last asked for
  Result SeekToStart();           // flushing; needs PAUSED or PLAYING
  // Queues SeekToStart on a GStreamer helper thread; safe from the observer.
  void SeekToStartAsync();

  // Linear amplitude factor, 1.0 = unchanged.
  void SetLinearVolume(double volume);
  double GetLinearVolume() const;

  // The oldest kept message, or null when none is pending (never waits).
  // The caller owns the message and unrefs it.
  GstMessage* PopMessage();

 private:
  static GstBusSyncReply OnBusMessage(GstBus* bus, GstMessage* message, gpointer self);
  void DiscardMessages();
  void ReportLoadFailure(const std::string& path);

  Owned<GstElement, gst_object_unref> playbin;
  Owned<GstBus, gst_object_unref> bus;
  // Set on the main thread, called on the thread that posts a message: held
  // for the call, so the hand-over does not rest on GStreamer's internals.
  std::mutex observerLock;
  Observer observer;
  std::string loadedPath;
};
