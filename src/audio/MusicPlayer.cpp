#include "audio/MusicPlayer.h"

#include <chrono>
#include <thread>

#include "audio/AudioPipeline.h"
#include "audio/MusicNotice.h"
#include "audio/VolumeScale.h"
#include "base/Clock.h"
#include "base/Debug.h"
#include "base/Owned.h"

CMusicPlayer::CMusicPlayer() = default;

CMusicPlayer::~CMusicPlayer() {
  Stop();
  SetNotifyWindow(0, 0);
  WaitMs(kReleaseWaitMs);
  fileName.clear();
  graph.reset();
}

Result CMusicPlayer::GetFileName(std::string& name) const {
  name = fileName;
  return S_OK;
}

Result CMusicPlayer::CreateGraph() {
  auto created = std::make_unique<CAudioPipeline>();
  if (!created->IsValid()) {
    return E_FAIL;
  }
  created->SetObserver([this](GstMessage*) {
    PostMusicNotice(noticeType.load(), noticeParam.load());
    return true;
  });
  graph = std::move(created);
  return S_OK;
}

Result CMusicPlayer::Open(std::string file) {
  try {
    fileName = std::move(file);
    if (!graph) {
      const Result created = CreateGraph();
      if (Failed(created)) {
        fileName.clear();
        return created;
      }
    }
    return graph->Load(fileName);
  } catch (...) {
    return E_FAIL;
  }
}

Result CMusicPlayer::Play() {
  return graph ? graph->SetState(GST_STATE_PLAYING) : E_FAIL;
}

Result CMusicPlayer::Pause() {
  return graph ? graph->SetState(GST_STATE_PAUSED) : E_FAIL;
}

Result CMusicPlayer::Stop() {
  if (!graph) {
    return E_FAIL;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopTimeoutMs);
  for (;;) {
    graph->SetState(GST_STATE_READY);
    if (graph->CurrentState() <= GST_STATE_READY) {
      return S_OK;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return E_FAIL;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

Result CMusicPlayer::Rewind() {
  if (!graph) {
    return E_FAIL;
  }
  // A stopped pipeline starts from the beginning anyway.
  if (graph->CurrentState() < GST_STATE_PAUSED) {
    return graph->HasMedia() ? S_OK : E_FAIL;
  }
  return graph->SeekToStart();
}

float CMusicPlayer::GetVolume() {
  return graph ? HundredthsDbToPercent(LinearToHundredthsDb(graph->GetLinearVolume())) : 0.0f;
}

Result CMusicPlayer::SetVolume(float percent) {
  if (!graph) {
    return E_FAIL;
  }
  graph->SetLinearVolume(HundredthsDbToLinear(PercentToHundredthsDb(percent)));
  return S_OK;
}

void CMusicPlayer::SetNotifyWindow(uint32_t eventType, intptr_t param) {
  noticeParam.store(param);
  noticeType.store(eventType);
}

void CMusicPlayer::HandleEvents() {
  if (!graph) {
    return;
  }
  while (const Owned<GstMessage, gst_message_unref> message{graph->PopMessage()}) {
    const bool ended = GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS;
    if (!ended) {
      DebugOutput(("music: playback of " + fileName + " failed\n").c_str());
    }
    if (ended && loop) {
      Rewind();
      Play();
    }
  }
}

void CMusicPlayer::Close() {
  SetNotifyWindow(0, 0);
  graph.reset();
}
