#include <gtest/gtest.h>

#include <algorithm>

#include "layers/HUD.h"
#include "layers/Text3D.h"
#include "render/PngWriter.h"
#include "support/OffscreenScene.h"

// 3D text drawn by the OpenGL device in the game's own scene.
namespace {

constexpr uint32_t kBackground = 0xFF404850;

// Pixels in rows [top, bottom) clearly of one hue, green (shift 8) or blue (0):
// how many, and the leftmost and rightmost column.
struct Extent { uint32_t count = 0, left = ~0u, right = 0; };
Extent ExtentOf(const OffscreenScene& scene, int shift, uint32_t top, uint32_t bottom) {
  Extent e;
  const auto channel = [](uint32_t argb, int at) { return (argb >> at) & 0xFF; };
  for (uint32_t i = top * scene.width; i < bottom * scene.width; ++i) {
    const uint32_t c = scene.pixels[i], own = channel(c, shift), x = i % scene.width;
    if (own > channel(c, 16) + 60 && own > channel(c, shift == 8 ? 0 : 8) + 60)
      ++e.count, e.left = std::min(e.left, x), e.right = std::max(e.right, x);
  }
  return e;
}

// The game's centred captions (the egg game's messages at scale 1, the title
// wheel's captions at 0.7) stand in the middle of the drawn frame, above the
// egg game's HUD, green along the top edge across the whole width, and the
// title's name in its own face and colour (whatever alpha it was given) below.
TEST(Text3DScreenshotTest, CentredCaptionsStandInTheMiddleAboveTheHudAndTheTitle) {
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  CHUD hud("Levity");
  hud.SetValues(3, 1250, 17, 4);
  C3DText title("Flubber", 10, 0.4f);
  ASSERT_EQ(title.SetText("ZestBox", 0), S_OK);
  title.SetScale(1.4f);
  title.SetColor(0.5176471f, 1.0f, 0.3254902f, 0.6666667f);
  title.SetPosition(200, 420);
  const struct { const char* font; int32_t size; float depth, scale; std::vector<const char*> texts; } faces[] = {
      {"Levity", 8, 0.4f, 1, {"Ready ?", "Level 12", "Egg broken !!", "Beware, spoiled egg !", "That was close !"}},
      {"Flubber", 10, 0.3f, 0.7f, {"Play", "High scores", "Quit"}}};
  for (const auto& face : faces) {
    for (const char* caption : face.texts) {
      C3DText text(face.font, face.size, face.depth);
      ASSERT_EQ(text.SetText(caption, 0), S_OK);
      text.SetScale(face.scale);
      text.SetPosition(300, 200);
      text.CenterHorizontally();
      scene.BeginFrame(kBackground);
      for (CAbstractLayer* layer : std::initializer_list<CAbstractLayer*>{&hud, &title, &text}) layer->Render(&scene.Device());
      scene.EndFrame();
      const Extent blue = ExtentOf(scene, 0, 0, scene.height), green = ExtentOf(scene, 8, 0, scene.height / 10);
      ASSERT_GT(blue.count, 200u) << caption;
      EXPECT_NEAR((blue.left + blue.right) / 2.0f / scene.width, 0.5f, 0.03f) << face.font << ": " << caption;
      EXPECT_TRUE(green.count > 2000 && green.left < scene.width / 20 && green.right > scene.width * 9 / 10)
          << green.count << " from " << green.left << " to " << green.right;
      EXPECT_GT(ExtentOf(scene, 8, scene.height / 2, scene.height).count, 2000u);
    }
  }
  ASSERT_TRUE(WritePng("text3d_screenshot.png", scene.pixels, scene.width, scene.height));
}

}  // namespace
