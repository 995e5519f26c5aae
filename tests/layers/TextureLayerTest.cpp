#include <gtest/gtest.h>

#include "LayerTest.h"
#include "layers/TextureLayer.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// Where a picture lands and how its colour blends is checked on drawn pixels
// (the device's and the resources' screen tests); here, that the layer draws
// one unlit quad with its texture, even when hidden, and leaves the device's
// states and texture as they were; nothing at all without its picture.
TEST_F(LayerTest, TextureLayerDrawsOneUnlitQuadAndPutsTheStatesBack) {
  ASSERT_TRUE(WritePng(TempPath("back.png"), Solid(1024, 768, 0xFF204060), 1024, 768));
  CTextureLayer layer(TempPath("back.png").c_str(), 0, 1024, 768), missing(TempPath("not-there.png").c_str(), 0, 1024, 768);
  device.states.lighting = device.states.alphaBlend = true;
  const RenderStates before = device.states;
  layer.SetColorBlend(1);
  layer.SetVisible(0);
  EXPECT_EQ(missing.Render(&device), 0);
  ASSERT_TRUE(layer.Render(&device) == 1 && device.strips.size() == 1u);
  EXPECT_TRUE(device.strips[0].texture != nullptr && !device.strips[0].states.lighting);
  EXPECT_TRUE(device.states == before && device.texture == nullptr);
}

}  // namespace
