#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "base/Results.h"

class CAudioPipeline;

// The background music of one game state: one file (MP3 or WAV) played
// through its own playbin, looped by the main thread when the music notice
// reports its end. Every operation runs on the main thread. Failures are
// returned and leave the player silent; callers may ignore them.
class CMusicPlayer {
 public:
  // The longest Stop waits for the pipeline to report that it stopped.
  static constexpr uint32_t kStopTimeoutMs = 2000;
  // How long the destructor blocks the calling thread (on the game's clock,
  // WaitMs) before it releases the pipeline; every state switch pays it.
  static constexpr uint32_t kReleaseWaitMs = 1000;

  CMusicPlayer();
  // Stop, notices off, wait kReleaseWaitMs, release the pipeline.
  virtual ~CMusicPlayer();
  CMusicPlayer(const CMusicPlayer&) = delete;
  CMusicPlayer& operator=(const CMusicPlayer&) = delete;

  // Copies the name given to the last Open (empty before); returns S_OK.
  virtual Result GetFileName(std::string& name) const;
  // Remembers `file` (a path relative to the working directory), builds the
  // pipeline if there is none, and prerolls the file so that Play starts at
  // once. E_FAIL, with the pipeline silent, for a missing, empty, undecodable
  // or soundless file, or when no pipeline can be built (the name is then
  // forgotten).
  virtual Result Open(std::string file);
  virtual Result Play();
  virtual Result Pause();
  // Stops playback and returns once the pipeline reports it stopped (S_OK),
  // or E_FAIL after kStopTimeoutMs. Playing again starts from the beginning.
  virtual Result Stop();
  // Back to 0.0 seconds.
  virtual Result Rewind();
  // Percent of full volume: 100 is 0 dB, 0 is -100 dB; 0.0 without a pipeline.
  virtual float GetVolume();
  // Clamped to 0..100 percent and kept in hundredths of a decibel (90 gives
  // -1000, -10 dB); the pipeline plays at the matching linear amplitude.
  virtual Result SetVolume(float percent);
  // Play, Pause, Stop, Rewind and SetVolume return E_FAIL, and change
  // nothing, while there is no pipeline (before Open, after Close).

  // Whether an end of the file restarts it (set by the state's StartMusic).
  void SetLoop(bool enabled) { loop = enabled; }
  bool IsLooping() const { return loop; }

  // From now on every end of the file and every playback failure posts the
  // music notice: an SDL event of type `eventType` (the states pass
  // MusicNoticeEventType()) carrying `param`. 0 turns the notices off.
  void SetNotifyWindow(uint32_t eventType, intptr_t param);
  // Answers the music notice: takes every pending end or failure without
  // waiting; an end while looping rewinds and plays again.
  void HandleEvents();
  // Notices off, pipeline released; a later Open builds a new one.
  void Close();

 private:
  Result CreateGraph();

  std::unique_ptr<CAudioPipeline> graph;
  std::string fileName;
  bool loop = false;
  // Read by GStreamer's streaming threads when they post the notice.
  std::atomic<uint32_t> noticeType{0};
  std::atomic<intptr_t> noticeParam{0};
};
