#include "game/EggGameLoop.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "base/Clock.h"
#include "base/Texts.h"
#include "game/Basket.h"
#include "game/Contour.h"
#include "game/Egg.h"
#include "game/HatcheryLayer.h"
#include "layers/FadeEffect.h"
#include "layers/HUD.h"
#include "layers/Text3D.h"
#include "menu/MenuColors.h"
#include "menu/OptionsLayer.h"
#include "motion/BasketMotionDetector.h"
#include "motion/CurrentMotionDetector.h"
#include "state/CameraEquipment.h"

namespace {

constexpr const char* kFont = "Levity";
constexpr int32_t kMessageHeight = 200;
constexpr uint32_t kReadyMs = 5000;
constexpr uint32_t kLossPauseMs = 3000;
constexpr uint32_t kGoldenMessageMs = 2000;
constexpr uint32_t kLevelMessageMs = 2000;
constexpr int32_t kCatchReach = 64;  // pixels below the basket's top
constexpr int32_t kOrdinaryPoints = 10;
constexpr int32_t kGoldenPoints = 100;
constexpr int32_t kMaxQuota = 99;

// String-table ids of the message slots; 0 for the literal "Bonus !".
constexpr uint32_t kMessageTextIds[10] = {5, 6, 7, 8, 13, 0, 9, 10, 11, 12};


const char* MessageText(uint32_t slot) {
  return kMessageTextIds[slot] != 0 ? LoadText(kMessageTextIds[slot]) : Translate("Bonus !");
}

uint32_t TimeSeed() { return static_cast<uint32_t>(std::time(nullptr)) ^ TickCount(); }

}  // namespace

CEggGameLoop::CEggGameLoop() : random(std::make_unique<CRandomSource>(TimeSeed())) {}

CEggGameLoop::~CEggGameLoop() = default;

void CEggGameLoop::Start() {
  lastChute = 0;
  phaseDurationMs = 3000;
  goldenThisLevel = 0;
  AddCameraBackground(*this);
  AddLayer(new CHatcheryLayer("./res/hatchery.tga"));
  basket = new CBasket();
  AddLayer(basket);
  AddMessageLayer();
  contour = new CContour();
  const float contourPosition[2] = {256.0f, 85.0f};
  contour->SetPosition(contourPosition);
  AddLayer(contour);
  hud = new CHUD(kFont);
  hud->SetValues(1, 0, 0, kStartTries);
  AddLayer(hud);
  AddOptionsLayer();

  StartMusic("./res/yazda.mp3");
  crumpSound.SetAudioEngine(audioEngine);
  crumpSound.Load("./res/sounds/crump2.wav");

  score = 0;
  tries = kStartTries;
  SetLevel(1);
  phase = kPause;  // "Ready ?" and the contour guide
  music.Play();
  startTick = TickCount();
  InstallDetector();
  CGameLoop::Start();
}

void CEggGameLoop::AddMessageLayer() {
  message = new C3DText(kFont, 8, 0.4f);
  message->SetPosition(300, kMessageHeight);
  message->SetVisible(1);
  for (uint32_t slot = 0; slot < 10; ++slot) {
    message->SetText(MessageText(slot), slot);
  }
  message->SetSpinAxis(1.0f, 0.0f, 0.0f);
  message->SetAngle(0.0f);
  message->Rebuild();
  message->CenterHorizontally();
  messageSlot = kReady;
  phaseDurationMs = kReadyMs;
  message->SetSpinSpeed(0.2f);
  AddLayer(message);
}

void CEggGameLoop::AddOptionsLayer() {
  options = new COptionsLayer(kFont, "./res/bluebg.bmp");
  options->AddOption(LoadText(1), 100, 400, 35, 285, 380, 580, kMenuNormal, kMenuHighlight, 0, 1, 1);
  options->AddOption(LoadText(15), 760, 400, 650, 285, 1000, 580, kMenuNormal, kMenuHighlight, 1, 1, 1);
  options->SetTitle(LoadText(14), 180, 200, kMenuHighlight);
  options->SetVisible(0);
  AddLayer(options);
}

void CEggGameLoop::InstallDetector() {
  const Viewport viewport = d3dDevice != nullptr ? d3dDevice->GetViewport() : Viewport{};
  InstallStateDetector(std::make_shared<CBasketMotionDetector>(viewport.width, viewport.height));
}

void CEggGameLoop::SetViewportSize(uint32_t width, uint32_t height) {
  CGameLoop::SetViewportSize(width, height);
  if (auto* detector = dynamic_cast<CBasketMotionDetector*>(CurrentMotionDetector())) {
    detector->SetViewportSize(width, height);
  }
}

