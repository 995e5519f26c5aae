#include "demo/AppGameObserver.h"

#include "app/MyD3DApplication.h"
#include "game/Basket.h"
#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "menu/OptionWheel.h"
#include "menu/OptionsLayer.h"
#include "scores/HiscoreLayer.h"
#include "screens/HiscoresLoop.h"
#include "screens/SplashScreenLoop.h"
#include "screens/TitleLoop.h"

namespace {

// The arrow options are added "<" first.
constexpr size_t kTurnArrow = 0;

MenuView LookAtMenu(const COptionWheel* wheel, const COptionsLayer* arrows) {
  MenuView view;
  if (wheel != nullptr) {
    view.wheel = wheel->GetRect();
    view.frontValue = wheel->GetOption(static_cast<size_t>(wheel->GetFrontIndex()))->GetValue();
    view.turning = wheel->IsTurning() != 0;
  }
  if (arrows != nullptr) view.turnArrow = arrows->GetOption(kTurnArrow)->GetRect();
  return view;
}

// How far an egg is on its way down: later states first, then lower ones.
float Progress(const CEgg& egg) { return static_cast<float>(egg.GetState()) * 10000.0f + egg.GetPositionY(); }

void LookAtEggs(const CEggGameLoop& game, GameView& view) {
  const CEgg* next = nullptr;
  for (const CEgg* egg : game.Eggs()) {
    if (egg->GetState() < CEgg::kFadingIn || egg->GetState() > CEgg::kFalling) continue;
    if (next == nullptr || Progress(*egg) > Progress(*next)) next = egg;
  }
  if (next != nullptr) {
    view.nextChute = next->GetChute();
    view.nextEgg = reinterpret_cast<uintptr_t>(next);
  }
}

void LookAtEnding(const CEggGameLoop& game, GameView& view) {
  const HiscoreLayer* entry = game.GetHiscoreLayer();
  view.nameEntry = entry != nullptr && entry->GetHighlightRow() >= 0 && !entry->IsEntryDone();
  const COptionsLayer* question = game.GetOptions();
  if (question != nullptr && question->IsVisible() != 0) {
    view.question = true;
    view.yes = question->GetOption(0)->GetRect();
    view.no = question->GetOption(1)->GetRect();
  }
}

GameView LookAtGame(const CEggGameLoop& game) {
  GameView view;
  view.level = game.GetLevel();
  view.score = game.GetScore();
  view.eggsLeft = game.GetEggsLeft();
  view.tries = game.GetTries();
  view.playing = game.GetPhase() == CEggGameLoop::kPlaying;
  view.gameOver = game.GetPhase() >= CEggGameLoop::kGameOver && game.GetPhase() != CEggGameLoop::kLeaving;
  if (const CBasket* basket = game.GetBasket(); basket != nullptr && basket->IsVisible() != 0) {
    view.basketZone = basket->GetZone();
  }
  LookAtEggs(game, view);
  LookAtEnding(game, view);
  return view;
}

}  // namespace

ScreenView CAppGameObserver::Look() const {
  ScreenView view;
  CGameLoop* state = app.CurrentState();
  if (state == nullptr) return view;
  view.leaving = state->IsFadingOut() || state->IsFinished() != 0;
  if (const auto* title = dynamic_cast<const CTitleLoop*>(state)) {
    view.kind = StateKind::Title;
    view.leaving = view.leaving || title->IsLeaving();
    view.menu = LookAtMenu(title->GetOptionWheel(), title->GetArrows());
  } else if (const auto* splash = dynamic_cast<const CSplashScreenLoop*>(state)) {
    view.kind = StateKind::Splash;
    view.leaving = view.leaving || splash->IsLeaving();
    if (splash->GetOptions() != nullptr) view.play = splash->GetOptions()->GetOption(0)->GetRect();
  } else if (const auto* game = dynamic_cast<const CEggGameLoop*>(state)) {
    view.kind = StateKind::EggGame;
    view.game = LookAtGame(*game);
  } else if (const auto* scores = dynamic_cast<const CHiscoresLoop*>(state)) {
    view.kind = StateKind::Hiscores;
    view.menu = LookAtMenu(scores->GetWheel(), scores->GetArrows());
  }
  return view;
}
