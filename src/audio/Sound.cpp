#include "audio/Sound.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <system_error>

#include "audio/AudioPipeline.h"

namespace {

std::string ResolveSoundPath(const std::string& name, const std::string& searchDirectory) {
  std::error_code error;
  if (searchDirectory.empty() || std::filesystem::exists(name, error)) {
    return name;
  }
  return (std::filesystem::path(searchDirectory) / name).string();
}

}  // namespace

struct CSound::Progress {
  std::atomic<int32_t> repeatsLeft{0};
  std::atomic<bool> ended{false};

  // Streaming thread. An end with repeats left starts the sound over on a
  // GStreamer helper thread (a streaming thread must not seek itself); the
  // last end, or a failure, ends the play.
  void OnMessage(bool endOfStream, CAudioPipeline& pipeline) {
    int32_t left = repeatsLeft.load();
    while (endOfStream && left != 0) {
      if (repeatsLeft.compare_exchange_weak(left, left > 0 ? left - 1 : left)) {
        pipeline.SeekToStartAsync();
        return;
      }
    }
    ended.store(true);
  }
};

CSound::CSound() = default;

CSound::~CSound() {
  Stop();
  if (engine && engine->front == this) {
    engine->front = nullptr;
  }
}

void CSound::SetAudioEngine(const CAudioEngine* audioEngine) {
  if (engine && engine->front == this) {
    engine->front = nullptr;
  }
  engine = audioEngine != nullptr ? audioEngine->GetShared() : nullptr;
  bound = true;
}

bool CSound::Load(const char* fileName) {
  if (!bound || !engine || !engine->initialized || fileName == nullptr) {
    return false;
  }
  const std::string path = ResolveSoundPath(fileName, engine->searchDirectory);
  if (loaded && path == segment->LoadedPath()) {
    Stop();
    if (Succeeded(segment->Rewind())) {
      played = false;
      return true;
    }
  }
  auto pipeline = std::make_unique<CAudioPipeline>();
  if (!pipeline->IsValid()) {
    return false;
  }
  auto newProgress = std::make_shared<Progress>();
  pipeline->SetObserver([newProgress, raw = pipeline.get()](GstMessage* message) {
    newProgress->OnMessage(GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS, *raw);
    return false;
  });
  if (Failed(pipeline->Load(path))) {
    return false;
  }
  Stop();
  segment = std::move(pipeline);
  progress = std::move(newProgress);
  played = false;
  loaded = true;
  return true;
}

bool CSound::Play(int32_t repeats) {
  if (!bound || !loaded || !engine || !engine->initialized) {
    return false;
  }
  if (engine->front != nullptr && engine->front != this) {
    engine->front->Stop();
  }
  // A sound that has played before is no longer at its start. The flushing
  // seek also waits out any end message still on its way from the last play.
  if (played) {
    segment->SeekToStart();
  }
  progress->repeatsLeft.store(repeats);
  progress->ended.store(false);
  if (Failed(segment->SetState(GST_STATE_PLAYING))) {
    return false;
  }
  engine->front = this;
  played = true;
  return true;
}

bool CSound::Stop() {
  if (!bound || !loaded) {
    return false;
  }
  if (IsPlaying()) {
    progress->repeatsLeft.store(0);
    segment->SetState(GST_STATE_PAUSED);
  }
  return true;
}

bool CSound::IsPlaying() const {
  return bound && played && !progress->ended.load() && segment->TargetState() == GST_STATE_PLAYING;
}
