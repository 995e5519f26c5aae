#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <SDL.h>

#include "app/MyD3DApplication.h"
#include "app/StateFactory.h"
#include "game/Basket.h"
#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "state/GameLoop.h"
#include "layers/Text3D.h"
#include "motion/BasketMotionDetector.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/KeyEvent.h"
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

// The player drags the window's edge during the game's fade-in, while an egg
// rolls down its chute, and during the fade-out, on the real window and
// OpenGL device: the fade always covers the whole picture, and the egg keeps
// running along the top edge of its drawn chute.
TEST_F(ResizeTest, ResizedMidFadeAndMidGameTheFadeCoversThePictureAndEggsStayOnTheirChutes) {
  d3dDevice = previousDevice;
  CMyD3DApplication app;
  app.SetStateFactory([](const StateRequest&) {
    auto game = std::make_unique<CEggGameLoop>();
    game->SeedRandom(7);
    return game;
  });
  ASSERT_EQ(S_OK, app.Create());
  ASSERT_EQ(S_OK, app.InitGame());
  auto* game = dynamic_cast<CEggGameLoop*>(app.CurrentState());
  ASSERT_NE(nullptr, game);
  uint32_t width = 0, height = 0;
  const auto frames = [&](int count) {
    for (int i = 0; i < count; ++i) {
      Advance(CMyD3DApplication::kFrameInterval);
      app.FrameStep();
    }
  };
  const auto resize = [&](int w, int h) {
    SDL_SetWindowSize(app.Window(), w, h);
    for (SDL_Event event; SDL_PollEvent(&event);) app.HandleEvent(event);
    frames(1);
  };
  const auto picture = [&] {
    std::vector<uint32_t> pixels;
    app.Device()->ReadPixels(pixels, width, height);
    return pixels;
  };
  // Pixels whose darkest channel is below `level`: none under a fade that dark.
  const auto uncovered = [&](uint32_t level) {
    size_t count = 0;
    for (const uint32_t pixel : picture())
      count += std::min({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF}) < level;
    return count;
  };
  const auto onChute = [&]() -> const CEgg* {
    for (const CEgg* egg : game->Eggs())
      if (egg->GetState() == CEgg::kOnChute) return egg;
    return nullptr;
  };
  // The egg as drawn against the hatchery drawn without it (and what is in
  // front of it): in the column through the middle of the egg's cell, its
  // lowest pixel lies just above the ledge's top edge (a spinning egg's lowest
  // point rises by up to a tenth of the cell).
  const auto expectOnItsChute = [&] {
    const CEgg* egg = onChute();
    ASSERT_NE(nullptr, egg);
    app.DrawScene();
    const std::vector<uint32_t> withEgg = picture();
    const int32_t messageShown = game->GetMessage()->IsVisible();
    for (const int32_t visible : {0, 1}) {
      for (CEgg* each : game->Eggs()) each->SetVisible(visible);
      game->GetBasket()->SetVisible(visible);
      game->GetMessage()->SetVisible(visible != 0 ? messageShown : 0);
      if (visible == 0) app.DrawScene();
    }
    const std::vector<uint32_t> hatchery = picture();
    const float sy = float(height) / 768.0f;
    const int column = int(egg->GetPositionX() + 32.0f * float(width) / 1024.0f);
    ASSERT_TRUE(column >= 0 && column < int(width)) << "egg at " << egg->GetPositionX() << " in " << width;
    int eggBottom = -1, ledge = -1;
    for (int y = std::max(0, int(egg->GetPositionY())); y < int(height) && ledge < 0; ++y) {
      const size_t at = size_t(y) * width + size_t(column);
      if (withEgg[at] != hatchery[at]) eggBottom = y;
      if (eggBottom >= 0 && (hatchery[at] & 0xFFFFFF) != 0) ledge = y;
    }
    ASSERT_GE(eggBottom, 0) << "no egg drawn at " << egg->GetPositionX() << ", " << egg->GetPositionY();
    EXPECT_TRUE(eggBottom < ledge + 2 * sy && eggBottom > ledge - 12 * sy)
        << "egg of chute " << egg->GetChute() << " drawn down to row " << eggBottom << ", ledge at row " << ledge
        << " in " << width << " x " << height;
  };

  frames(3);
  resize(1600, 1200);
  EXPECT_EQ(0u, uncovered(0xC0)) << "fading in";
  ASSERT_EQ(1600u, width);
  for (int frame = 0; frame < 400 && onChute() == nullptr; ++frame) frames(1);
  frames(5);
  expectOnItsChute();
  resize(1280, 720);  // a wide window: the picture is 960 x 720 between bars
  expectOnItsChute();
  EXPECT_EQ(960u, width);
  frames(10);
  expectOnItsChute();
  EXPECT_NEAR(448.0f * 960.0f / 1024.0f, game->GetBasket()->GetPositionX(), 0.5f) << "the basket waits in the middle";

  app.HandleEvent(KeyDown(SDLK_ESCAPE));
  frames(24);
  resize(1600, 1200);
  EXPECT_EQ(0u, uncovered(0xA0)) << "fading out";
  ASSERT_EQ(1600u, width);
}

}  // namespace
