#include "screens/SplashScreenLoop.h"

#include <memory>

#include "base/Clock.h"
#include "base/Texts.h"
#include "base/VirtualKeys.h"
#include "layers/FadeEffect.h"
#include "layers/Text3D.h"
#include "layers/TextureLayer.h"
#include "menu/MenuColors.h"
#include "menu/OptionsLayer.h"
#include "motion/MotionDetector.h"
#include "state/CameraEquipment.h"

namespace {
constexpr uint32_t kSplashPictureKey = 0x1100FF00;
constexpr float kPlayScale = 0.6f;
constexpr float kPlayDurationMs = 2500.0f;
}  // namespace

CSplashScreenLoop::CSplashScreenLoop(const char* picture, int32_t nextCode, int32_t interactive)
    : interactive(interactive), nextCode(nextCode), picture(picture) {}

void CSplashScreenLoop::Start() {
  AddCameraBackground(*this);
  CTextureLayer* screen = AddLayer(std::make_unique<CTextureLayer>(picture, kSplashPictureKey, 1024.0f, 768.0f));
  screen->SetColorBlend(interactive);
  if (interactive != 0) {
    optionsLayer = AddLayer(std::make_unique<COptionsLayer>("Flubber", nullptr));
    COption* play =
        optionsLayer->AddOption(LoadText(24), 850.0f, 20.0f, 750, 0, 1024, 170, kMenuNormal, kMenuHighlight, 0, 1, 1);
    play->GetCaption()->SetScale(kPlayScale);
    play->SetDuration(kPlayDurationMs);
  }
  InstallStateDetector(std::make_shared<CMotionDetector>());
  CGameLoop::Start();
  startTick = TickCount();
}

void CSplashScreenLoop::StartLeaving() {
  fade->StartFadeOut();
  closing = 1;
  leaving = 1;
}

void CSplashScreenLoop::Update() {
  if (leaving != 0) {
    if (IsFadedOut()) {
      Finish(nextCode);
    }
    return;
  }
  if (interactive != 0) {
    if (optionsLayer != nullptr && optionsLayer->GetChosen() >= 0) {
      StartLeaving();
    }
  } else if (TickCount() - startTick > kShowMs) {
    StartLeaving();
  }
}

int32_t CSplashScreenLoop::OnKey(int32_t key) {
  if (leaving == 0 && key == kVkReturn) {
    StartLeaving();
  }
  return 0;
}

int32_t CSplashScreenLoop::Leave() {
  if (leaving != 0) {
    return 1;
  }
  if (nextCode != kQuitCode) {
    nextCode = kTitleCode;
  }
  StartLeaving();
  return 1;
}
