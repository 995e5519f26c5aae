#pragma once
#include <cstdint>
#include <optional>

#include "motion/MotionRect.h"
#include "state/StateSwitch.h"

// What a player can see on the screen, as the virtual player needs it: which
// screen is up, where its movement-operated controls are, the egg that will
// land next and the HUD's counters. Rectangles in virtual 1024 x 768 units.
// A wheel of captions with two arrows that turn it (title, high scores).
struct MenuView {
  ScreenRect wheel{};          // hold movement here to choose the front caption
  int32_t frontValue = -1;     // the front caption's value (title: 0 game, 5 high scores, 7 quit; scores: 5 back)
  bool turning = false;
  ScreenRect turnArrow{};      // the "<" arrow: held, it turns the wheel one step
};

struct GameView {
  int32_t level = 0, score = 0, eggsLeft = 0, tries = 0;  // the HUD
  bool playing = false;       // eggs come down and can be caught
  bool gameOver = false;      // "Game over" and what follows it
  // The egg that will land next: its chute (= the zone that catches it,
  // 0 top-left, 1 bottom-left, 2 top-right, 3 bottom-right) and a tag that
  // stays the same while it is the same egg; -1 and 0 when none.
  int32_t nextChute = -1;
  uintptr_t nextEgg = 0;
  int32_t basketZone = 4;     // where the basket is drawn (4: the middle)
  bool nameEntry = false;     // a high-score row waits for a typed name
  bool question = false;      // "Play again ?" is shown
  ScreenRect yes{}, no{};     // its two answers
};

struct ScreenView {
  std::optional<StateKind> kind;  // none between states
  bool leaving = false;       // the screen is fading out
  MenuView menu;              // Title, HighScores
  ScreenRect play{};          // Intro: the "Play" option
  GameView game;              // Game
};

// The observer interface: one look at the screen. Main thread, between passes.
class CGameObserver {
 public:
  virtual ~CGameObserver() = default;
  virtual ScreenView Look() const = 0;
};
