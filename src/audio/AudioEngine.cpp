#include "audio/AudioEngine.h"

#include <gst/gst.h>

#include "audio/AudioSink.h"
#include "audio/Sound.h"
#include "base/Debug.h"
#include "base/Owned.h"

CAudioEngine::CAudioEngine() : shared(std::make_shared<Shared>()) {}

CAudioEngine::~CAudioEngine() {
  if (shared->front != nullptr) {
    shared->front->Stop();
  }
  shared->initialized = false;
  shared->front = nullptr;
}

Result CAudioEngine::Initialize() {
  GError* initError = nullptr;
  if (!gst_init_check(nullptr, nullptr, &initError)) {
    const Owned<GError, g_error_free> error(initError);
    DebugOutput((std::string("audio: GStreamer cannot start: ") + (error ? error->message : "?") + "\n").c_str());
    return E_FAIL;
  }
  if (!AudioOutputAvailable()) {
    DebugOutput("audio: no audio output, sound effects stay silent\n");
    return kNoSoundDriver;
  }
  shared->initialized = true;
  return S_OK;
}

Result CAudioEngine::SetSearchDirectory(const char* path) {
  if (!shared->initialized) {
    return E_UNEXPECTED;
  }
  if (path == nullptr) {
    return E_INVALIDARG;
  }
  shared->searchDirectory = path;
  return S_OK;
}
