#include <gtest/gtest.h>

#include "support/OffscreenScene.h"
#include "support/TestPictures.h"
#include "layers/FadeEffect.h"
#include "render/PictureLoader.h"
#include "layers/SpriteLayer.h"
#include "layers/TextureLayer.h"

using namespace testpictures;

namespace {

int Red(uint32_t p) { return int((p >> 16) & 0xFF); }
int Green(uint32_t p) { return int((p >> 8) & 0xFF); }
int Blue(uint32_t p) { return int(p & 0xFF); }

void ExpectColor(uint32_t actual, uint32_t expected, int tolerance, const char* where) {
  EXPECT_NEAR(Red(actual), Red(expected), tolerance) << where;
  EXPECT_NEAR(Green(actual), Green(expected), tolerance) << where;
  EXPECT_NEAR(Blue(actual), Blue(expected), tolerance) << where;
}

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kYellow = 0xFFFFFF00;
constexpr uint32_t kBlack = 0xFF000000;

class GlRenderDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scene.Ok()) << "no OpenGL context (SDL_VIDEODRIVER=offscreen?)"; }
  // A sprite of `argb` texels loaded from a fresh PNG.
  std::unique_ptr<CSpriteLayer> Sprite(const std::string& name, uint32_t w, uint32_t h,
                                       const std::vector<uint32_t>& argb) {
    EXPECT_TRUE(WritePng(TempPath(name), argb, w, h));
    auto sprite = std::make_unique<CSpriteLayer>();
    EXPECT_EQ(sprite->LoadSprite(TempPath(name).c_str(), 0), 1);
    return sprite;
  }
  OffscreenScene scene;
};

// What is drawn fills the 4:3 viewport, and Present keeps the frame for a screenshot.
TEST_F(GlRenderDeviceTest, FullScreenPictureFillsTheViewportAndStaysForTheScreenshot) {
  const uint32_t colors[4] = {kRed, kGreen, kBlue, kYellow};
  ASSERT_TRUE(WritePng(TempPath("quadrants.png"), Quadrants(1024, 768, colors), 1024, 768));
  CTextureLayer layer(TempPath("quadrants.png").c_str(), 0, 1024, 768);
  scene.BeginFrame();
  ASSERT_EQ(layer.Render(&scene.Device()), 1);
  scene.EndFrame();
  ASSERT_EQ(scene.width * 1000 + scene.height, 1000u * 1000 + 750);
  const struct { uint32_t x, y, color; } points[] = {
      {3, 2, kRed}, {996, 2, kGreen}, {3, 747, kBlue}, {996, 747, kYellow}, {496, 371, kRed}, {503, 378, kYellow}};
  for (const auto& p : points) ExpectColor(scene.At(p.x, p.y), p.color, 2, (std::to_string(p.x) + "," + std::to_string(p.y)).c_str());
  // The picture's own edges sit at the window's edges, within two pixels.
  int blackPixels = 0;
  for (uint32_t y = 2; y < 748; ++y)
    for (uint32_t x = 2; x < 998; ++x) blackPixels += scene.At(x, y) == kBlack;
  EXPECT_EQ(blackPixels, 0);

  EXPECT_TRUE(scene.Device().Present());
  std::vector<uint32_t> shot;
  uint32_t width = 0, height = 0;
  ASSERT_TRUE(scene.Device().ReadPixels(shot, width, height));
  EXPECT_EQ(shot, scene.pixels);
  ASSERT_TRUE(WritePng(TempPath("scene.png"), shot, width, height));
  Picture reread;
  ASSERT_TRUE(LoadPicture(TempPath("scene.png"), 0, reread));
  EXPECT_EQ(reread.pictureWidth, 1000u);
  EXPECT_EQ(reread.texels[749 * 1024 + 999], shot[749 * 1000 + 999]);
  EXPECT_EQ(reread.texels[100 * 1024 + 100], shot[100 * 1000 + 100]);
}

TEST_F(GlRenderDeviceTest, SpriteLandsAtItsScaledPosition) {
  auto sprite = Sprite("red32.png", 32, 32, Solid(32, 32, kRed));
  const float virtualPosition[2] = {512, 384};
  sprite->SetPosition(virtualPosition);  // pixel (500, 375)
  sprite->SetScale(2, 2);                // 64 virtual units: 62.5 x 62.5 pixels
  scene.BeginFrame();
  ASSERT_EQ(sprite->Render(&scene.Device()), 1);
  scene.EndFrame();
  ExpectColor(scene.At(500, 375), kRed, 0, "top-left pixel");
  ExpectColor(scene.At(561, 436), kRed, 0, "bottom-right pixel");
  for (const auto& [x, y] : {std::pair{499u, 400u}, {530u, 374u}, {563u, 400u}, {530u, 438u}})
    EXPECT_EQ(scene.At(x, y), kBlack) << x << "," << y;
}

TEST_F(GlRenderDeviceTest, TexelsWithAlpha0x10OrLessAreNotDrawn) {
  std::vector<uint32_t> texels = Solid(32, 16, 0x10FF0000);
  for (uint32_t i = 0; i < 32 * 16; ++i)
    if (i % 32 >= 16) texels[i] = 0x11FF0000;
  auto sprite = Sprite("alpha.png", 32, 16, texels);
  scene.BeginFrame(kBlue);
  sprite->Render(&scene.Device());
  scene.EndFrame();
  EXPECT_EQ(scene.At(6, 8), kBlue);
  // 0x11 of red over blue.
  ExpectColor(scene.At(26, 8), 0xFF1100EE, 1, "faint red");
}

