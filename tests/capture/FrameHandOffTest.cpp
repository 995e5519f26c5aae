#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "capture/PixelConversion.h"
#include "capture/TextureRenderer.h"

namespace {

// An RGB24 frame, top row first, rows padded to a multiple of 4 bytes, every
// byte different enough that a misplaced one shows.
struct TestFrame {
  TestFrame(int32_t w, int32_t h) : width(w), height(h), pitch((3 * w + 3) & ~3), bytes(pitch * h, 0xEE) {
    for (int32_t y = 0; y < h; ++y)
      for (int32_t i = 0; i < 3 * w; ++i) bytes[y * pitch + i] = static_cast<uint8_t>(y * 31 + i * 7 + (i % 3) * 50);
  }
  // The texel of the pixel at (x, y), y counted from the top.
  uint32_t Expected(int32_t x, int32_t y) const {
    const uint8_t* p = &bytes[y * pitch + 3 * x];
    return 0xFF000000u | p[2] << 16 | p[1] << 8 | p[0];
  }
  void Render(CTextureRenderer& renderer) const { renderer.DoRenderSample(bytes.data(), width, height, pitch, 0); }

  int32_t width, height, pitch;
  std::vector<uint8_t> bytes;
};

}  // namespace

// Rows are converted four pixels at a time; every width must end exactly at
// the row's last pixel.
TEST(PixelConversion, EveryWidthConvertsEachPixelAndNothingPastTheRow) {
  for (const int32_t width : {1, 3, 4, 5, 8, 162}) {
    const TestFrame frame(width, 1);
    std::vector<uint32_t> texels(width + 1, 0x12345678u);
    ConvertBgrRow(frame.bytes.data(), texels.data(), width);
    for (int32_t x = 0; x < width; ++x) ASSERT_EQ(texels[x], frame.Expected(x, 0)) << width << ": x " << x;
    EXPECT_EQ(texels[width], 0x12345678u) << width;
  }
}

// The main thread takes the newest complete frame, bottom row first, once;
// a frame converted while it holds that picture leaves the picture alone.
TEST(TextureRenderer, MainThreadTakesTheNewestPictureBottomRowFirstOnce) {
  const TestFrame small(4, 2), frame(162, 5);
  CTextureRenderer renderer;
  EXPECT_EQ(renderer.TakeNewestPicture(), nullptr);
  small.Render(renderer);
  frame.Render(renderer);
  renderer.DoRenderSample(small.bytes.data(), 4, 2, 8, 0);  // rows too short: ignored
  const CameraPicture* picture = renderer.TakeNewestPicture();
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(std::pair(picture->width, picture->height), std::pair(162, 5));
  for (int32_t i = 0; i < 5 * 162; ++i) ASSERT_EQ(picture->texels[i], frame.Expected(i % 162, 4 - i / 162)) << i;
  EXPECT_EQ(renderer.TakeNewestPicture(), nullptr);
  const std::vector<uint32_t> held = picture->texels;
  small.Render(renderer);
  EXPECT_EQ(picture->texels, held);
  EXPECT_EQ(renderer.FrameCount(), 3u);
}

// The streaming thread publishes while the main thread takes: every picture
// the main thread holds is one whole frame and stays so while it is held.
TEST(TextureRenderer, PicturesAreNeverTornWhileFramesFlow) {
  CTextureRenderer renderer;
  std::atomic<bool> done{false};
  std::thread camera([&] {
    std::vector<uint8_t> bytes(3 * 4 * 4);
    for (uint8_t shade = 0; !done; ++shade) {
      std::fill(bytes.begin(), bytes.end(), shade);
      const int32_t width = shade % 2 ? 4 : 1;  // sizes change too
      renderer.DoRenderSample(bytes.data(), width, width, 3 * width, 0);
    }
  });
  int taken = 0, torn = 0;
  for (const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
       std::chrono::steady_clock::now() < end;) {
    const CameraPicture* picture = renderer.TakeNewestPicture();
    if (!picture) continue;
    ++taken;
    const std::vector<uint32_t> copy = picture->texels;  // a whole frame, and it stays as it was
    torn += copy.size() != static_cast<size_t>(picture->width * picture->height) ||
            std::any_of(copy.begin(), copy.end(), [&](uint32_t texel) { return texel != copy.front(); }) ||
            picture->texels != copy;
  }
  done = true;
  camera.join();
  EXPECT_GT(taken, 0);
  EXPECT_EQ(torn, 0) << "of " << taken;
}
