#include "screens/TitleLoop.h"

#include <memory>

#include "base/Texts.h"
#include "base/VirtualKeys.h"
#include "layers/FadeEffect.h"
#include "layers/Text3D.h"
#include "menu/MenuColors.h"
#include "menu/OptionWheel.h"
#include "menu/OptionsLayer.h"
#include "menu/SpriteWheel.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "screens/WheelArrows.h"
#include "state/CameraEquipment.h"

namespace {
constexpr uint32_t kPictureKey = 0x00FFFFFF;
}  // namespace

void CTitleLoop::Start() {
  AddCameraBackground(*this);
  optionsLayer = AddWheelArrows(*this, 1.0f);
  AddWheels();
  AddName();
  StartMusic("./res/nienawisc2_loop.mp3");
  music.Play();
  InstallStateDetector(std::make_shared<CMotionDetector>());
  CGameLoop::Start();
}

void CTitleLoop::AddWheels() {
  optionWheel = AddLayer(std::make_unique<COptionWheel>(425.0f, 512.0f, -390.0f, 310, 0, 700, 250));
  optionWheel->AddOption("Flubber", "Nestfall", 0, kMenuNormal, kMenuHighlight, 1, 1);
  optionWheel->AddOption("Flubber", LoadText(2), 5, kMenuNormal, kMenuHighlight, 1, 1);
  optionWheel->AddOption("Flubber", LoadText(3), 7, kMenuNormal, kMenuHighlight, 1, 1);

  // In the order that keeps each caption's picture at the front with it
  // while the two wheels turn opposite ways.
  spriteWheel = AddLayer(std::make_unique<CSpriteWheel>(300.0f, 512.0f, 700.0f, 0, 0, 0, 0));
  spriteWheel->AddSprite("./res/3.tga", kPictureKey);
  spriteWheel->AddSprite("./res/exit.png", kPictureKey);
  spriteWheel->AddSprite("./res/hiscore.png", kPictureKey);
}

void CTitleLoop::AddName() {
  C3DText* name = AddLayer(std::make_unique<C3DText>("Flubber", 10, 0.4f));
  name->SetText("ZestBox", 0);
  name->SetScale(1.4f);
  name->SetColor(0.5176471f, 1.0f, 0.3254902f, 0.6666667f);
  name->SetPosition(200, 300);
}

void CTitleLoop::TurnLeft() {
  optionWheel->TurnForward();
  spriteWheel->TurnBackward();
}

void CTitleLoop::TurnRight() {
  optionWheel->TurnBackward();
  spriteWheel->TurnForward();
}

void CTitleLoop::StartLeaving(int32_t code) {
  choice = code;
  fade->StartFadeOut();
  closing = 1;
  leaving = 1;
}

void CTitleLoop::Update() {
  if (leaving != 0) {
    if (IsFadedOut()) {
      Finish(choice);
    }
    return;
  }
  const int32_t held = optionsLayer->GetHeld();
  if (held == kLeftArrow) {
    TurnLeft();
    ClearCurrentMotion();
  } else if (held == kRightArrow) {
    TurnRight();
    ClearCurrentMotion();
  }
  const int32_t chosen = optionWheel->GetChosen();
  if (chosen >= 0) {
    StartLeaving(chosen);
  }
}

int32_t CTitleLoop::OnKey(int32_t key) {
  if (leaving != 0) {
    return 0;
  }
  switch (key) {
    case kVkReturn:
      if (optionWheel->IsTurning() == 0) {
        StartLeaving(optionWheel->GetFrontIndex());
      }
      break;
    case kVkLeft:
      TurnLeft();
      break;
    case kVkRight:
      TurnRight();
      break;
    default:
      break;
  }
  return 0;
}

int32_t CTitleLoop::Leave() {
  if (leaving == 0) {
    StartLeaving(kEscapeCode);
  }
  return 1;
}
