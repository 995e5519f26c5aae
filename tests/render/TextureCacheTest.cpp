#include <gtest/gtest.h>

#include "render/Texture.h"
#include "support/RecordingDevice.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

class TextureCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d3dDevice = &device;
    ASSERT_TRUE(WritePng(a, Solid(3, 5, 0xFF00FF00), 3, 5));
    ASSERT_TRUE(WritePng(b, Solid(2, 2, 0xFFFF0000), 2, 2));
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    d3dDevice = nullptr;
  }
  RecordingDevice device;
  const std::string a = TempPath("cache-a.png"), b = TempPath("cache-b.png");
};

// One picture is one texture, counted, kept until
// purged, and shared whatever letter case or colour key it is asked with.
TEST_F(TextureCacheTest, OnePictureIsOneCountedTextureUntilPurged) {
  CTexture lower, upper, other;
  ASSERT_EQ(lower.Load(a, 0), 1);
  EXPECT_EQ(lower.Load(b, 0), 0);  // already holds a picture
  EXPECT_TRUE(lower.Width() == 4 && lower.Height() == 8);  // the power-of-two texture's size
  ASSERT_EQ(upper.Load(TempDir() + "/CACHE-A.PNG", 0xFF00FF00), 1);
  EXPECT_EQ(upper.GetTexture(), lower.GetTexture());
  EXPECT_EQ(device.texturesCreated, 1);
  // The shared texture keeps the first request's (absent) colour key.
  EXPECT_EQ(static_cast<RecordedTexture*>(upper.GetTexture())->Texel(0, 0), 0xFF00FF00u);
  ASSERT_EQ(other.Load(b, 0), 1);

  EXPECT_TRUE(upper.Release() == 1 && upper.Release() == 0 && upper.GetTexture() == nullptr);
  EXPECT_TRUE(CTexture::CachedRefCount(a) == 1 && CTexture::CachedRefCount(b) == 1);
  other.Release();
  CTexture::PurgeUnreferenced();
  EXPECT_EQ(CTexture::CacheCount(), 1u);
  EXPECT_EQ(CTexture::CachedRefCount(b), -1);
  EXPECT_NE(lower.GetTexture(), nullptr);

  // Handles that outlive ReleaseAll hold nothing; a new load makes a new texture.
  CTexture::ReleaseAll();
  EXPECT_TRUE(CTexture::CacheCount() == 0 && lower.GetTexture() == nullptr && lower.Release() == 1);
  CTexture fresh;
  ASSERT_EQ(fresh.Load(a, 0), 1);
  EXPECT_EQ(device.texturesCreated, 3);
}

TEST_F(TextureCacheTest, FailuresCacheNothing) {
  CTexture missing, refused, noDevice;
  EXPECT_TRUE(missing.Load(TempPath("absent.png"), 0) == 0 && missing.IsLoaded() == 0);
  device.failTextureCreation = true;
  EXPECT_EQ(refused.Load(a, 0), 0);
  d3dDevice = nullptr;
  EXPECT_EQ(noDevice.Load(b, 0), 0);
  EXPECT_EQ(CTexture::CacheCount(), 0u);
}

}  // namespace
