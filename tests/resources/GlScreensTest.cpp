#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "support/OffscreenScene.h"
#include "render/PngWriter.h"
#include "layers/SpriteLayer.h"
#include "layers/TextureLayer.h"

// The pictures drawn by the real OpenGL device the way the game draws them,
// over a flat grey "camera" picture, at 1024 x 768 so that pixels are
// virtual units. Each test also leaves its frame as a PNG in the working
// directory for a person to look at.

namespace {

constexpr uint32_t kCamera = 0xFF808080;

struct Start {
  float x, y;
  float slopeX;          // where the egg leaves the flat ledge (at height y)
  float slideX, slideY;  // the chute's slope direction
};

const Start kStarts[] = {{30, 100, 35, 3.5f, 2.6f},
                         {30, 305, 35, 3.5f, 2.6f},
                         {915, 120, 915, -3.5f, 2.9f},
                         {920, 375, 910, -3.5f, 2.5f}};

// Clearly covered by the picture, not just touched by an antialiased edge.
bool IsCovered(uint32_t pixel) {
  const auto far = [](uint32_t c) { return c < 0x68 || c > 0x98; };
  return far((pixel >> 16) & 0xFF) || far((pixel >> 8) & 0xFF) || far(pixel & 0xFF);
}

bool IsCamera(uint32_t pixel) {
  const auto near = [](uint32_t c) { return c >= 0x7C && c <= 0x84; };
  return near((pixel >> 16) & 0xFF) && near((pixel >> 8) & 0xFF) && near(pixel & 0xFF);
}

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

// A picture stretched over the window's width and colour-blended, as the
// options screen and the high-score layer draw their backgrounds.
class WideBackground : public CTextureLayer {
 public:
  explicit WideBackground(const char* file) {
    if (Load(file, 0) == 1) {
      BuildQuad();
      FitWidth(static_cast<float>(texture->Height()) / static_cast<float>(texture->Width()));
    }
    SetColorBlend(1);
  }
};

class GlScreensTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    scene = std::make_unique<OffscreenScene>(1024, 768);
    ASSERT_TRUE(scene->Ok());
    ASSERT_EQ(scene->Device().GetViewport().width, 1024u);
  }

  void Draw(const std::vector<CAbstractLayer*>& layers, const char* screenshot) {
    scene->BeginFrame(kCamera);
    for (CAbstractLayer* layer : layers) layer->Render(&scene->Device());
    scene->EndFrame();
    WritePng(screenshot, scene->pixels, scene->width, scene->height);
  }

  std::unique_ptr<OffscreenScene> scene;
};

}  // namespace

TEST_F(GlScreensTest, EggsAtTheChuteStartsSitOnTheDrawnLedges) {
  CTextureLayer hatchery("./res/hatchery.tga", 0, 1024, 768);
  std::vector<std::unique_ptr<CSpriteLayer>> eggs;
  std::vector<CAbstractLayer*> layers{&hatchery};
  for (const Start& start : kStarts) {
    auto egg = std::make_unique<CSpriteLayer>();
    ASSERT_EQ(egg->LoadSprite("./res/egg_strip.png", 0xFFFFFF), 1);
    egg->SetFrameSize(64, 64);
    egg->SetFrames({0});
    const float position[2] = {start.x, start.y};
    egg->SetPixelPosition(position);
    layers.push_back(egg.get());
    eggs.push_back(std::move(egg));
  }
  Draw(layers, "resources_game_screen.png");
  for (const Start& start : kStarts) {
    SCOPED_TRACE(start.y);
    const uint32_t x = static_cast<uint32_t>(start.x) + 32, bottom = static_cast<uint32_t>(start.y) + 64;
    // Egg white just above the cell's bottom edge, the ledge just below it.
    const uint32_t egg = scene->At(x, bottom - 8);
    EXPECT_GT(Channel(egg, 16), 0xD0u);
    EXPECT_GT(Channel(egg, 0), 0xC0u);
    EXPECT_FALSE(IsCamera(scene->At(x, bottom + 3)));
    EXPECT_FALSE(IsCamera(scene->At(x, bottom + 12)));
    // Beside the egg, towards the middle, the camera shows.
    const uint32_t inward = start.slideX > 0 ? x + 40 : x - 40;
    EXPECT_TRUE(IsCamera(scene->At(inward, bottom - 20)));
  }
}

TEST_F(GlScreensTest, DrawnLedgesRunUnderTheEggsAlongTheSlopes) {
  CTextureLayer hatchery("./res/hatchery.tga", 0, 1024, 768);
  Draw({&hatchery}, "resources_hatchery_screen.png");
  for (const Start& start : kStarts) {
    for (int step = 5; step <= 40; step += 5) {
      const float x = start.slopeX + step * start.slideX, y = start.y + step * start.slideY;
      const uint32_t column = static_cast<uint32_t>(x) + 32;
      uint32_t row = static_cast<uint32_t>(y) + 32;
      while (row < 767 && !IsCovered(scene->At(column, row))) ++row;
      // Within the antialiased edge and the filtering of the stretched quad.
      EXPECT_NEAR(row, y + 64, 3.0) << "egg at " << x << "," << y;
    }
  }
  // The middle of the window shows the camera untouched.
  for (uint32_t y = 60; y < 720; y += 7) {
    for (uint32_t x = 280; x < 744; x += 7) ASSERT_TRUE(IsCamera(scene->At(x, y))) << x << "," << y;
  }
}

TEST_F(GlScreensTest, ColourBlendedPicturesDarkenBehindTextAndLeaveTheRestAlone) {
  CTextureLayer intro("./res/egg_intro_en.png", 0x1100FF00, 1024, 768);
  intro.SetColorBlend(1);
  Draw({&intro}, "resources_intro_screen.png");
  // Grey 0x80 squared is 0x40 behind the dark panel; lettering is bright;
  // the upper right corner, where "Play" is, stays the camera.
  int darkened = 0, bright = 0;
  for (uint32_t y = 230; y < 730; y += 3) {
    for (uint32_t x = 50; x < 970; x += 3) {
      const uint32_t red = Channel(scene->At(x, y), 16);
      darkened += (red >= 0x3C && red <= 0x44) ? 1 : 0;
      bright += red > 0xE0 ? 1 : 0;
    }
  }
  EXPECT_GT(darkened, 30000);
  EXPECT_GT(bright, 1000);
  EXPECT_TRUE(IsCamera(scene->At(1000, 10)));
  EXPECT_TRUE(IsCamera(scene->At(1010, 750)));

  WideBackground banner("./res/bm_main.tga");
  Draw({&banner}, "resources_title_banner_screen.png");
  // The banner covers the top behind the captions and arrows, nothing below.
  for (uint32_t x = 40; x < 990; x += 10) {
    EXPECT_FALSE(IsCamera(scene->At(x, 60))) << x;
    EXPECT_TRUE(IsCamera(scene->At(x, 250))) << x;
    EXPECT_TRUE(IsCamera(scene->At(x, 700))) << x;
  }

  WideBackground blue("./res/bluebg.bmp");
  Draw({&blue}, "resources_scores_background_screen.png");
  // The whole window tinted blue.
  for (uint32_t y = 2; y < 768; y += 50) {
    for (uint32_t x = 2; x < 1024; x += 50) {
      const uint32_t pixel = scene->At(x, y);
      ASSERT_GT(Channel(pixel, 0), Channel(pixel, 16) + 0x10) << x << "," << y;
    }
  }
}
