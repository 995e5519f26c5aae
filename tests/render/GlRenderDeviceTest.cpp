#include <gtest/gtest.h>

#include <cstdlib>

#include "support/OffscreenScene.h"
#include "support/TestPictures.h"
#include "layers/FadeEffect.h"
#include "layers/SpriteLayer.h"
#include "layers/TextureLayer.h"

using namespace testpictures;

namespace {

// Each colour channel within `tolerance`.
bool Near(uint32_t actual, uint32_t expected, int tolerance) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((actual >> shift) & 0xFF) - int((expected >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;

class GlRenderDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scene.Ok()) << "no OpenGL context (SDL_VIDEODRIVER=offscreen?)"; }
  // A sprite of `argb` texels, `w` a row, loaded from a fresh PNG.
  std::unique_ptr<CSpriteLayer> Sprite(const std::string& name, uint32_t w, const std::vector<uint32_t>& argb) {
    auto sprite = std::make_unique<CSpriteLayer>();
    const uint32_t h = static_cast<uint32_t>(argb.size()) / w;
    EXPECT_TRUE(WritePng(TempPath(name), argb, w, h) && sprite->LoadSprite(TempPath(name).c_str(), 0) == 1);
    return sprite;
  }
  OffscreenScene scene;
};

// The scene's lights on a mesh; depth over drawing order; a sprite at its
// scaled place, and its texels of alpha 0x10 or less not drawn.
TEST_F(GlRenderDeviceTest, MeshesAreLitAndDepthKeepsTextBeforeSpritesBeforeBackgroundAndFadeOverAll) {
  ASSERT_TRUE(WritePng(TempPath("green.png"), Solid(1024, 768, kGreen), 1024, 768) &&
              WriteBmp24(TempPath("white16.bmp"), 16, 16, Solid(16, 16, 0xFFFFFFFF)));
  CTextureLayer background(TempPath("green.png").c_str(), 0, 1024, 768);
  auto sprite = Sprite("red64.png", 64, Solid(64, 64, kRed)), scaled = Sprite("red32.png", 32, Solid(32, 32, kRed));
  const float at[2] = {468, 343}, virtualPosition[2] = {102.4f, 76.8f};
  sprite->SetPixelPosition(at);  // covers 468..531 x 343..406, around the centre
  scaled->SetPosition(virtualPosition);  // pixel (100, 75)
  scaled->SetScale(2, 2);                // 64 virtual units: 62.5 x 62.5 pixels
  std::vector<uint32_t> texels = Solid(32, 16, 0x10FF0000);
  for (uint32_t i = 0; i < 32 * 16; ++i)
    if (i % 32 >= 16) texels[i] = 0x11FF0000;
  auto faint = Sprite("alpha.png", 32, texels);
  // A square facing the camera at world z 0, where the 3D text sits.
  auto mesh = scene.Device().CreateMesh(
      {{-0.1f, 0.1f, 0, 0, 0, -1}, {0.1f, 0.1f, 0, 0, 0, -1}, {-0.1f, -0.1f, 0, 0, 0, -1}, {0.1f, -0.1f, 0, 0, 0, -1}},
      {0, 1, 2, 2, 1, 3});
  Material material;
  material.diffuse = {1, 0, 0, 1};
  material.ambient = {0, 0, 1, 1};
  scene.Device().SetMaterial(material);

  scene.BeginFrame(kBlue);
  scene.Device().DrawMesh(*mesh);  // drawn first, yet in front
  for (CSpriteLayer* each : {sprite.get(), scaled.get(), faint.get()}) EXPECT_EQ(each->Render(&scene.Device()), 1);
  background.Render(&scene.Device());  // drawn last, yet behind
  scene.EndFrame();
  // Light 0 meets the face at 45 degrees; light 1 is behind it; ambient is 0x80.
  EXPECT_PRED3(Near, scene.At(500, 375), 0xFFB40080, 2) << "lit face";
  // The centred sprite's corner, the scaled sprite's top-left and bottom-right pixels.
  for (const auto& [x, y] : {std::pair{470u, 345u}, {100u, 75u}, {161u, 136u}})
    EXPECT_PRED3(Near, scene.At(x, y), kRed, 0) << x << "," << y;
  for (const auto& [x, y] : {std::pair{99u, 100u}, {130u, 74u}, {163u, 100u}, {130u, 138u}, {6u, 8u}, {300u, 300u}})
    EXPECT_PRED3(Near, scene.At(x, y), kGreen, 1) << x << "," << y;
  EXPECT_PRED3(Near, scene.At(26, 8), 0xFF1100EE, 1) << "0x11 of red over the clear blue";

  CFadeEffect fade(TempPath("white16.bmp").c_str());
  fade.StartFadeIn();
  scene.BeginFrame();
  scene.Device().DrawMesh(*mesh);
  sprite->Render(&scene.Device());
  fade.Render(&scene.Device());
  scene.EndFrame();
  for (uint32_t y : {0u, 375u, 749u})
    for (uint32_t x : {0u, 500u, 999u}) EXPECT_EQ(scene.At(x, y), 0xFFFFFFFFu) << x << "," << y;
}

// Whatever the window, the picture fills the largest centred 4:3 area: its
// own corners sit within a few pixels of the area's, its middle in the middle.
TEST(GlRenderDeviceViewport, LargestCentred4To3Area) {
  const uint32_t colors[4] = {kRed, kGreen, kBlue, kYellow};
  ASSERT_TRUE(WritePng(TempPath("quadrants.png"), Quadrants(1024, 768, colors), 1024, 768));
  const struct { int windowWidth, windowHeight, x, y; uint32_t width, height; } rows[] = {
      {1200, 750, 100, 0, 1000, 750}, {1024, 900, 0, 66, 1024, 768}, {1000, 750, 0, 0, 1000, 750}};
  for (const auto& row : rows) {
    OffscreenScene scene(row.windowWidth, row.windowHeight);
    ASSERT_TRUE(scene.Ok());
    const Viewport v = scene.Device().GetViewport();
    EXPECT_EQ(std::tie(v.x, v.y, v.width, v.height), std::tie(row.x, row.y, row.width, row.height))
        << row.windowWidth << "x" << row.windowHeight;
    CTextureLayer layer(TempPath("quadrants.png").c_str(), 0, 1024, 768);
    scene.BeginFrame();
    ASSERT_EQ(layer.Render(&scene.Device()), 1);
    scene.EndFrame();
    const uint32_t w = scene.width - 1, h = scene.height - 1;
    const struct { uint32_t x, y, color; } points[] = {{3, 2, kRed},         {w - 3, 2, kGreen},           {3, h - 2, kBlue},
                                                       {w - 3, h - 2, kYellow}, {w / 2 - 3, h / 2 - 3, kRed}, {w / 2 + 4, h / 2 + 4, kYellow}};
    for (const auto& p : points) EXPECT_PRED3(Near, scene.At(p.x, p.y), p.color, 2) << p.x << "," << p.y;
  }
}

}  // namespace
