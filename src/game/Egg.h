#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "game/EggPath.h"
#include "layers/SpriteLayer.h"

// Speed factor of new eggs, 1.0 at program start; the egg game sets it for
// each level. Read when an egg is created. Main thread.
extern float eggSpeed;

// One egg of the egg game: fades in at the top of its chute, rolls along the
// ledge, slides down the chute while spinning, falls until it is caught or
// reaches the ground, where it plays its breaking cells and fades out. It
// moves by per-frame velocities; the game removes it in any state. Frame
// thread only.
class CEgg : public CSpriteLayer {
 public:
  enum Kind : int32_t { kOrdinary = 0, kGolden = 1, kSpoiled = 2 };
  enum State : int32_t {
    kCreated = 0,
    kFadingIn = 1,
    kOnLedge = 2,
    kOnChute = 3,
    kFalling = 4,  // the only state in which it can be caught
    kBreaking = 5,
    kFinished = 6,  // faded out; the game removes it
  };
  // Chute 2, the cyber chute: its ordinary eggs release an alien on breaking.
  static constexpr int32_t kCyberChute = 2;
  // The shortest fade-in step of any egg, in milliseconds.
  static constexpr float kMinFadeStepMs = 15.0f;

  // Loads the kind's picture with `d3dDevice`; builds the process-wide path
  // table from this egg's screen scale if it does not exist yet; speeds up the
  // ledge, chute and spin by the kind's factor of `eggSpeed`. `chute` 0..3.
  CEgg(int32_t chute, int32_t kind);
  ~CEgg() override;

  // Transparent at the chute's start, still, fading in.
  void Start();
  // One frame: the state's step (fade, spin, turns, landing, fade-out), then
  // the sprite's movement and cells.
  void Update() override;
  // The egg, then its alien when shown.
  int32_t Render(RenderDevice* device) override;

  int32_t GetState() const { return state; }
  // The game has scored this egg's break: a broken egg may fade out for
  // longer than the pause its loss starts, and is counted only once.
  void MarkCounted() { counted = true; }
  bool IsCounted() const { return counted; }
  int32_t GetKind() const { return kind; }
  int32_t GetChute() const { return chute; }
  float GetFadeStepMs() const { return fadeStepMs; }
  float GetVelocityX() const { return velocityX; }
  float GetVelocityY() const { return velocityY; }
  float GetAngle() const { return angle; }
  const EggPath& GetPath() const { return path; }
  // Null unless this is a cyber egg.
  const CSpriteLayer* GetAlien() const { return alien.get(); }

  // The process-wide table, or null before the first egg. Tests use
  // ResetPathTable to build it again for another viewport.
  static const std::array<EggPath, 4>* PathTable();
  static void ResetPathTable();

 private:
  void LoadPicture();
  void FadeIn(uint32_t now);
  // One rotation step when more than 25 ms have passed since the last.
  void Spin(uint32_t now);
  void Land();
  void FadeOut(uint32_t now);
  void SetVelocity(float x, float y);

  std::unique_ptr<CSpriteLayer> alien;
  int32_t kind;
  float fadeStepMs = 0.0f;
  int32_t chute;
  EggPath path;
  int32_t state = kCreated;
  bool counted = false;
};
