// What follows "Game over": a qualifying score takes the player's name, then
// "Play again ?" waits for an answer by movement (or Enter for "yes").
#include "base/VirtualKeys.h"
#include "game/EggGameLoop.h"
#include "layers/FadeEffect.h"
#include "layers/Text3D.h"
#include "menu/OptionsLayer.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "scores/HiscoreLayer.h"

namespace {
constexpr int32_t kEggGameKind = 0;
constexpr int32_t kThreshold = 30;
constexpr int32_t kAnswerYes = 0;
constexpr int32_t kAnswerNo = 1;
}  // namespace

void CEggGameLoop::EndGameOver() {
  if (CMotionDetector* detector = CurrentMotionDetector()) {
    detector->SetThreshold(kThreshold);
  }
  message->SetVisible(0);
  if (hiscores.FindRank(kEggGameKind, score) < 0) {
    ShowQuestion();
    return;
  }
  // The score is in the file at once, under an empty name until one is typed.
  phase = kNameEntry;
  ShowHiscoreEntry("Nestfall", score, kEggGameKind);
}

void CEggGameLoop::UpdateNameEntry() {
  HiscoreLayer* entry = GetHiscoreLayer();
  if (entry == nullptr) {
    ShowQuestion();
    return;
  }
  entry->OnKey(TakeKey());
  if (entry->IsEntryDone() != 0) {
    hiscores.SaveTable(kEggGameKind, entry->GetEntries());
    DeleteLayer(entry);
    ShowQuestion();
  }
}

void CEggGameLoop::ShowQuestion() {
  phase = kQuestion;
  options->SetVisible(1);
  // The last catch lies under "yes" or "no", and a still picture keeps it.
  ClearCurrentMotion();
}

void CEggGameLoop::UpdateQuestion() {
  const int32_t answer = options->GetChosen();
  if (answer == kAnswerYes) {
    PlayAgain();
  } else if (answer == kAnswerNo) {
    Leave();
  }
}

int32_t CEggGameLoop::OnKey(int32_t key) {
  if (phase == kQuestion && key == kVkReturn) {
    PlayAgain();
  }
  return 0;
}

void CEggGameLoop::PlayAgain() {
  if (fade != nullptr) {
    fade->StartFadeOut();
  }
  closing = 1;
  phase = kRestart;
}

// A new game in this state: every layer goes and Start builds them afresh,
// with level 1, six tries and no points.
void CEggGameLoop::Restart() {
  ClearLayers();
  ForgetLayers();
  Start();
}
