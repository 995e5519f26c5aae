#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/HatcheryLayer.h"
#include "layers/TextureLayer.h"
#include "render/PngWriter.h"
#include "support/OffscreenScene.h"
#include "support/RecordingDevice.h"

namespace {

// The hatchery is drawn only over the squares of its picture that hold
// visible texels; on OpenGL that must give the frame the whole quad gives,
// also for a picture not cut into whole squares and for one that is missing.
TEST(HatcheryLayerTest, CutPictureGivesTheFrameOfTheWholeQuad) {
  CTexture::ReleaseAll();
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  // 100 x 70, visible texels only at the right and bottom edges.
  std::vector<uint32_t> edges(100 * 70, 0);
  for (int y = 0; y < 70; ++y) edges[size_t(y) * 100 + 99] = 0xFF802010;
  std::fill(edges.end() - 100, edges.end(), 0xFF102080);
  ASSERT_TRUE(WritePng("edges.png", edges, 100, 70));
  const auto frame = [&scene](CAbstractLayer* layer) {
    scene.BeginFrame(0xFF205080);
    if (layer != nullptr) layer->Render(&scene.Device());
    scene.EndFrame();
    return scene.pixels;
  };
  const std::vector<uint32_t> empty = frame(nullptr);
  for (const auto& [file, drawn] :
       {std::pair{"./res/hatchery.tga", true}, {"edges.png", true}, {"./res/no_such_picture.tga", false}}) {
    SCOPED_TRACE(file);
    CTextureLayer whole(file, 0, 1024.0f, 768.0f);
    CHatcheryLayer cut(file);
    const std::vector<uint32_t> frames[2] = {frame(&whole), frame(&cut)};
    size_t differing = 0;
    int largest = 0;
    for (size_t i = 0; i < frames[0].size(); ++i) {
      differing += frames[0][i] != frames[1][i];
      for (int shift = 0; shift < 24; shift += 8)
        largest = std::max(largest, std::abs(int((frames[0][i] >> shift) & 0xFF) - int((frames[1][i] >> shift) & 0xFF)));
    }
    // Only rounding in the last bit of a few texture lookups.
    EXPECT_LT(differing, frames[0].size() / 1500);
    EXPECT_LE(largest, 2);
    EXPECT_EQ(frames[1] != empty, drawn);
    RecordingDevice recorded;
    cut.Render(&recorded);
    const size_t vertices = recorded.strips.empty() ? 0 : recorded.strips[0].vertices.size();
    EXPECT_EQ(vertices > 4, drawn) << "the visible squares, not the whole quad";
  }
}

}  // namespace
