#pragma once
#include <deque>
#include <functional>
#include <memory>

#include "BasketDriver.h"
#include "GameTest.h"
#include "game/EggGameLoop.h"
#include "game/RandomSource.h"

// Deals the numbers a test queued, then `fallback` for ever.
class ScriptedRandom : public CRandomSource {
 public:
  explicit ScriptedRandom(int32_t fallbackValue) : CRandomSource(0), fallback(fallbackValue) {}
  int32_t Next() override {
    if (values.empty()) {
      return fallback;
    }
    const int32_t value = values.front();
    values.pop_front();
    return value;
  }
  std::deque<int32_t> values;
  int32_t fallback;
};

// A started egg game on the manual clock and the recording device, steered by
// a real basket detector. Frame() is one drawn frame `frameMs` after the
// last: the layers' Update, then the state's.
class EggGameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    game = std::make_unique<CEggGameLoop>();
    game->SeedRandom(20261206);
  }
  void TearDown() override {
    game.reset();
    GameTest::TearDown();
  }
  // Every number dealt is `fallback` (after any queued ones); for a value v
  // the egg comes down chute v mod 4 and is golden when v mod ((level + 10) x 5)
  // is 1, else spoiled when v mod spoiledOdds is 1.
  ScriptedRandom& Script(int32_t fallback) {
    auto source = std::make_unique<ScriptedRandom>(fallback);
    ScriptedRandom& script = *source;
    game->SetRandomSource(std::move(source));
    return script;
  }
  void Frame() {
    Advance(frameMs);
    game->UpdateLayers();
    game->Update();
  }
  // Frames until `done` holds (true) or `limit` frames have passed (false).
  bool RunUntil(const std::function<bool()>& done, int limit = 1000) {
    for (int frame = 0; frame < limit; ++frame) {
      if (done()) {
        return true;
      }
      Frame();
    }
    return done();
  }
  // Start, then through "Ready ?" into play.
  void StartPlaying() {
    game->Start();
    ASSERT_TRUE(RunUntil([this] { return game->GetPhase() == CEggGameLoop::kPlaying; }));
  }
  CEgg* FirstEgg() const { return game->Eggs().empty() ? nullptr : game->Eggs().front(); }
  bool FirstEggIn(int32_t state) const { return FirstEgg() != nullptr && FirstEgg()->GetState() == state; }

  uint32_t frameMs = kFrameMs;
  BasketDriver motion;
  std::unique_ptr<CEggGameLoop> game;
};
