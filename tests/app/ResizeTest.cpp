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
#include "support/KeyEvent.h"
#include "support/StateFixture.h"

// Every screen follows a change of the drawing area's size at once: resized
// while it runs (in the middle of its fade-out, eggs still rolling), it draws
// its sprites where the same screen started at the new size draws them.
namespace {

// The fixture's recording device, desktop and cam.ini, with the egg game's
// detector (nobody moving) installed over the fixture's plain one.
class ResizeTest : public StateFixture<CGameLoop> {
 protected:
  MotionDriver camera{std::make_unique<CBasketMotionDetector>(1000, 750)};
};

// Drawn with the same picture and colour, at the same place and size (to a
// twentieth of a pixel or of a matrix element).
bool SameSprite(const SpriteDraw& a, const SpriteDraw& b) {
  float distance = std::max(std::fabs(a.position.x - b.position.x), std::fabs(a.position.y - b.position.y));
  for (int at = 0; at < 16; ++at)
    distance = std::max(distance, std::fabs(a.transform.m[at / 4][at % 4] - b.transform.m[at / 4][at % 4]));
  return a.texture == b.texture && a.color == b.color && distance < 0.05f;
}

TEST_F(ResizeTest, EveryScreenResizedWhileItRunsDrawsItsSpritesAsOneStartedAtTheNewSize) {
  const StateRequest requests[] = {
      {StateKind::Title}, {StateKind::Splash, kIntroPicture, 0, 1}, {StateKind::EggGame}, {StateKind::Hiscores}};
  for (const StateRequest& request : requests) {
    SCOPED_TRACE(static_cast<int>(request.kind));
    // The first screen starts at 1000 x 750 and is resized; the second starts at the new size.
    Viewport sizes[2] = {{0, 0, 1000, 750}, {0, 0, 1600, 1200}};
    std::unique_ptr<CGameLoop> screens[2];
    for (const int i : {0, 1}) {
      device.viewport = sizes[i];
      screens[i] = CreateGameState(request);
      if (auto* game = dynamic_cast<CEggGameLoop*>(screens[i].get())) game->SeedRandom(7);
      screens[i]->Start();
    }
    const auto frames = [&](int count) {
      for (int frame = 0; frame < count; ++frame) {
        Advance(40);
        for (const int i : {0, 1}) {
          device.viewport = sizes[i];
          screens[i]->UpdateLayers();
          screens[i]->Update();
        }
      }
    };
    const auto draw = [&](int i) {
      device.viewport = sizes[i];
      device.ClearRecords();
      screens[i]->RenderLayers();
      return device.sprites;
    };
    frames(150);  // the egg game's first egg rolls from the sixth second on
    for (const auto& screen : screens) screen->Leave();
    frames(1);
    sizes[0] = sizes[1];
    screens[0]->SetViewportSize(1600, 1200);
    if (request.kind == StateKind::EggGame) {
      const auto& zones = dynamic_cast<const CBasketMotionDetector&>(camera.Detector());
      EXPECT_EQ(1600, zones.ZoneRect(CBasketMotionDetector::kBottomRight).right);
      EXPECT_EQ(1200, zones.ZoneRect(CBasketMotionDetector::kBottomRight).bottom);
    }
    for (const int count : {1, 20}) {
      frames(count);
      const auto expected = draw(1), resized = draw(0);
      EXPECT_FALSE(expected.empty());
      ASSERT_EQ(expected.size(), resized.size());
      for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(SameSprite(resized[i].sprite, expected[i].sprite))
            << "sprite " << i << " drawn at " << resized[i].sprite.position.x << ", " << resized[i].sprite.position.y
            << " instead of " << expected[i].sprite.position.x << ", " << expected[i].sprite.position.y;
      }
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
  // `count` frames, the window first dragged to w x h when given.
  const auto frames = [&](int count, int w = 0, int h = 0) {
    if (w > 0) {
      SDL_SetWindowSize(app.Window(), w, h);
      for (SDL_Event event; SDL_PollEvent(&event);) app.HandleEvent(event);
    }
    for (int i = 0; i < count; ++i) {
      Advance(CMyD3DApplication::kFrameInterval);
      app.FrameStep();
    }
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
  frames(1, 1600, 1200);
  EXPECT_EQ(0u, uncovered(0xC0)) << "fading in";
  ASSERT_EQ(1600u, width);
  for (int frame = 0; frame < 400 && onChute() == nullptr; ++frame) frames(1);
  frames(5);
  expectOnItsChute();
  frames(1, 1280, 720);  // a wide window: the picture is 960 x 720 between bars
  expectOnItsChute();
  EXPECT_EQ(960u, width);
  frames(10);
  expectOnItsChute();
  EXPECT_NEAR(448.0f * 960.0f / 1024.0f, game->GetBasket()->GetPositionX(), 0.5f) << "the basket waits in the middle";

  app.HandleEvent(KeyDown(SDLK_ESCAPE));
  frames(24);
  frames(1, 1600, 1200);
  EXPECT_EQ(0u, uncovered(0xA0)) << "fading out";
  ASSERT_EQ(1600u, width);
}

}  // namespace
