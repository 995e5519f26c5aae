#pragma once
#include <cstdint>

#include "state/GameLoop.h"

class COptionsLayer;

// One full-screen picture over the camera picture, then the successor named
// at construction. The interactive form (the game's introduction) blends the
// picture over the camera and waits for "Play" in the upper right corner,
// held with movement for 2.5 seconds, or for Enter; the other form ends by
// itself after 5 seconds. Escape goes back to the title. No music. Main thread.
class CSplashScreenLoop : public CGameLoop {
 public:
  static constexpr uint32_t kShowMs = 5000;  // the non-interactive form's time
  static constexpr int32_t kTitleCode = 8;
  static constexpr int32_t kQuitCode = 7;

  // `picture` is a constant (not copied); `nextCode` the result code to
  // finish with; `interactive` 1 for the "Play" option.
  CSplashScreenLoop(const char* picture, int32_t nextCode, int32_t interactive);
  ~CSplashScreenLoop() override = default;

  // Enter starts leaving for the successor; other keys do nothing.
  int32_t OnKey(int32_t key) override;
  // Escape: leaves for the title (code 8), unless the successor is the end
  // of the program (7), which stays. Nothing once leaving.
  int32_t Leave() override;
  // Starts leaving once "Play" is chosen (or the time is up), and finishes
  // once the fade-out has covered the screen.
  void Update() override;
  void Start() override;

  int32_t GetNextCode() const { return nextCode; }
  bool IsLeaving() const { return leaving != 0; }
  COptionsLayer* GetOptions() const { return optionsLayer; }

 private:
  void StartLeaving();

  int32_t interactive;
  int32_t nextCode;
  const char* picture;
  int32_t leaving = 0;
  COptionsLayer* optionsLayer = nullptr;  // interactive only; borrowed from the layer list
};
