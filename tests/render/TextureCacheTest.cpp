#include <gtest/gtest.h>

#include "layers/TextureLayer.h"
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

// One picture shown by several layers is one texture, counted, kept until
// purged, and shared whatever letter case or colour key it is asked with.
TEST_F(TextureCacheTest, OnePictureIsOneCountedTextureUntilPurged) {
  {
    CTextureLayer first(a.c_str(), 0, 3, 5);
    CTextureLayer second(a.c_str(), 0, 3, 5);
    EXPECT_EQ(device.texturesCreated, 1);
    EXPECT_EQ(CTexture::CachedRefCount(a), 2);
  }
  EXPECT_EQ(CTexture::CachedRefCount(a), 0);
  CTexture lower, upper, other;
  ASSERT_EQ(lower.Load(a, 0), 1);
  EXPECT_EQ(lower.Load(b, 0), 0);  // already holds a picture
  EXPECT_EQ(lower.Width(), 4u);
  EXPECT_EQ(lower.Height(), 8u);
  ASSERT_EQ(upper.Load(TempDir() + "/CACHE-A.PNG", 0xFF00FF00), 1);
  EXPECT_EQ(upper.GetTexture(), lower.GetTexture());
  EXPECT_EQ(device.texturesCreated, 1);
  // The shared texture keeps the first request's (absent) colour key.
  EXPECT_EQ(static_cast<RecordedTexture*>(upper.GetTexture())->Texel(0, 0), 0xFF00FF00u);
  ASSERT_EQ(other.Load(b, 0), 1);

  EXPECT_EQ(upper.Release(), 1);
  EXPECT_EQ(upper.Release(), 0);
  EXPECT_EQ(upper.GetTexture(), nullptr);
  EXPECT_EQ(CTexture::CachedRefCount(a), 1);
  other.Release();
  CTexture::PurgeUnreferenced();
  EXPECT_EQ(CTexture::CacheCount(), 1u);
  EXPECT_EQ(CTexture::CachedRefCount(b), -1);
  EXPECT_NE(lower.GetTexture(), nullptr);

  // Handles that outlive ReleaseAll hold nothing; a new load makes a new texture.
  CTexture::ReleaseAll();
  EXPECT_EQ(CTexture::CacheCount(), 0u);
  EXPECT_EQ(lower.GetTexture(), nullptr);
  EXPECT_EQ(lower.Release(), 1);
  CTexture fresh;
  ASSERT_EQ(fresh.Load(a, 0), 1);
  EXPECT_EQ(device.texturesCreated, 3);
}

TEST_F(TextureCacheTest, FailuresCacheNothing) {
  CTexture missing;
  EXPECT_EQ(missing.Load(TempPath("absent.png"), 0), 0);
  EXPECT_EQ(missing.IsLoaded(), 0);
  device.failTextureCreation = true;
  CTexture refused;
  EXPECT_EQ(refused.Load(a, 0), 0);
  EXPECT_EQ(CTexture::CacheCount(), 0u);
  device.failTextureCreation = false;
  d3dDevice = nullptr;
  CTexture noDevice;
  EXPECT_EQ(noDevice.Load(a, 0), 0);
  EXPECT_EQ(CTexture::CacheCount(), 0u);
}

}  // namespace
