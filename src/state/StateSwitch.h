#pragma once
#include <cstdint>

#include "base/Texts.h"

// Which screen a game state is. The application remembers the kind of the
// state it made current, so the switch needs no knowledge of the classes.
enum class StateKind { Title, Splash, EggGame, Hiscores };

// Everything needed to build a state: its kind, and for a splash screen its
// picture, the result code it finishes with and whether it waits for "Play".
struct StateRequest {
  StateKind kind = StateKind::Title;
  const char* picture = nullptr;  // a constant; splash only
  int32_t nextCode = 0;           // splash only
  int32_t interactive = 0;        // splash only
};

// What the application does when the current state has finished.
struct StateStep {
  enum class Action {
    NewState,             // build and start `next`
    OpenHomepageAndQuit,  // open the maker's web page, then end the program
    Quit,                 // end the program
  };
  Action action = Action::NewState;
  bool deleteFinished = true;  // false: the finished state stays current until the program ends
  StateRequest next;           // for NewState
};

// The picture of the game's introduction, shown before the egg game, as
// written in English; the player's language may have its own (Translate).
// TRANSLATORS: the introduction picture in your language, if res/ has one.
constexpr const char* kIntroPicture = Translatable("./res/egg_intro_en.png");

// The state kind as the player would name the screen (debug output, the
// demo's screenshots and summary).
const char* StateName(StateKind kind);

// The successor of a finished state of `kind` that reported `result`.
StateStep NextStateStep(StateKind kind, int32_t result);
