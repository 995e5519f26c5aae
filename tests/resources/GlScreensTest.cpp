#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/OffscreenScene.h"
#include "render/PngWriter.h"
#include "layers/SpriteLayer.h"
#include "layers/TextureLayer.h"
#include "ResourcePicture.h"

// The pictures drawn by the real OpenGL device the way the game draws them,
// over a flat grey "camera" picture, at 1024 x 768 so that pixels are
// virtual units. Each test also leaves its frame as a PNG in the working
// directory for a person to look at.

namespace {

constexpr uint32_t kCamera = 0xFF808080;

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
  void SetUp() override { ASSERT_TRUE(scene.Ok() && scene.Device().GetViewport().width == 1024u); }

  void Draw(const std::vector<CAbstractLayer*>& layers, const char* screenshot) {
    scene.BeginFrame(kCamera);
    for (CAbstractLayer* layer : layers) layer->Render(&scene.Device());
    scene.EndFrame();
    WritePng(screenshot, scene.pixels, scene.width, scene.height);
  }

  OffscreenScene scene{1024, 768};
};

}  // namespace

TEST_F(GlScreensTest, EggsAtTheChuteStartsSitOnTheDrawnLedges) {
  CTextureLayer hatchery("./res/hatchery.tga", 0, 1024, 768);
  CSpriteLayer eggs[4];
  std::vector<CAbstractLayer*> layers{&hatchery};
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(eggs[i].LoadSprite("./res/egg_strip.png", 0xFFFFFF), 1);
    eggs[i].SetFrameSize(64, 64);
    eggs[i].SetFrames({0});
    const float position[2] = {kRoutes[i].startX, kRoutes[i].startY};
    eggs[i].SetPixelPosition(position);
    layers.push_back(&eggs[i]);
  }
  Draw(layers, "resources_game_screen.png");
  for (const EggRoute& start : kRoutes) {
    SCOPED_TRACE(start.startY);
    const uint32_t x = static_cast<uint32_t>(start.startX) + 32, bottom = static_cast<uint32_t>(start.startY) + 64;
    // Egg white just above the cell's bottom edge, the ledge just below it.
    EXPECT_TRUE(Channel(scene.At(x, bottom - 8), 16) > 0xD0 && Channel(scene.At(x, bottom - 8), 0) > 0xC0);
    EXPECT_FALSE(IsCamera(scene.At(x, bottom + 3)) || IsCamera(scene.At(x, bottom + 12)));
    // Beside the egg, towards the middle, the camera shows.
    EXPECT_TRUE(IsCamera(scene.At(start.secondVelocityX > 0 ? x + 40 : x - 40, bottom - 20)));
  }
}

TEST_F(GlScreensTest, ColourBlendedPicturesDarkenBehindTextAndLeaveTheRestAlone) {
  CTextureLayer intro("./res/egg_intro_en.png", 0x1100FF00, 1024, 768);
  intro.SetColorBlend(1);
  Draw({&intro}, "resources_intro_screen.png");
  // Grey 0x80 squared is 0x40 behind the dark panel; lettering is bright;
  // the upper right corner, where "Play" is, stays the camera.
  int darkened = 0, bright = 0;
  for (uint32_t y = 230; y < 730; y += 3)
    for (uint32_t x = 50; x < 970; x += 3) {
      const uint32_t red = Channel(scene.At(x, y), 16);
      darkened += red >= 0x3C && red <= 0x44, bright += red > 0xE0;
    }
  EXPECT_TRUE(darkened > 30000 && bright > 1000) << darkened << " darkened, " << bright << " bright";
  EXPECT_TRUE(IsCamera(scene.At(1000, 10)) && IsCamera(scene.At(1010, 750)));

  WideBackground banner("./res/bm_main.tga");
  Draw({&banner}, "resources_title_banner_screen.png");
  // The banner covers the top behind the captions and arrows, nothing below.
  for (uint32_t x = 40; x < 990; x += 10)
    EXPECT_TRUE(!IsCamera(scene.At(x, 60)) && IsCamera(scene.At(x, 250)) && IsCamera(scene.At(x, 700))) << x;

  WideBackground blue("./res/bluebg.bmp");
  Draw({&blue}, "resources_scores_background_screen.png");
  // The whole window tinted blue.
  for (uint32_t y = 2; y < 768; y += 50)
    for (uint32_t x = 2; x < 1024; x += 50) ASSERT_GT(Channel(scene.At(x, y), 0), Channel(scene.At(x, y), 16) + 0x10) << x << "," << y;
}
