#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "capture/PixelConversion.h"
#include "capture/TextureRenderer.h"

namespace {

// An RGB24 frame, top row first, rows padded to a multiple of 4 bytes, every
// byte different enough that a misplaced one shows.
struct TestFrame {
  int32_t width, height, pitch;
  std::vector<uint8_t> bytes;
  TestFrame(int32_t w, int32_t h) : width(w), height(h), pitch((3 * w + 3) & ~3), bytes(pitch * h, 0xEE) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t i = 0; i < 3 * w; ++i) bytes[y * pitch + i] = static_cast<uint8_t>(y * 31 + i * 7 + (i % 3) * 50);
  }
  uint32_t Expected(int32_t x, int32_t y) const {
    const uint8_t* p = &bytes[y * pitch + 3 * x];
    return 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
  }
};

}  // namespace

TEST(PixelConversion, WidthNotAMultipleOfFourFinishesPixelByPixel) {
  const TestFrame frame(162, 1);
  EXPECT_EQ(frame.pitch, 488);
  std::vector<uint32_t> texels(163, 0x12345678u);
  ConvertBgrRow(frame.bytes.data(), texels.data(), 162);
  for (int32_t x = 0; x < 162; ++x) ASSERT_EQ(texels[x], frame.Expected(x, 0)) << "x " << x;
  EXPECT_EQ(texels[162], 0x12345678u);  // nothing written past the row
}

TEST(PixelConversion, FourPixelStepEqualsThePerPixelRule) {
  const uint8_t bgr[12] = {0x01, 0x02, 0x03, 0x10, 0x20, 0x30, 0xFF, 0x80, 0x00, 0xAB, 0xCD, 0xEF};
  uint32_t texels[4] = {};
  ConvertBgrRow(bgr, texels, 4);
  EXPECT_EQ(texels[0], 0xFF030201u);
  EXPECT_EQ(texels[1], 0xFF302010u);
  EXPECT_EQ(texels[2], 0xFF0080FFu);
  EXPECT_EQ(texels[3], 0xFFEFCDABu);
}

TEST(TextureRenderer, PictureIsStoredBottomRowFirst) {
  const TestFrame frame(162, 5);
  CTextureRenderer renderer;
  EXPECT_EQ(renderer.TakeNewestPicture(), nullptr);
  renderer.DoRenderSample(frame.bytes.data(), frame.width, frame.height, frame.pitch, 0);
  const CameraPicture* picture = renderer.TakeNewestPicture();
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(picture->width, 162);
  ASSERT_EQ(picture->height, 5);
  for (int32_t row = 0; row < 5; ++row)
    for (int32_t x = 0; x < 162; ++x)
      ASSERT_EQ(picture->texels[row * 162 + x], frame.Expected(x, 4 - row)) << x << "," << row;
  EXPECT_EQ(renderer.TakeNewestPicture(), nullptr);  // taken once only
  EXPECT_EQ(renderer.LastLatencyMicros(), -1);
}

TEST(TextureRenderer, MainThreadGetsTheNewestOfSeveralFrames) {
  CTextureRenderer renderer;
  const TestFrame small(4, 2), large(8, 6);
  renderer.DoRenderSample(small.bytes.data(), 4, 2, small.pitch, 0);
  renderer.DoRenderSample(large.bytes.data(), 8, 6, large.pitch, 0);
  const CameraPicture* picture = renderer.TakeNewestPicture();
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width, 8);
  EXPECT_EQ(picture->texels[0], large.Expected(0, 5));
  // A frame converted while the main thread holds its picture leaves that
  // picture untouched.
  const std::vector<uint32_t> held = picture->texels;
  renderer.DoRenderSample(small.bytes.data(), 4, 2, small.pitch, 0);
  EXPECT_EQ(picture->texels, held);
  EXPECT_EQ(renderer.FrameCount(), 3u);
}

TEST(TextureRenderer, FrameWithTooShortRowsIsIgnored) {
  CTextureRenderer renderer;
  const TestFrame frame(8, 2);
  renderer.DoRenderSample(frame.bytes.data(), 8, 2, 20, 0);
  EXPECT_EQ(renderer.TakeNewestPicture(), nullptr);
}
