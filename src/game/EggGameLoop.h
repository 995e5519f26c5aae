#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/Sound.h"
#include "game/RandomSource.h"
#include "state/GameLoop.h"

class C3DText;
class CBasket;
class CContour;
class CEgg;
class CHUD;
class COptionsLayer;

// The egg game: eggs come down four chutes and the player catches each one by
// moving in the screen quarter of its chute. Ordinary eggs score and count
// towards the level's quota, golden eggs give a bonus and a try, spoiled eggs
// must not be caught; a dropped egg costs a try. Main thread only.
class CEggGameLoop : public CGameLoop {
 public:
  enum Phase : int32_t {
    kPlaying = 0,
    kPause = 1,         // a message with play stopped ("Ready ?", a loss, a spoiled catch)
    kLevelMessage = 2,
    kGameOver = 3,      // "Game over" shown
    kQuestion = 4,      // "Play again ?" waits for an answer
    kNameEntry = 5,     // a qualifying score takes the player's name
    kRestart = 6,       // fading out before a new game in this state
    kLeaving = 7,
  };
  // Message slots of `message`.
  enum Message : uint32_t {
    kReady = 0,
    kLevel = 1,
    kEggBroken = 2,
    kGameOverText = 3,
    kGoldenEgg = 4,
    kBonus = 5,
    kGoldenLost = 6,
    kBewareSpoiled = 7,
    kSpoiledCaught = 8,
    kThatWasClose = 9,
  };
  static constexpr int32_t kStartTries = 6;

  // Seeds the dice from the time.
  CEggGameLoop();
  ~CEggGameLoop() override;

  // Fades out and finishes with result 0; any phase.
  int32_t Leave() override;
  // Enter answers "yes" to "Play again ?".
  int32_t OnKey(int32_t key) override;
  // The state's logic by phase (see the .cpp); every pass of the loop.
  void Update() override;
  // Builds the layers, starts the music, level 1 and "Ready ?", and installs a
  // basket detector in the capture engine (when there is one).
  void Start() override;
  // The layers and the basket detector's zones follow the new size.
  void SetViewportSize(uint32_t width, uint32_t height) override;

  // Level counters and spawner values for `level` (1 and up); the first egg
  // of the level is due at once.
  void SetLevel(int32_t level);

  // For tests: the same game for the same seed, or numbers of their choosing.
  void SeedRandom(uint32_t seed) { random->Seed(seed); }
  void SetRandomSource(std::unique_ptr<CRandomSource> source) {
    if (source) {
      random = std::move(source);
    }
  }

  int32_t GetPhase() const { return phase; }
  int32_t GetLevel() const { return level; }
  int32_t GetScore() const { return score; }
  int32_t GetEggsLeft() const { return eggsLeft; }
  int32_t GetTries() const { return tries; }
  int32_t GetMaxEggs() const { return maxEggs; }
  int32_t GetActiveEggs() const { return activeEggs; }
  int32_t GetSpoiledOdds() const { return spoiledOdds; }
  int32_t GetSpawnDelayBase() const { return spawnDelayBase; }
  int32_t GetSpawnDelaySpread() const { return spawnDelaySpread; }
  uint32_t GetSpawnDelayMs() const { return spawnDelayMs; }
  int32_t GetGoldenThisLevel() const { return goldenThisLevel; }
  uint32_t GetPhaseDurationMs() const { return phaseDurationMs; }
  const std::vector<CEgg*>& Eggs() const { return eggs; }
  CBasket* GetBasket() const { return basket; }
  CContour* GetContour() const { return contour; }
  C3DText* GetMessage() const { return message; }
  // The slot shown last.
  uint32_t GetMessageSlot() const { return messageSlot; }
  CHUD* GetHud() const { return hud; }
  COptionsLayer* GetOptions() const { return options; }

 private:
  void AddMessageLayer();
  void AddOptionsLayer();
  void InstallDetector();
  void UpdatePlaying(uint32_t now);
  void Spawn();
  // A chute whose newest egg is not still appearing or on its ledge; false
  // when every chute is busy (the spawn is then skipped this frame).
  bool DrawChute(int32_t& chute);
  bool ChuteBusy(int32_t chute) const;
  int32_t DrawKind();
  void CheckCatches();
  void CheckBreaks();
  void CleanUp();
  // Out of `eggs` and the layers, destroyed, one fewer active.
  void RemoveEgg(CEgg* egg);
  void RemoveEggsNotBreaking();
  void RemoveAllEggs();
  void LoseTry(uint32_t slot);
  // The game's ending (EggGameEnding.cpp).
  void EndGameOver();
  void UpdateNameEntry();
  void UpdateQuestion();
  void ShowQuestion();
  void PlayAgain();
  void Restart();
  // The layers are gone: forget the pointers into them.
  void ForgetLayers();
  void CompleteLevel();
  void GameOver();
  // Shows `slot` centred at height 200 and restarts the phase's timing.
  void ShowMessage(uint32_t slot);
  void ShowSwingingMessage(uint32_t slot, uint32_t durationMs);
  void RefreshHud();

  int32_t spoiledOdds = 10;
  int32_t goldenThisLevel = 0;
  CBasket* basket = nullptr;    // the layers own these
  CContour* contour = nullptr;
  COptionsLayer* options = nullptr;
  CHUD* hud = nullptr;
  C3DText* message = nullptr;
  std::vector<CEgg*> eggs;      // live eggs in creation order, owned through the layers
  uint32_t phaseDurationMs = 3000;
  int32_t lastChute = 0;
  int32_t activeEggs = 0;
  int32_t maxEggs = 1;
  CSound crumpSound;
  int32_t phase = kPause;
  uint32_t spawnDelayMs = 0;
  uint32_t lastSpawnTick = 0;
  int32_t spawnDelayBase = 500;
  int32_t spawnDelaySpread = 500;
  // The HUD's counters.
  int32_t level = 1;
  int32_t score = 0;
  int32_t eggsLeft = 0;
  int32_t tries = kStartTries;
  uint32_t messageSlot = kReady;
  std::unique_ptr<CRandomSource> random;  // never null
};
