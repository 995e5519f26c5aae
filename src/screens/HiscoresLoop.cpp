#include "screens/HiscoresLoop.h"

#include "base/Texts.h"
#include "base/VirtualKeys.h"
#include "layers/FadeEffect.h"
#include "menu/MenuColors.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "screens/WheelArrows.h"
#include "state/CameraEquipment.h"

namespace {
constexpr float kArrowScale = 0.7f;
constexpr int32_t kBackValue = 5;
constexpr int32_t kFrontBack = 1;  // the wheel's member "Back"
}  // namespace

// The table on screen is borrowed from `tables`, which go before the base's
// list does: out of the list first.
CHiscoresLoop::~CHiscoresLoop() { HideTable(); }

void CHiscoresLoop::Start() {
  AddCameraBackground(*this);

  arrows = AddWheelArrows(*this, kArrowScale);

  wheel = AddLayer(std::make_unique<COptionWheel>(300.0f, 512.0f, -250.0f, 310, 0, 700, 250));
  wheel->AddOption("Flubber", "Nestfall", 0, kMenuNormal, kMenuHighlight, 0, 0);
  wheel->AddOption("Flubber", LoadText(4), kBackValue, kMenuNormal, kMenuHighlight, 1, 1);

  BuildTables();
  ShowTable(0);

  StartMusic("./res/nienawisc2_loop.mp3");
  music.Play();
  InstallStateDetector(std::make_shared<CMotionDetector>());
  CGameLoop::Start();
}

void CHiscoresLoop::BuildTables() {
  for (int32_t kind = 0; kind < kTableCount; ++kind) {
    tables.push_back(std::make_unique<HiscoreLayer>(nullptr, nullptr, hiscores.GetTable(kind)));
  }
}

void CHiscoresLoop::HideTable() {
  if (shownTable != nullptr) {
    RemoveLayer(shownTable);
    shownTable = nullptr;
  }
  shownIndex = -1;
}

void CHiscoresLoop::ShowTable(int32_t index) {
  HideTable();
  if (index >= 0 && index < static_cast<int32_t>(tables.size())) {
    shownTable = tables[static_cast<size_t>(index)].get();
    AddBorrowedLayer(shownTable);
    shownIndex = index;
  }
}

void CHiscoresLoop::StartLeaving() {
  fade->StartFadeOut();
  closing = 1;
  leaving = 1;
}

void CHiscoresLoop::Update() {
  if (leaving != 0) {
    if (IsFadedOut()) {
      Finish(resultCode);
    }
    return;
  }
  const int32_t held = arrows->GetHeld();
  if (held == kLeftArrow || held == kRightArrow) {
    if (held == kLeftArrow) {
      wheel->TurnForward();
    } else {
      wheel->TurnBackward();
    }
    ClearCurrentMotion();
  }
  if (wheel->IsTurning() == 0 && wheel->GetChosen() == kBackValue) {
    resultCode = kBackValue;
    StartLeaving();
    return;
  }
  ShowFrontTable();
}

// Whatever led there (a held arrow, a key, a turn ending), the table is shown
// exactly while the wheel rests with "Nestfall" in front.
void CHiscoresLoop::ShowFrontTable() {
  if (wheel->IsTurning() != 0 || wheel->GetFrontIndex() != 0) {
    HideTable();
  } else if (shownTable == nullptr) {
    ShowTable(0);
  }
}

int32_t CHiscoresLoop::OnKey(int32_t key) {
  if (leaving != 0) {
    return 0;
  }
  switch (key) {
    case kVkReturn:
      resultCode = wheel->GetFrontIndex();
      if (resultCode == kFrontBack) {
        StartLeaving();
      }
      break;
    case kVkLeft:
      wheel->TurnForward();
      break;
    case kVkRight:
      wheel->TurnBackward();
      break;
    default:
      break;
  }
  return 0;
}

int32_t CHiscoresLoop::Leave() {
  StartLeaving();
  return 1;
}
