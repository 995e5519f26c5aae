#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/DemoPlan.h"
#include "demo/GameObserver.h"
#include "demo/PersonMotion.h"

// What the virtual player went through, as a player would tell it.
struct PlayerRecord {
  std::vector<StateKind> screens;  // each screen as it came up, in order
  int32_t gamesStarted = 0;
  int32_t eggsCaught = 0;
  int32_t eggsDropped = 0;          // tries lost
  int32_t score = 0;                // the HUD's last values of the last game
  int32_t level = 0;
  int32_t tries = 0;
  int32_t bestLevel = 0;
  std::string nameTyped;            // the last name typed and confirmed
};

// A hand moved into a basket zone: for the movement-to-picture latency.
struct ZoneMove {
  int32_t zone = 4;
  int32_t basketZone = 4;  // where the basket was when the hand set off
  // When the hand first reaches into the zone while in no zone that the
  // basket detector tests before it (top-left, top-right, bottom-left,
  // bottom-right): from then on the basket may go there.
  uint32_t enterTick = 0;
  uint32_t serial = 0;     // counts the moves
};

// A program-driven player in front of the demo camera. It looks at the screen
// through the observer and moves its hands (CPersonMotion, which the camera
// draws) the way a player does: it waves over the caption it wants, turning
// the wheel with the arrow first (on the high-score screen after reading the
// table), waves over "Play", and waves in the quarter
// of the chute whose egg lands next, each a few hundred milliseconds after it
// sees the reason to; now and then it misjudges an egg. A high-score name is
// typed through `typeKey` (letters, digits, '\r' for Enter). Deterministic
// for one seed and one sequence of looks. Main thread.
class CVirtualPlayer {
 public:
  using KeyTyper = std::function<void(char key)>;

  CVirtualPlayer(const DemoPlan& plan, uint32_t seed, std::shared_ptr<CPersonMotion> motion, KeyTyper typeKey);

  // One look at the screen at `now` (TickCount() ms) and the reaction to it.
  void Step(const ScreenView& view, uint32_t now);

  const PlayerRecord& Record() const { return record; }
  const ZoneMove& LastZoneMove() const { return zoneMove; }

  // Where the player waves to catch an egg of each chute, virtual units.
  static ScreenRect ZoneSpot(int32_t zone);

 private:
  struct Target {
    bool still = true;   // both hands still
    float x = 0, y = 0;  // else: the spot waved at, virtual units
    int32_t zone = 4;    // the basket zone the spot is in (4: none)
    bool operator==(const Target& other) const {
      return still == other.still && (still || (x == other.x && y == other.y));
    }
  };

  void Notice(const ScreenView& view, uint32_t now);
  void CountGame(const GameView& game);
  Target Want(const ScreenView& view, uint32_t now);
  Target WantOnMenu(const MenuView& menu, int32_t wanted) const;
  Target WantInGame(const GameView& game);
  void TypeName(uint32_t now);
  void Reach(const Target& target, uint32_t now);
  void TimeZoneEntry(int32_t hand, int32_t zone, uint32_t now);
  uint32_t ReactionMs();
  static Target WaveAt(const ScreenRect& rect);

  DemoPlan plan;
  std::mt19937 dice;
  std::shared_ptr<CPersonMotion> motion;
  KeyTyper typeKey;
  PlayerRecord record;
  ZoneMove zoneMove;

  std::optional<StateKind> lastKind;
  uint32_t screenSince = 0;  // when lastKind came up
  size_t titleVisits = 0;
  Target current;
  Target pending;
  uint32_t pendingAt = 0;
  bool hasPending = false;
  // The egg being watched and the zone chosen for it.
  uintptr_t watchedEgg = 0;
  int32_t watchedChute = -1;
  int32_t chosenZone = 4;
  // The name entry: characters typed so far, and when the next may come.
  size_t typed = 0;
  uint32_t nextKeyTick = 0;
  bool typing = false;
  GameView lastGame;
  bool inGame = false;
  int32_t basketZone = 4;  // as last seen
};
