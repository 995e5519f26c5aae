#include "state/GameLoop.h"

#include <algorithm>

#include "audio/MusicNotice.h"
#include "layers/AbstractLayer.h"
#include "layers/FadeEffect.h"
#include "layers/VideoTextureLayer.h"
#include "render/Texture.h"
#include "scores/HiscoreLayer.h"
#include "scores/IniFile.h"

namespace {
constexpr float kMusicVolumePercent = 90.0f;
constexpr const char* kHiscoreBackground = "./res/bluebg.bmp";
}  // namespace

CGameLoop::CGameLoop() {
  // A missing settings file is recreated with the default tables.
  if (!CIniFile::FileExists(hiscores.FileName())) {
    CIniFile::CreateEmpty(hiscores.FileName());
    hiscores.WriteDefaults();
  }
}

CGameLoop::~CGameLoop() {
  ClearLayers();
  // Pictures the next state shares stay loaded; the rest go now.
  CTexture::PurgeUnreferenced();
}

int32_t CGameLoop::OnKey(int32_t) { return 0; }

void CGameLoop::Update() {}

void CGameLoop::Start() {
  fade = new CFadeEffect();
  fade->StartFadeIn();
  AddLayer(fade);
  closing = 0;
  started = 1;
}

void CGameLoop::AddLayer(CAbstractLayer* layer) {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  layers.push_back(layer);
}

void CGameLoop::RemoveLayer(CAbstractLayer* layer) {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  const auto found = std::find(layers.begin(), layers.end(), layer);
  if (found != layers.end()) {
    layers.erase(found);
  }
}

void CGameLoop::DeleteLayer(CAbstractLayer* layer) {
  RemoveLayer(layer);
  if (layer == fade) {
    fade = nullptr;
  }
  if (layer == hiscoreLayer) {
    hiscoreLayer = nullptr;
  }
  delete layer;
}

bool CGameLoop::IsSharedLayer(const CAbstractLayer* layer) {
  return dynamic_cast<const CVideoTextureLayer*>(layer) != nullptr;
}

void CGameLoop::ClearLayers() {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (CAbstractLayer* layer : layers) {
    if (!IsSharedLayer(layer)) {
      delete layer;
    }
  }
  layers.clear();
  fade = nullptr;
  hiscoreLayer = nullptr;
}

void CGameLoop::UpdateLayers() {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (CAbstractLayer* layer : layers) {
    layer->Update();
  }
}

void CGameLoop::RenderLayers() {
  if (closing != 0 && fade != nullptr && fade->GetPhase() == CFadeEffect::kIdle) {
    return;
  }
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (CAbstractLayer* layer : layers) {
    layer->Render(d3dDevice);
  }
}

void CGameLoop::SetViewportSize(uint32_t width, uint32_t height) {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (CAbstractLayer* layer : layers) {
    layer->SetViewportSize(width, height);
  }
}

void CGameLoop::Finish(int32_t code) {
  finished = 1;
  result = code;
  StopMusic();
}

void CGameLoop::StartMusic(const char* fileName) {
  music.Open(fileName);
  music.SetLoop(true);
  music.SetNotifyWindow(MusicNoticeEventType(), 0);
  music.SetVolume(kMusicVolumePercent);
}

void CGameLoop::StopMusic() {
  music.Stop();
  music.Close();
}

bool CGameLoop::IsFadingOut() const { return fade != nullptr && fade->GetPhase() == CFadeEffect::kFadingOut; }

void CGameLoop::ShowHiscoreEntry(const char* title, int32_t score, int32_t gameKind) {
  std::vector<HiScoreEntry> table;
  const int row = hiscores.InsertScore(gameKind, score, table);
  hiscoreLayer = new HiscoreLayer(title, kHiscoreBackground, table);
  AddLayer(hiscoreLayer);
  hiscoreLayer->SetHighlight(row);
}

void CGameLoop::SetLastKey(int32_t key) { lastKey = key; }

int32_t CGameLoop::TakeKey() {
  const int32_t key = lastKey;
  lastKey = -1;
  return key;
}

std::vector<CAbstractLayer*> CGameLoop::Layers() const {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  return layers;
}
