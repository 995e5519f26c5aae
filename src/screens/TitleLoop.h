#pragma once
#include <cstdint>

#include "state/GameLoop.h"

class COptionWheel;
class COptionsLayer;
class CSpriteWheel;

// The main menu and the first screen: over the camera picture, the game's
// name in 3D text, a wheel of three captions (the game, "High scores",
// "Quit") with a wheel of their pictures turning the other way, and two
// arrows in the upper corners that turn the wheels while movement holds
// them. Holding movement on the front caption until its bar fills chooses it;
// the arrow keys and Enter do the same from the keyboard. Menu music loops
// while the screen lives. Main thread.
//
// Result codes: by movement the option's value (0 the game, 5 high scores,
// 7 quit); by Enter the front position (0, 1, 2); Escape 6.
class CTitleLoop : public CGameLoop {
 public:
  static constexpr int32_t kEscapeCode = 6;

  CTitleLoop() = default;
  ~CTitleLoop() override = default;

  // Enter chooses the front caption (not while the wheels turn); Left and
  // Right turn the wheels. Ignored once a choice is made.
  int32_t OnKey(int32_t key) override;
  // Escape: fades out with code 6; nothing once a choice is made.
  int32_t Leave() override;
  // Turns the wheels for a held arrow, takes a caption chosen by movement,
  // and finishes once the fade-out has covered the screen.
  void Update() override;
  void Start() override;

  int32_t GetChoice() const { return choice; }
  bool IsLeaving() const { return leaving != 0; }
  COptionsLayer* GetArrows() const { return optionsLayer; }
  COptionWheel* GetOptionWheel() const { return optionWheel; }
  CSpriteWheel* GetSpriteWheel() const { return spriteWheel; }

 private:
  void AddWheels();
  void AddName();
  // The caption wheel one way, the picture wheel the other: the front
  // picture stays the front caption's.
  void TurnLeft();
  void TurnRight();
  void StartLeaving(int32_t code);

  int32_t choice = -1;
  // Borrowed from the layer list, which owns them; made by Start.
  COptionsLayer* optionsLayer = nullptr;
  COptionWheel* optionWheel = nullptr;
  CSpriteWheel* spriteWheel = nullptr;
  int32_t leaving = 0;
};
