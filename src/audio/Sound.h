#pragma once
#include <cstdint>
#include <memory>

#include "audio/AudioEngine.h"

class CAudioPipeline;

// A short sound effect (WAV, or anything GStreamer decodes), prerolled when
// it is loaded so that Play starts at once. Used on the main thread only;
// GStreamer plays it on its own threads. Every operation returns false and
// does nothing until SetAudioEngine has been called.
class CSound {
 public:
  CSound();
  // Stops the sound and releases its pipeline.
  virtual ~CSound();
  CSound(const CSound&) = delete;
  CSound& operator=(const CSound&) = delete;

  // Binds the sound to `engine` (which may be destroyed first; the sound is
  // then silent). A null or uninitialised engine makes every Load fail.
  void SetAudioEngine(const CAudioEngine* engine);
  // Loads `fileName` as given (relative to the working directory) or, when
  // no such file exists, from the engine's search directory. False for a
  // missing, empty, undecodable or soundless file; the sound keeps what it
  // had loaded before. The file loaded last, asked for again, is stopped and
  // rewound rather than decoded anew.
  bool Load(const char* fileName);
  // Plays from the start, `repeats` more times after the first (0: once,
  // negative: until stopped), replacing the sound the engine played last.
  // False when not bound or not loaded.
  bool Play(int32_t repeats);
  // Stops at once if playing; false when not bound or not loaded.
  bool Stop();
  // True from Play until the last repeat ends, Stop, or a playback failure.
  bool IsPlaying() const;

 private:
  // The repeats and the end of one loaded pipeline, shared with its bus
  // observer on GStreamer's streaming threads.
  struct Progress;

  bool played = false;
  std::unique_ptr<CAudioPipeline> segment;
  std::shared_ptr<Progress> progress;
  std::shared_ptr<CAudioEngine::Shared> engine;
  bool bound = false;
  bool loaded = false;
};
