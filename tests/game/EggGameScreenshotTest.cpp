#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "BasketDriver.h"
#include "base/Clock.h"
#include "game/Basket.h"
#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "support/OffscreenScene.h"
#include "layers/HUD.h"
#include "render/PngWriter.h"
#include "layers/TextureLayer.h"

namespace {

constexpr uint32_t kFrameMs = 40;

// Processor time of the whole process so far, milliseconds.
double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// Pixels of `a` and `b` that differ within the rectangle (pixels, clipped).
int CountChanged(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, uint32_t width, uint32_t height,
                 int left, int top, int right, int bottom) {
  int changed = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, int(height)); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, int(width)); ++x) {
      changed += a[size_t(y) * width + x] != b[size_t(y) * width + x];
    }
  }
  return changed;
}

class EggGameScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CTexture::ReleaseAll();  // pictures other tests made for the recording device
    InstallManualClock(100000);
    CEgg::ResetPathTable();
    eggSpeed = 1.0f;
  }
  void TearDown() override {
    game.reset();
    CEgg::ResetPathTable();
    eggSpeed = 1.0f;
    RemoveManualClock();
  }
  // One frame as the application makes it: logic, layers, drawing.
  void Frame(bool present) {
    AdvanceManualTickCount(kFrameMs);
    game->Update();
    game->UpdateLayers();
    scene.BeginFrame(0xFF000000);
    game->RenderLayers();
    scene.Device().EndScene();
    if (present) {
      scene.Device().Present();
    }
  }
  void Capture(std::vector<uint32_t>& pixels) {
    scene.BeginFrame(0xFF000000);
    game->RenderLayers();
    scene.EndFrame();
    pixels = scene.pixels;
  }

  OffscreenScene scene;
  BasketDriver motion;
  std::unique_ptr<CEggGameLoop> game;
};

TEST_F(EggGameScreenshotTest, MidGameShowsHatcheryEggsBasketAndHud) {
  ASSERT_TRUE(scene.Ok());
  game = std::make_unique<CEggGameLoop>();
  game->SeedRandom(7);
  game->Start();
  while (game->GetPhase() != CEggGameLoop::kPlaying) {
    Frame(false);
  }
  game->SetLevel(10);  // up to five eggs at once
  motion.MoveIn(1);

  // The pace the game needs: 25 drawn frames a second at 1000 x 750 on the
  // software renderer. Wall time depends on what else the machine runs, so
  // the process's processor time (all of the renderer's threads) is reported
  // too. The application draws a frame 40 ms after the end of the last one.
  constexpr int kTimedFrames = 150;
  const double cpuBegin = ProcessCpuMs();
  const auto begin = std::chrono::steady_clock::now();
  for (int frame = 0; frame < kTimedFrames; ++frame) {
    Frame(true);
  }
  std::vector<uint32_t> shown;
  Capture(shown);  // waits for every frame drawn so far
  const double wallMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count() / kTimedFrames;
  const double cpuMs = (ProcessCpuMs() - cpuBegin) / kTimedFrames;
  std::printf("egg game frame at %u x %u: %.2f ms wall, %.2f ms processor time; paced: %.1f frames/s\n",
              scene.width, scene.height, wallMs, cpuMs, 1000.0 / (40.0 + wallMs));
  RecordProperty("frame_wall_ms", std::to_string(wallMs));
  RecordProperty("frame_cpu_ms", std::to_string(cpuMs));

  // Mid-game with several eggs under way, one of them falling.
  const auto underWay = [this] {
    int moving = 0, falling = 0;
    for (const CEgg* egg : game->Eggs()) {
      moving += egg->GetState() >= CEgg::kOnLedge && egg->GetState() <= CEgg::kFalling;
      falling += egg->GetState() == CEgg::kFalling;
    }
    return moving >= 2 && falling >= 1;
  };
  for (int frame = 0; frame < 600 && !underWay(); ++frame) {
    Frame(false);
  }
  ASSERT_TRUE(underWay());
  Capture(shown);
  ASSERT_TRUE(WritePng("egg_game_screenshot.png", shown, scene.width, scene.height));

  // Each egg, the basket and the HUD are really drawn: hiding them changes
  // their own places on the screen.
  std::vector<uint32_t> without;
  for (CEgg* egg : game->Eggs()) {
    egg->SetVisible(0);
  }
  game->GetBasket()->SetVisible(0);
  game->GetHud()->SetVisible(0);
  Capture(without);
  for (CEgg* egg : game->Eggs()) {
    if (egg->GetState() >= CEgg::kOnLedge && egg->GetState() <= CEgg::kFalling) {
      const int x = int(egg->GetPositionX()), y = int(egg->GetPositionY());
      EXPECT_GT(CountChanged(shown, without, scene.width, scene.height, x, y, x + 62, y + 62), 400)
          << "egg of chute " << egg->GetChute() << " at " << x << ", " << y;
    }
  }
  const CBasket& basket = *game->GetBasket();
  const int bx = int(basket.GetPositionX()), by = int(basket.GetPositionY());
  EXPECT_NEAR(bx, 180 * 1000 / 1024, 1);
  EXPECT_GT(CountChanged(shown, without, scene.width, scene.height, bx, by, bx + 125, by + 62), 1500);
  EXPECT_GT(CountChanged(shown, without, scene.width, scene.height, 0, 0, 1000, 60), 500);
  // The hatchery frames the picture (posts at both sides, straw along the
  // bottom) and leaves the middle clear for the camera.
  const auto lit = [&](int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        count += (without[size_t(y) * scene.width + x] & 0xFFFFFF) != 0;
      }
    }
    return double(count) / double((right - left) * (bottom - top));
  };
  EXPECT_GT(lit(2, 100, 20, 700), 0.9);
  EXPECT_GT(lit(980, 100, 998, 700), 0.9);
  EXPECT_GT(lit(100, 740, 900, 750), 0.9);
  EXPECT_LT(lit(350, 100, 650, 600), 0.05);
}

}  // namespace
