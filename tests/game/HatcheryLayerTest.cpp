#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "GameTest.h"
#include "game/HatcheryLayer.h"
#include "support/OffscreenScene.h"
#include "render/PictureLoader.h"
#include "render/PngWriter.h"
#include "layers/TextureLayer.h"

namespace {

struct UvRect {
  float u0, v0, u1, v1;
};

// The runs of the strip the layer drew: four vertices each, two between runs.
std::vector<UvRect> Runs(const RecordingDevice& device) {
  std::vector<UvRect> runs;
  if (device.strips.empty()) {
    return runs;
  }
  const std::vector<Vertex>& v = device.strips.back().vertices;
  for (size_t i = 0; i + 3 < v.size(); i += 6) {
    runs.push_back({v[i].u, v[i].v, v[i + 3].u, v[i + 3].v});
  }
  return runs;
}

// Every texel the alpha test would let through lies in a run; returns the
// share of the picture the runs cover.
double CheckCoverage(const std::string& file, const RecordingDevice& device) {
  Picture picture;
  EXPECT_TRUE(LoadPicture(file, 0, picture));
  const std::vector<UvRect> runs = Runs(device);
  EXPECT_FALSE(runs.empty());
  int missed = 0;
  for (uint32_t y = 0; y < picture.pictureHeight; ++y) {
    for (uint32_t x = 0; x < picture.pictureWidth; ++x) {
      if ((picture.texels[size_t(y) * picture.width + x] >> 24) <= 0x10) {
        continue;
      }
      const float u = (x + 0.5f) / picture.width, v = (y + 0.5f) / picture.height;
      missed += std::none_of(runs.begin(), runs.end(),
                             [&](const UvRect& r) { return u > r.u0 && u < r.u1 && v > r.v0 && v < r.v1; });
    }
  }
  EXPECT_EQ(missed, 0);
  double area = 0;
  for (const UvRect& r : runs) {
    area += (r.u1 - r.u0) * picture.width * (r.v1 - r.v0) * picture.height;
  }
  return area / (double(picture.pictureWidth) * picture.pictureHeight);
}

class HatcheryLayerTest : public GameTest {};

TEST_F(HatcheryLayerTest, DrawsEveryVisibleTexelAndLeavesTheClearMiddleOut) {
  CHatcheryLayer hatchery("./res/hatchery.tga");
  ASSERT_GT(hatchery.StripSize(), 0u);
  EXPECT_EQ(hatchery.Render(&device), 1);
  ASSERT_EQ(device.strips.size(), 1u);
  // The same world matrix as the picture drawn as one quad.
  CTextureLayer whole("./res/hatchery.tga", 0, 1024.0f, 768.0f);
  EXPECT_EQ(device.strips[0].world.m[0][0], whole.GetWorld().m[0][0]);
  EXPECT_EQ(device.strips[0].world.m[3][1], whole.GetWorld().m[3][1]);
  EXPECT_FALSE(device.strips[0].states.lighting);
  EXPECT_TRUE(device.states.lighting);
  EXPECT_EQ(device.texture, nullptr);
  const double covered = CheckCoverage("./res/hatchery.tga", device);
  EXPECT_LT(covered, 0.6);
}

TEST_F(HatcheryLayerTest, PictureNotCutIntoWholeSquaresKeepsItsEdges) {
  // 100 x 70: neither side a multiple of the square; visible texels only at
  // the right and bottom edges.
  std::vector<uint32_t> argb(100 * 70, 0);
  for (int y = 0; y < 70; ++y) {
    argb[size_t(y) * 100 + 99] = 0xFF802010;
  }
  for (int x = 0; x < 100; ++x) {
    argb[size_t(69) * 100 + x] = 0xFF102080;
  }
  ASSERT_TRUE(WritePng("edges.png", argb, 100, 70));
  CHatcheryLayer layer("edges.png");
  layer.Render(&device);
  CheckCoverage("edges.png", device);
}

TEST_F(HatcheryLayerTest, UnreadablePictureDrawsNothing) {
  CHatcheryLayer missing("./res/no_such_picture.tga");
  EXPECT_EQ(missing.StripSize(), 0u);
  EXPECT_EQ(missing.Render(&device), 0);
  EXPECT_TRUE(device.strips.empty());
}

// On OpenGL the cut picture gives the frame the whole quad gives.
TEST(HatcheryLayerGlTest, SameFrameAsTheWholeQuad) {
  CTexture::ReleaseAll();
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  std::vector<uint32_t> frames[2];
  {
    CTextureLayer whole("./res/hatchery.tga", 0, 1024.0f, 768.0f);
    CHatcheryLayer cut("./res/hatchery.tga");
    CAbstractLayer* layers[2] = {&whole, &cut};
    for (int i = 0; i < 2; ++i) {
      scene.BeginFrame(0xFF205080);
      layers[i]->Render(&scene.Device());
      scene.EndFrame();
      frames[i] = scene.pixels;
    }
  }
  ASSERT_EQ(frames[0].size(), frames[1].size());
  size_t differing = 0;
  int largest = 0;
  for (size_t i = 0; i < frames[0].size(); ++i) {
    if (frames[0][i] != frames[1][i]) {
      ++differing;
      for (int shift = 0; shift < 24; shift += 8) {
        largest = std::max(largest, std::abs(int((frames[0][i] >> shift) & 0xFF) - int((frames[1][i] >> shift) & 0xFF)));
      }
    }
  }
  // Only rounding in the last bit of a few texture lookups.
  EXPECT_LT(differing, frames[0].size() / 1500);
  EXPECT_LE(largest, 2);
}

}  // namespace
