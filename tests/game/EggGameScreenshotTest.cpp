#include <gtest/gtest.h>

#include "GameTest.h"
#include "game/Basket.h"
#include "layers/HUD.h"
#include "render/PngWriter.h"
#include "support/OffscreenScene.h"

namespace {

class EggGameScreenshotTest : public GameTest {};

// The egg game drawn on OpenGL mid-game, with several eggs under way.
TEST_F(EggGameScreenshotTest, MidGameShowsEachEggTheBasketAndTheHudWhereTheyStand) {
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  CTexture::ReleaseAll();  // pictures made for the recording device
  d3dDevice = &scene.Device();
  const auto capture = [&] {
    scene.BeginFrame(0xFF000000);
    game->RenderLayers();
    scene.EndFrame();
    return scene.pixels;
  };
  game->SeedRandom(7);
  StartPlaying();
  game->SetLevel(10);  // up to five eggs at once
  motion.MoveIn(1);
  const auto underWay = [](const CEgg* egg) { return egg->GetState() >= CEgg::kOnLedge && egg->GetState() <= CEgg::kFalling; };
  ASSERT_TRUE(RunUntil([&] {
    const auto& eggs = game->Eggs();
    return std::count_if(eggs.begin(), eggs.end(), underWay) >= 2 &&
           std::any_of(eggs.begin(), eggs.end(), [](const CEgg* egg) { return egg->GetState() == CEgg::kFalling; });
  }));
  const std::vector<uint32_t> shown = capture();
  ASSERT_TRUE(WritePng("egg_game_screenshot.png", shown, scene.width, scene.height));

  // Hiding them changes their own places on the screen.
  for (CEgg* egg : game->Eggs()) {
    egg->SetVisible(0);
  }
  game->GetBasket()->SetVisible(0);
  Find<CHUD>()->SetVisible(0);
  const std::vector<uint32_t> without = capture();
  const auto changed = [&](float left, float top, int width, int height) {
    int count = 0;
    for (int y = std::max(int(top), 0); y < std::min(int(top) + height, int(scene.height)); ++y) {
      for (int x = std::max(int(left), 0); x < std::min(int(left) + width, int(scene.width)); ++x) {
        count += shown[size_t(y) * scene.width + x] != without[size_t(y) * scene.width + x];
      }
    }
    return count;
  };
  for (CEgg* egg : game->Eggs()) {
    if (underWay(egg)) {
      EXPECT_GT(changed(egg->GetPositionX(), egg->GetPositionY(), 62, 62), 400) << "egg of chute " << egg->GetChute();
    }
  }
  EXPECT_GT(changed(game->GetBasket()->GetPositionX(), game->GetBasket()->GetPositionY(), 125, 62), 1500);
  EXPECT_GT(changed(0, 0, 1000, 60), 500) << "the HUD";
  game.reset();
  d3dDevice = &device;
}

}  // namespace
