#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "game/RandomSource.h"
#include "motion/BasketMotionDetector.h"
#include "render/Texture.h"
#include "scores/Hiscores.h"
#include "support/MotionDriver.h"
#include "support/RecordingDevice.h"
#include "support/TempFolder.h"
#include "support/TestClock.h"

// Steers a real basket detector (for a 1000 x 750 viewport) as a camera would.
class BasketDriver : public MotionDriver {
 public:
  // Areas well inside each quarter (zones 0..3), and as zone 4 the band between them.
  static constexpr ScreenRect kArea[5] = {
      {40, 40, 400, 320}, {40, 440, 400, 740}, {640, 40, 1000, 320}, {640, 440, 1000, 740}, {480, 60, 580, 740}};
  BasketDriver() : MotionDriver(std::make_unique<CBasketMotionDetector>(1000, 750)) {}
  void MoveIn(int32_t zone) { Move({kArea[zone]}); }
};

// Deals the numbers a test queued, the last one for ever. For a value v an
// egg comes down chute v mod 4, golden when v mod ((level + 10) x 5) is 1,
// else spoiled when v mod (the level's spoiled odds) is 1.
class ScriptedRandom : public CRandomSource {
 public:
  explicit ScriptedRandom(std::deque<int32_t> dealt) : CRandomSource(0), values(std::move(dealt)) {}
  int32_t Next() override {
    const int32_t value = values.front();
    if (values.size() > 1) values.pop_front();
    return value;
  }
  std::deque<int32_t> values;
};

// Egg game tests on the manual clock and the recording device (1000 x 750),
// with the process-wide egg path table and speed as at program start, cam.ini
// in a fresh temporary folder, and an egg game (not started) steered by a real
// basket detector. Frame() is one
// drawn frame `frameMs` after the last: the layers' Update, then the state's.
class GameTest : public ManualClockTest {
 protected:
  using Game = CEggGameLoop;
  static constexpr uint32_t kFrameMs = 40;
  static constexpr float kScaleX = 1000.0f / 1024.0f;
  static constexpr float kScaleY = 750.0f / 768.0f;

  void SetUp() override {
    ManualClockTest::SetUp();
    Hiscores::SetFileName(scoresFile);
    d3dDevice = &device;
    CEgg::ResetPathTable();
    eggSpeed = 1.0f;
    game = std::make_unique<CEggGameLoop>();
  }
  void TearDown() override {
    game.reset();
    CTexture::ReleaseAll();  // the pictures belong to the recording device
    d3dDevice = previousDevice;
    CEgg::ResetPathTable();
    eggSpeed = 1.0f;
    Hiscores::SetFileName("cam.ini");
    ManualClockTest::TearDown();
  }
  ScriptedRandom& Script(std::deque<int32_t> values) {
    auto source = std::make_unique<ScriptedRandom>(std::move(values));
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
    for (int frame = 0; frame < limit && !done(); ++frame) Frame();
    return done();
  }
  bool UntilPhase(int32_t phase, int limit = 5000) {
    return RunUntil([&] { return game->GetPhase() == phase; }, limit);
  }
  // Start, then through "Ready ?" into play.
  void StartPlaying() {
    game->Start();
    ASSERT_TRUE(UntilPhase(Game::kPlaying));
  }
  CEgg* FirstEgg() const { return game->Eggs().empty() ? nullptr : game->Eggs().front(); }
  // The state's layer of type T (the HUD, the contour...), or null.
  template <class T>
  T* Find() const {
    for (CAbstractLayer* layer : game->Layers()) {
      if (auto* found = dynamic_cast<T*>(layer)) return found;
    }
    return nullptr;
  }

  TempFolder folder;
  const std::string scoresFile = folder.File("cam.ini");
  RenderDevice* const previousDevice = d3dDevice;
  RecordingDevice device;
  uint32_t frameMs = kFrameMs;
  BasketDriver motion;
  std::unique_ptr<CEggGameLoop> game;
};
