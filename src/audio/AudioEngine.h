#pragma once
#include <memory>
#include <string>

#include "base/Results.h"

class CSound;

// The process-wide sound-effect engine, owned by the application and used on
// the main thread only. It checks that an audio output exists, keeps the
// folder in which sounds are looked up, and lets one sound effect play in
// front at a time: playing a sound stops the one that was playing before.
class CAudioEngine {
 public:
  // Initialize's result when there is no audio output; the game goes on silent.
  static constexpr Result kNoSoundDriver = static_cast<Result>(0x88780078u);

  // What the engine shares with its sounds. A sound keeps it alive, so a
  // sound may outlive the engine; it is then silent.
  struct Shared {
    bool initialized = false;
    std::string searchDirectory;
    CSound* front = nullptr;  // the sound played last, until it stops or goes
  };

  CAudioEngine();
  // Stops the sound in front; the engine's sounds cannot load or play any more.
  virtual ~CAudioEngine();
  CAudioEngine(const CAudioEngine&) = delete;
  CAudioEngine& operator=(const CAudioEngine&) = delete;

  // S_OK when GStreamer and an audio output are there; kNoSoundDriver when no
  // output can be opened; E_FAIL when GStreamer cannot start. Until it
  // succeeds, sounds bound to this engine fail to load.
  Result Initialize();
  // The folder searched for sound files not found under the name given to
  // CSound::Load. E_UNEXPECTED before Initialize, E_INVALIDARG for null.
  Result SetSearchDirectory(const char* path);

  // For CSound::SetAudioEngine.
  const std::shared_ptr<Shared>& GetShared() const { return shared; }

 private:
  std::shared_ptr<Shared> shared;
};
