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
// virtual units. Each frame is also left as a PNG in the working directory
// for a person to look at.
namespace {

uint32_t Channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }
bool IsCamera(uint32_t pixel) {
  for (const int shift : {0, 8, 16})
    if (Channel(pixel, shift) < 0x7C || Channel(pixel, shift) > 0x84) return false;
  return true;
}

// The game screen: each egg at its chute's start shows egg white just above
// its cell's bottom edge, the drawn ledge just below it and, beside it
// towards the middle, the camera. The introduction, colour-blended, darkens
// the camera (grey 0x80 squared is 0x40) behind its dark panel, its lettering
// is bright, and the upper right corner, where "Play" is, stays the camera.
TEST(GlScreensTest, EggsSitOnTheDrawnLedgesAndTheIntroductionDarkensOnlyBehindItsText) {
  OffscreenScene scene{1024, 768};
  ASSERT_TRUE(scene.Ok() && scene.Device().GetViewport().width == 1024u);
  const auto draw = [&](const std::vector<CAbstractLayer*>& layers, const char* screenshot) {
    scene.BeginFrame(0xFF808080);
    for (CAbstractLayer* layer : layers) layer->Render(&scene.Device());
    scene.EndFrame();
    WritePng(screenshot, scene.pixels, scene.width, scene.height);
  };
  CTextureLayer hatchery("./res/hatchery.tga", 0, 1024, 768);
  CSpriteLayer eggs[4];
  std::vector<CAbstractLayer*> layers{&hatchery};
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(eggs[i].LoadSprite("./res/egg_strip.png", 0xFFFFFF), 1);
    eggs[i].SetFrameSize(64, 64);
    const float position[2] = {kRoutes[i].startX, kRoutes[i].startY};
    eggs[i].SetPixelPosition(position);
    layers.push_back(&eggs[i]);
  }
  draw(layers, "resources_game_screen.png");
  for (const EggRoute& start : kRoutes) {
    const uint32_t x = static_cast<uint32_t>(start.startX) + 32, bottom = static_cast<uint32_t>(start.startY) + 64;
    EXPECT_TRUE(Channel(scene.At(x, bottom - 8), 16) > 0xD0 && Channel(scene.At(x, bottom - 8), 0) > 0xC0 &&
                !IsCamera(scene.At(x, bottom + 3)) && !IsCamera(scene.At(x, bottom + 12)) &&
                IsCamera(scene.At(start.secondVelocityX > 0 ? x + 40 : x - 40, bottom - 20))) << start.startY;
  }

  CTextureLayer intro("./res/egg_intro_en.png", 0x1100FF00, 1024, 768);
  intro.SetColorBlend(1);
  draw({&intro}, "resources_intro_screen.png");
  int darkened = 0, bright = 0;
  for (uint32_t y = 230; y < 730; y += 3)
    for (uint32_t x = 50; x < 970; x += 3) {
      const uint32_t red = Channel(scene.At(x, y), 16);
      darkened += red >= 0x3C && red <= 0x44, bright += red > 0xE0;
    }
  EXPECT_TRUE(darkened > 30000 && bright > 1000) << darkened << " darkened, " << bright << " bright";
  EXPECT_TRUE(IsCamera(scene.At(1000, 10)) && IsCamera(scene.At(1010, 750)));
}

}  // namespace
