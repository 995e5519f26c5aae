#include "state/StateSwitch.h"

namespace {

StateStep NewState(StateKind kind) {
  StateStep step;
  step.next.kind = kind;
  return step;
}

StateStep Leaving(StateStep::Action action) {
  StateStep step;
  step.action = action;
  return step;
}

StateStep AfterSplash(int32_t result) {
  switch (result) {
    case 0:
      return NewState(StateKind::EggGame);
    case 5:
      return NewState(StateKind::Hiscores);
    case 7:
      return Leaving(StateStep::Action::Quit);
    default:  // 8 after Escape; any code a splash should never report also goes back to the title
      return NewState(StateKind::Title);
  }
}

StateStep AfterTitle(int32_t result) {
  switch (result) {
    case 0: {
      StateStep step = NewState(StateKind::Splash);
      step.next.picture = Translate(kIntroPicture);
      step.next.nextCode = 0;
      step.next.interactive = 1;
      return step;
    }
    case 1:
    case 5:
      return NewState(StateKind::Hiscores);
    case 2:
    case 6:
    case 7:
      return Leaving(StateStep::Action::OpenHomepageAndQuit);
    default:  // the title never reports another code; show it again rather than stall
      return NewState(StateKind::Title);
  }
}

}  // namespace

const char* StateName(StateKind kind) {
  switch (kind) {
    case StateKind::Title:
      return "title";
    case StateKind::Splash:
      return "intro";
    case StateKind::EggGame:
      return "game";
    case StateKind::Hiscores:
      return "high scores";
  }
  return "?";
}

StateStep NextStateStep(StateKind kind, int32_t result) {
  switch (kind) {
    case StateKind::Splash:
      return AfterSplash(result);
    case StateKind::Title:
      return AfterTitle(result);
    case StateKind::EggGame: {
      StateStep step = Leaving(StateStep::Action::OpenHomepageAndQuit);
      step.deleteFinished = false;
      return step;
    }
    case StateKind::Hiscores:
      break;
  }
  return NewState(StateKind::Title);
}