TEST_F(GlRenderDeviceTest, ColourBlendedLayerAddsSquares) {
  const uint32_t base = 0xFF8040C0, over = 0xFF60A020;
  ASSERT_TRUE(WritePng(TempPath("base.png"), Solid(1024, 768, base), 1024, 768));
  ASSERT_TRUE(WritePng(TempPath("over.png"), Solid(1024, 768, over), 1024, 768));
  CTextureLayer back(TempPath("base.png").c_str(), 0, 1024, 768);
  CTextureLayer front(TempPath("over.png").c_str(), 0, 1024, 768);
  front.SetColorBlend(1);
  scene.BeginFrame();
  back.Render(&scene.Device());
  front.Render(&scene.Device());
  scene.EndFrame();
  auto square = [](int a, int b) { return std::min(255, (a * a + b * b + 127) / 255); };
  const uint32_t expected = 0xFF000000u | uint32_t(square(0x80, 0x60)) << 16 | uint32_t(square(0x40, 0xA0)) << 8 |
                            uint32_t(square(0xC0, 0x20));
  ExpectColor(scene.At(500, 375), expected, 2, "centre");
  // The layer put the blend factors back.
  EXPECT_EQ(scene.Device().GetStates().srcBlend, BlendFactor::SrcAlpha);
  EXPECT_TRUE(scene.Device().GetStates().lighting);
}

// A square mesh facing the camera at world z 0, where the 3D text sits.
std::unique_ptr<RenderMesh> FacingSquare(RenderDevice& device, float half) {
  const std::vector<MeshVertex> vertices = {
      {-half, half, 0, 0, 0, -1}, {half, half, 0, 0, 0, -1}, {-half, -half, 0, 0, 0, -1}, {half, -half, 0, 0, 0, -1}};
  return device.CreateMesh(vertices, {0, 1, 2, 2, 1, 3});
}

TEST_F(GlRenderDeviceTest, MeshesAreLitByTheDirectionalLightAndAmbient) {
  auto mesh = FacingSquare(scene.Device(), 1.0f);
  ASSERT_NE(mesh, nullptr);
  Material material;
  material.diffuse = {1, 0, 0, 1};
  material.ambient = {0, 0, 1, 1};
  scene.Device().SetMaterial(material);
  scene.BeginFrame();
  scene.Device().DrawMesh(*mesh);
  scene.EndFrame();
  // Light 0 meets the face at 45 degrees; light 1 is behind it; ambient is 0x80.
  ExpectColor(scene.At(500, 375), 0xFFB40080, 2, "lit face");
  EXPECT_EQ(scene.At(100, 100), kBlack);
}

TEST_F(GlRenderDeviceTest, DepthKeepsTextBeforeSpritesBeforeBackgroundAndFadeOverAll) {
  ASSERT_TRUE(WritePng(TempPath("green.png"), Solid(1024, 768, kGreen), 1024, 768));
  ASSERT_TRUE(WriteBmp24(TempPath("white16.bmp"), 16, 16, Solid(16, 16, 0xFFFFFFFF)));
  CTextureLayer background(TempPath("green.png").c_str(), 0, 1024, 768);
  auto sprite = Sprite("red64.png", 64, 64, Solid(64, 64, kRed));
  const float at[2] = {468, 343};
  sprite->SetPixelPosition(at);  // covers 468..531 x 343..406, around the centre
  auto mesh = FacingSquare(scene.Device(), 0.1f);
  Material material;
  material.diffuse = {0, 0, 1, 1};
  scene.Device().SetMaterial(material);

  scene.BeginFrame();
  scene.Device().DrawMesh(*mesh);  // drawn first, yet in front
  sprite->Render(&scene.Device());
  background.Render(&scene.Device());  // drawn last, yet behind
  scene.EndFrame();
  EXPECT_GT(Blue(scene.At(500, 375)), 150);
  EXPECT_EQ(Red(scene.At(500, 375)), 0);
  ExpectColor(scene.At(470, 345), kRed, 0, "sprite corner");
  ExpectColor(scene.At(100, 100), kGreen, 1, "background");

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

TEST(GlRenderDeviceViewport, LargestCentred4To3Area) {
  const struct { int windowWidth, windowHeight, x, y; uint32_t width, height; } rows[] = {
      {1200, 750, 100, 0, 1000, 750}, {1024, 900, 0, 66, 1024, 768}, {1000, 750, 0, 0, 1000, 750}};
  for (const auto& row : rows) {
    OffscreenScene scene(row.windowWidth, row.windowHeight);
    ASSERT_TRUE(scene.Ok());
    const Viewport v = scene.Device().GetViewport();
    EXPECT_EQ(v.x, row.x) << row.windowWidth << "x" << row.windowHeight;
    EXPECT_EQ(v.y, row.y) << row.windowWidth << "x" << row.windowHeight;
    EXPECT_EQ(v.width, row.width) << row.windowWidth << "x" << row.windowHeight;
    EXPECT_EQ(v.height, row.height) << row.windowWidth << "x" << row.windowHeight;
    scene.BeginFrame(kRed);
    scene.EndFrame();
    EXPECT_EQ(scene.width, row.width);
    EXPECT_EQ(scene.At(0, 0), kRed);
  }
}

}  // namespace
