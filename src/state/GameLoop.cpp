#include "state/GameLoop.h"

#include <algorithm>

#include "audio/MusicNotice.h"
#include "layers/AbstractLayer.h"
#include "layers/FadeEffect.h"
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
  fade = AddLayer(std::make_unique<CFadeEffect>());
  fade->StartFadeIn();
  closing = 0;
  started = 1;
}

void CGameLoop::AddOwnedLayer(std::unique_ptr<CAbstractLayer> layer) {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  layers.push_back(ListedLayer{std::move(layer), nullptr});
}

void CGameLoop::AddBorrowedLayer(CAbstractLayer* layer) {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  layers.push_back(ListedLayer{nullptr, layer});
}

void CGameLoop::RemoveLayer(const CAbstractLayer* layer) {
  std::unique_ptr<CAbstractLayer> removed;
  {
    std::lock_guard<std::recursive_mutex> lock(layerLock);
    const auto found = std::find_if(layers.begin(), layers.end(),
                                    [layer](const ListedLayer& listed) { return listed.Get() == layer; });
    if (found == layers.end()) {
      return;
    }
    removed = std::move(found->owned);
    layers.erase(found);
  }
  if (removed == nullptr) {
    return;  // borrowed: its owner keeps it
  }
  if (removed.get() == fade) {
    fade = nullptr;
  }
  if (removed.get() == hiscoreLayer) {
    hiscoreLayer = nullptr;
  }
}

void CGameLoop::ClearLayers() {
  std::vector<ListedLayer> cleared;
  {
    std::lock_guard<std::recursive_mutex> lock(layerLock);
    cleared.swap(layers);
  }
  fade = nullptr;
  hiscoreLayer = nullptr;
  // The owned layers go here, first to last, with the list already empty.
  for (ListedLayer& listed : cleared) {
    listed.owned.reset();
  }
}

void CGameLoop::UpdateLayers() {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (const ListedLayer& listed : layers) {
    listed.Get()->Update();
  }
}

void CGameLoop::RenderLayers() {
  if (IsFadedOut()) {
    return;
  }
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (const ListedLayer& listed : layers) {
    listed.Get()->Render(d3dDevice);
  }
}

void CGameLoop::SetViewportSize(uint32_t width, uint32_t height) {
  std::lock_guard<std::recursive_mutex> lock(layerLock);
  for (const ListedLayer& listed : layers) {
    listed.Get()->SetViewportSize(width, height);
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

bool CGameLoop::IsFadedOut() const {
  return closing != 0 && (fade == nullptr || fade->GetPhase() == CFadeEffect::kIdle);
}

void CGameLoop::ShowHiscoreEntry(const char* title, int32_t score, int32_t gameKind) {
  std::vector<HiScoreEntry> table;
  const int row = hiscores.InsertScore(gameKind, score, table);
  hiscoreLayer = AddLayer(std::make_unique<HiscoreLayer>(title, kHiscoreBackground, table));
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
  std::vector<CAbstractLayer*> snapshot;
  snapshot.reserve(layers.size());
  for (const ListedLayer& listed : layers) {
    snapshot.push_back(listed.Get());
  }
  return snapshot;
}