void CEggGameLoop::SetLevel(int32_t newLevel) {
  level = newLevel;
  eggsLeft = std::min(2 * level + 6, kMaxQuota);
  RefreshHud();
  // 1 - trunc(-0.4 level) in integers: 1, 1, 2, 2, 3, 3, 3, 4, 4, 5 from level 1.
  maxEggs = std::min(5, 1 + (2 * level) / 5);
  activeEggs = 0;
  spoiledOdds = std::max(10, (10 - level) * 5);
  spawnDelayBase = maxEggs == 1 ? 500 : 1500;
  spawnDelaySpread = std::max(500, (15 - level) * 100);
  spawnDelayMs = static_cast<uint32_t>(std::max(300, (10 - level) * 100));
  // Due at once whatever the clock reads (a plain 0 would wait after a wrap).
  lastSpawnTick = TickCount() - spawnDelayMs - 1;
  eggSpeed = 1.0f + 0.2f * static_cast<float>(level - 1);
}

int32_t CEggGameLoop::Leave() {
  if (fade != nullptr) {
    fade->StartFadeOut();
  }
  closing = 1;
  phase = kLeaving;
  return 0;
}

void CEggGameLoop::Update() {
  if (finished || !started) {
    return;
  }
  const uint32_t now = TickCount();
  switch (phase) {
    case kPlaying:
      UpdatePlaying(now);
      break;
    case kPause:
      if (now - startTick > phaseDurationMs) {
        phase = kPlaying;
        message->SetVisible(0);
        contour->SetVisible(0);
        message->SetAngle(0.0f);
        message->Rebuild();
      }
      break;
    case kLevelMessage:
      if (now - startTick > phaseDurationMs) {
        phase = kPlaying;
        message->SetVisible(0);
      }
      break;
    case kGameOver:
      if (now - startTick > phaseDurationMs) {
        EndGameOver();
      }
      break;
    case kNameEntry:
      UpdateNameEntry();
      break;
    case kQuestion:
      UpdateQuestion();
      break;
    case kRestart:
      if (fade == nullptr || fade->GetPhase() == CFadeEffect::kIdle) {
        Restart();
      }
      break;
    case kLeaving:
      if (fade == nullptr || fade->GetPhase() == CFadeEffect::kIdle) {
        Finish(0);
        ClearLayers();
        ForgetLayers();
      }
      break;
    default:
      break;
  }
}

void CEggGameLoop::ForgetLayers() {
  eggs.clear();
  basket = nullptr;
  contour = nullptr;
  options = nullptr;
  hud = nullptr;
  message = nullptr;
  fade = nullptr;
}

void CEggGameLoop::UpdatePlaying(uint32_t now) {
  Spawn();
  CheckCatches();
  CheckBreaks();
  CleanUp();
  if (now - startTick > phaseDurationMs) {
    message->SetVisible(0);
  }
}

void CEggGameLoop::Spawn() {
  const uint32_t now = TickCount();
  if (activeEggs >= maxEggs || now - lastSpawnTick <= spawnDelayMs) {
    return;
  }
  int32_t chute = 0;
  if (!DrawChute(chute)) {
    return;  // every chute busy: the next frame tries again
  }
  const int32_t kind = DrawKind();
  CEgg* egg = new CEgg(chute, kind);
  AddLayer(egg);
  eggs.push_back(egg);
  egg->Start();
  ++activeEggs;
  lastSpawnTick = now;
  spawnDelayMs = static_cast<uint32_t>(random->Next() % spawnDelaySpread + spawnDelayBase);
}

bool CEggGameLoop::DrawChute(int32_t& chute) {
  if (ChuteBusy(0) && ChuteBusy(1) && ChuteBusy(2) && ChuteBusy(3)) {
    return false;
  }
  do {
    chute = random->Next() % 4;
    if (chute == lastChute) {
      chute = random->Next() % 4;
    }
    lastChute = chute;
  } while (ChuteBusy(chute));
  return true;
}

bool CEggGameLoop::ChuteBusy(int32_t chute) const {
  return std::any_of(eggs.begin(), eggs.end(), [chute](const CEgg* egg) {
    return egg->GetChute() == chute && (egg->GetState() == CEgg::kFadingIn || egg->GetState() == CEgg::kOnLedge);
  });
}

