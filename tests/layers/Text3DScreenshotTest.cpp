#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/OffscreenScene.h"
#include "layers/HUD.h"
#include "render/PngWriter.h"
#include "layers/Text3D.h"

namespace {

constexpr uint32_t kBackground = 0xFF404850;

uint32_t Channel(uint32_t argb, int shift) { return (argb >> shift) & 0xFF; }

// Pixels of the frame that are clearly of one hue: green (shift 8) or blue (0).
struct Extent {
  uint32_t count = 0, left = ~0u, right = 0, top = ~0u, bottom = 0;
};

Extent ExtentOf(const OffscreenScene& scene, int shift, uint32_t top, uint32_t bottom) {
  Extent e;
  for (uint32_t y = top; y < bottom; ++y) {
    for (uint32_t x = 0; x < scene.width; ++x) {
      const uint32_t c = scene.At(x, y);
      const uint32_t own = Channel(c, shift);
      if (own > Channel(c, 16) + 60 && own > Channel(c, shift == 8 ? 0 : 8) + 60) {
        ++e.count;
        e.left = std::min(e.left, x), e.right = std::max(e.right, x);
        e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
      }
    }
  }
  return e;
}

TEST(Text3DScreenshotTest, HudAndCaptionsDrawnWithOpenGl) {
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  CHUD hud("Levity");
  hud.SetValues(3, 1250, 17, 4);
  C3DText message("Levity", 8, 0.4f);
  ASSERT_EQ(message.SetText("Ready ?", 0), S_OK);
  ASSERT_EQ(message.SetText("Beware, spoiled egg !", 1), S_OK);
  message.SetPosition(300, 200);
  message.SetSpinAxis(1, 0, 0);

  // Upright captions stand in the middle of the drawn frame.
  for (uint32_t line : {0u, 1u}) {
    message.SetLine(line);
    message.CenterHorizontally();
    scene.BeginFrame(kBackground);
    message.Render(&scene.Device());
    scene.EndFrame();
    const Extent blue = ExtentOf(scene, 0, 0, scene.height);
    ASSERT_GT(blue.count, 500u);
    const float middle = (blue.left + blue.right) / 2.0f / scene.width;
    EXPECT_NEAR(middle, 0.5f, 0.03f) << "line " << line;
  }

  // The screen of the egg game at its start: the HUD and a turning message,
  // and the title's name in its own face for the look of the largest text.
  message.SetLine(0);
  message.CenterHorizontally();
  message.SetSpinSpeed(0.2f);
  for (int frame = 0; frame < 3; ++frame) {
    message.Update();
  }
  C3DText title("Flubber", 10, 0.4f);
  ASSERT_EQ(title.SetText("ZestBox", 0), S_OK);
  title.SetScale(1.4f);
  title.SetColor(0.5176471f, 1.0f, 0.3254902f, 0.6666667f);
  title.SetPosition(200, 420);
  scene.BeginFrame(kBackground);
  hud.Render(&scene.Device());
  message.Render(&scene.Device());
  title.Render(&scene.Device());
  scene.EndFrame();
  ASSERT_TRUE(WritePng("text3d_screenshot.png", scene.pixels, scene.width, scene.height));

  // Green labels and values along the top edge, across the whole width.
  const Extent green = ExtentOf(scene, 8, 0, scene.height / 10);
  EXPECT_GT(green.count, 2000u);
  EXPECT_LT(green.left, scene.width / 20);
  EXPECT_GT(green.right, scene.width * 9 / 10);
  EXPECT_GT(ExtentOf(scene, 0, scene.height / 10, scene.height / 2).count, 500u);
}

}  // namespace
