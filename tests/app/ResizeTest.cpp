#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "state/GameLoop.h"
#include "app/StateFactory.h"
#include "game/EggGameLoop.h"
#include "motion/BasketMotionDetector.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/MotionDriver.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

// Every screen follows a change of the drawing area's size at once: resized
// while it runs (in the middle of its fade-out, eggs still rolling), it draws
// its sprites where the same screen started at the new size draws them.
namespace {

using Sprites = std::vector<RecordingDevice::SpriteRecord>;

// One state drawing into a drawing area of its own size.
struct Screen {
  std::unique_ptr<CGameLoop> state;
  Viewport viewport;
};

class ResizeTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    previousDevice = d3dDevice;
    d3dDevice = &device;
    Hiscores::SetFileName(folder.File("cam.ini"));
  }
  void TearDown() override {
    Hiscores::SetFileName("cam.ini");
    d3dDevice = previousDevice;
    ManualClockTest::TearDown();
  }
  Screen Make(const StateRequest& request, uint32_t width, uint32_t height) {
    Screen screen{nullptr, Viewport{0, 0, width, height}};
    device.viewport = screen.viewport;
    screen.state = CreateGameState(request);
    if (auto* game = dynamic_cast<CEggGameLoop*>(screen.state.get())) game->SeedRandom(7);
    screen.state->Start();
    return screen;
  }
  // One pass of the loop with a drawn frame, each screen in its own size.
  void Frame(std::vector<Screen*> screens) {
    Advance(40);
    for (Screen* screen : screens) {
      device.viewport = screen->viewport;
      screen->state->UpdateLayers();
      screen->state->Update();
    }
  }
  Sprites Draw(const Screen& screen) {
    device.viewport = screen.viewport;
    device.ClearRecords();
    screen.state->RenderLayers();
    return device.sprites;
  }

  TempFolder folder;
  RecordingDesktop desktop;
  RecordingDevice device;
  // The egg game's detector, with nobody moving.
  MotionDriver camera{std::make_unique<CBasketMotionDetector>(1000, 750)};
  RenderDevice* previousDevice = nullptr;
};

// The largest difference, in pixels or matrix elements, between where and
// how big the two sprites are drawn.
float Distance(const SpriteDraw& a, const SpriteDraw& b) {
  float distance = std::max(std::fabs(a.position.x - b.position.x), std::fabs(a.position.y - b.position.y));
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      distance = std::max(distance, std::fabs(a.transform.m[row][column] - b.transform.m[row][column]));
    }
  }
  return distance;
}

void ExpectSameSprites(const Sprites& resized, const Sprites& fresh) {
  ASSERT_EQ(fresh.size(), resized.size());
  for (size_t i = 0; i < fresh.size(); ++i) {
    const SpriteDraw& a = resized[i].sprite;
    const SpriteDraw& b = fresh[i].sprite;
    EXPECT_TRUE(a.texture == b.texture && a.color == b.color && Distance(a, b) < 0.05f)
        << "sprite " << i << " drawn at " << a.position.x << ", " << a.position.y << " instead of " << b.position.x
        << ", " << b.position.y << ", transform differs by up to " << Distance(a, b);
  }
}

TEST_F(ResizeTest, EveryScreenResizedWhileItRunsDrawsItsSpritesAsOneStartedAtTheNewSize) {
  const std::pair<const char*, StateRequest> screens[] = {{"title", {StateKind::Title}},
                                                         {"introduction", {StateKind::Splash, kIntroPicture, 0, 1}},
                                                         {"egg game", {StateKind::EggGame}},
                                                         {"high scores", {StateKind::Hiscores}}};
  for (const auto& [name, request] : screens) {
    SCOPED_TRACE(name);
    Screen resized = Make(request, 1000, 750);
    Screen fresh = Make(request, 1600, 1200);
    // The egg game's first egg rolls from the sixth second on.
    for (int frame = 0; frame < 150; ++frame) Frame({&resized, &fresh});
    resized.state->Leave();
    fresh.state->Leave();
    Frame({&resized, &fresh});
    resized.viewport = fresh.viewport;
    resized.state->SetViewportSize(1600, 1200);
    if (request.kind == StateKind::EggGame) {
      const auto& zones = dynamic_cast<const CBasketMotionDetector&>(camera.Detector());
      EXPECT_EQ(1600, zones.ZoneRect(CBasketMotionDetector::kBottomRight).right);
      EXPECT_EQ(1200, zones.ZoneRect(CBasketMotionDetector::kBottomRight).bottom);
    }
    for (const int frames : {1, 20}) {
      for (int frame = 0; frame < frames; ++frame) Frame({&resized, &fresh});
      const Sprites expected = Draw(fresh);
      EXPECT_FALSE(expected.empty());
      ExpectSameSprites(Draw(resized), expected);
    }
  }
}

}  // namespace