int32_t CEggGameLoop::DrawKind() {
  if (random->Next() % ((level + 10) * 5) == 1 && goldenThisLevel == 0) {
    ShowSwingingMessage(kGoldenEgg, phaseDurationMs);
    ++goldenThisLevel;
    return CEgg::kGolden;
  }
  if (random->Next() % spoiledOdds == 1) {
    ShowSwingingMessage(kBewareSpoiled, phaseDurationMs);
    return CEgg::kSpoiled;
  }
  return CEgg::kOrdinary;
}

void CEggGameLoop::CheckCatches() {
  const float reach = basket->GetPositionY() + float(kCatchReach);
  for (size_t i = 0; i < eggs.size();) {
    CEgg* egg = eggs[i];
    if (egg->GetChute() != basket->GetZone() || egg->GetState() != CEgg::kFalling || reach < egg->GetPositionY()) {
      ++i;
      continue;
    }
    if (egg->GetKind() == CEgg::kSpoiled) {
      RemoveEggsNotBreaking();
      LoseTry(kSpoiledCaught);
      return;
    }
    if (egg->GetKind() == CEgg::kGolden) {
      ++tries;
      score += kGoldenPoints;
      phaseDurationMs = kGoldenMessageMs;
      ShowMessage(kBonus);
    } else {
      score += kOrdinaryPoints;
      --eggsLeft;
    }
    RefreshHud();
    RemoveEgg(egg);  // the next egg moves into slot i
    if (eggsLeft <= 0) {
      CompleteLevel();
      return;
    }
  }
}

void CEggGameLoop::CheckBreaks() {
  const auto broken = std::find_if(eggs.begin(), eggs.end(), [](const CEgg* egg) {
    return egg->GetState() == CEgg::kBreaking && !egg->IsCounted();
  });
  if (broken == eggs.end()) {
    return;
  }
  (*broken)->MarkCounted();
  if (!crumpSound.IsPlaying()) {
    crumpSound.Play(0);
  }
  switch ((*broken)->GetKind()) {
    case CEgg::kGolden:
      ShowSwingingMessage(kGoldenLost, kGoldenMessageMs);
      phase = kPause;
      break;
    case CEgg::kSpoiled:
      ShowSwingingMessage(kThatWasClose, kGoldenMessageMs);
      phase = kPause;
      break;
    default:
      RemoveEggsNotBreaking();
      LoseTry(kEggBroken);
      break;
  }
}

void CEggGameLoop::LoseTry(uint32_t slot) {
  --tries;
  RefreshHud();
  if (tries > 0) {
    ShowSwingingMessage(slot, kLossPauseMs);
    phase = kPause;
  } else {
    GameOver();
  }
}

void CEggGameLoop::CleanUp() {
  for (size_t i = 0; i < eggs.size();) {
    if (eggs[i]->GetState() == CEgg::kFinished) {
      RemoveEgg(eggs[i]);
    } else {
      ++i;
    }
  }
}

void CEggGameLoop::RemoveEgg(CEgg* egg) {
  eggs.erase(std::find(eggs.begin(), eggs.end(), egg));
  DeleteLayer(egg);
  --activeEggs;
}

void CEggGameLoop::RemoveEggsNotBreaking() {
  for (size_t i = 0; i < eggs.size();) {
    if (eggs[i]->GetState() != CEgg::kBreaking) {
      RemoveEgg(eggs[i]);
    } else {
      ++i;
    }
  }
}

void CEggGameLoop::RemoveAllEggs() {
  while (!eggs.empty()) {
    RemoveEgg(eggs.back());
  }
}

void CEggGameLoop::CompleteLevel() {
  RemoveAllEggs();
  SetLevel(level + 1);
  message->SetText((std::string(LoadText(25)) + std::to_string(level)).c_str(), kLevel);
  phaseDurationMs = kLevelMessageMs;
  phase = kLevelMessage;
  ShowMessage(kLevel);
  goldenThisLevel = 0;
}

void CEggGameLoop::GameOver() {
  phase = kGameOver;
  RemoveAllEggs();
  hud->SetVisible(0);
  basket->SetVisible(0);
  phaseDurationMs = kLossPauseMs;
  ShowMessage(kGameOverText);
}

void CEggGameLoop::ShowMessage(uint32_t slot) {
  messageSlot = slot;
  message->SetLine(slot);
  message->SetPosition(300, kMessageHeight);
  message->CenterHorizontally();
  message->SetVisible(1);
  startTick = TickCount();
}

void CEggGameLoop::ShowSwingingMessage(uint32_t slot, uint32_t durationMs) {
  phaseDurationMs = durationMs;
  ShowMessage(slot);
  message->SetBlink(1);
}

void CEggGameLoop::RefreshHud() {
  if (hud != nullptr) {
    hud->SetValues(level, score, eggsLeft, tries);
  }
}
