#include <gtest/gtest.h>

#include "LayerTest.h"
#include "layers/TextureLayer.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// Where a picture lands is checked on drawn pixels (the device's and the
// resources' screen tests); here, what the layer asks of the device: one
// unlit quad with its texture, colour-blended when asked, drawn even when
// hidden, the device's states and texture as they were afterwards; nothing
// at all without its picture.
TEST_F(LayerTest, TextureLayerDrawsOneUnlitQuadAndPutsTheStatesBack) {
  ASSERT_TRUE(WritePng(TempPath("back.png"), Solid(1024, 768, 0xFF204060), 1024, 768));
  CTextureLayer layer(TempPath("back.png").c_str(), 0, 1024, 768), missing(TempPath("not-there.png").c_str(), 0, 1024, 768);
  device.states.lighting = device.states.alphaBlend = true;
  const RenderStates before = device.states;
  for (const int blend : {0, 1}) {
    layer.SetColorBlend(blend);
    layer.SetVisible(blend);
    device.ClearRecords();
    EXPECT_EQ(missing.Render(&device), 0);
    ASSERT_EQ(layer.Render(&device), 1);
    ASSERT_EQ(device.strips.size(), 1u);
    const RecordingDevice::StripDraw& strip = device.strips[0];
    EXPECT_TRUE(strip.vertices.size() == 4 && strip.texture != nullptr && !strip.states.lighting);
    EXPECT_EQ(strip.states.srcBlend, blend ? BlendFactor::SrcColor : before.srcBlend) << blend;
    EXPECT_EQ(strip.states.destBlend, blend ? BlendFactor::DestColor : before.destBlend) << blend;
    EXPECT_TRUE(device.states == before && device.texture == nullptr) << blend;
  }
}

}  // namespace
