#include <gtest/gtest.h>

#include "support/TestPictures.h"
#include "render/Texture.h"
#include "layers/TextureLayer.h"
#include "support/RecordingDevice.h"

using namespace testpictures;

namespace {

class TextureCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d3dDevice = &device;
    ASSERT_TRUE(WritePng(TempPath("cache-a.png"), Solid(3, 5, 0xFF00FF00), 3, 5));
    ASSERT_TRUE(WritePng(TempPath("cache-b.png"), Solid(2, 2, 0xFFFF0000), 2, 2));
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    d3dDevice = nullptr;
  }
  RecordingDevice device;
};

TEST_F(TextureCacheTest, LayersShowingOnePictureShareOneCountedEntry) {
  {
    CTextureLayer first(TempPath("cache-a.png").c_str(), 0, 3, 5);
    CTextureLayer second(TempPath("cache-a.png").c_str(), 0, 3, 5);
    EXPECT_EQ(device.texturesCreated, 1);
    EXPECT_EQ(CTexture::CacheCount(), 1u);
    EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-a.png")), 2);
  }
  // The layers are gone; the texture stays until purged, and is reused meanwhile.
  EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-a.png")), 0);
  CTexture again;
  ASSERT_EQ(again.Load(TempPath("cache-a.png"), 0), 1);
  EXPECT_EQ(device.texturesCreated, 1);
  EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-a.png")), 1);
  again.Release();
  CTexture::PurgeUnreferenced();
  EXPECT_EQ(CTexture::CacheCount(), 0u);
  EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-a.png")), -1);
}

TEST_F(TextureCacheTest, KeyIgnoresLetterCaseAndColourKey) {
  CTexture lower, upper;
  ASSERT_EQ(lower.Load(TempPath("cache-a.png"), 0), 1);
  const std::string shouted = TempDir() + "/CACHE-A.PNG";
  ASSERT_EQ(upper.Load(shouted, 0xFF00FF00), 1);
  EXPECT_EQ(upper.GetTexture(), lower.GetTexture());
  EXPECT_EQ(CTexture::CachedRefCount(shouted), 2);
  // The shared texture keeps the first request's (absent) colour key.
  const auto* texels = static_cast<RecordedTexture*>(upper.GetTexture());
  EXPECT_EQ(texels->Texel(0, 0), 0xFF00FF00u);
}

TEST_F(TextureCacheTest, SizeIsThePowerOfTwoTextureSize) {
  CTexture texture;
  ASSERT_EQ(texture.Load(TempPath("cache-a.png"), 0), 1);
  EXPECT_EQ(texture.Width(), 4u);
  EXPECT_EQ(texture.Height(), 8u);
}

TEST_F(TextureCacheTest, LoadAndReleaseCountOnce) {
  CTexture texture;
  EXPECT_EQ(texture.Release(), 0);
  ASSERT_EQ(texture.Load(TempPath("cache-a.png"), 0), 1);
  EXPECT_EQ(texture.Load(TempPath("cache-b.png"), 0), 0);  // already loaded
  EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-a.png")), 1);
  EXPECT_EQ(CTexture::CacheCount(), 1u);
  EXPECT_EQ(texture.Release(), 1);
  EXPECT_EQ(texture.Release(), 0);
  EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-a.png")), 0);
  EXPECT_EQ(texture.GetTexture(), nullptr);
}

TEST_F(TextureCacheTest, PurgeKeepsCountedEntriesInOrder) {
  CTexture a, b;
  ASSERT_EQ(a.Load(TempPath("cache-a.png"), 0), 1);
  ASSERT_EQ(b.Load(TempPath("cache-b.png"), 0), 1);
  a.Release();
  CTexture::PurgeUnreferenced();
  EXPECT_EQ(CTexture::CacheCount(), 1u);
  EXPECT_EQ(CTexture::CachedRefCount(TempPath("cache-b.png")), 1);
  EXPECT_NE(b.GetTexture(), nullptr);
}

TEST_F(TextureCacheTest, FailuresCacheNothing) {
  CTexture missing;
  EXPECT_EQ(missing.Load(TempPath("absent.png"), 0), 0);
  EXPECT_EQ(missing.IsLoaded(), 0);
  device.failTextureCreation = true;
  CTexture refused;
  EXPECT_EQ(refused.Load(TempPath("cache-a.png"), 0), 0);
  EXPECT_EQ(CTexture::CacheCount(), 0u);
  device.failTextureCreation = false;
  d3dDevice = nullptr;
  CTexture noDevice;
  EXPECT_EQ(noDevice.Load(TempPath("cache-a.png"), 0), 0);
  EXPECT_EQ(CTexture::CacheCount(), 0u);
}

TEST_F(TextureCacheTest, HandlesOutlivingReleaseAllAreHarmless) {
  auto texture = std::make_unique<CTexture>();
  ASSERT_EQ(texture->Load(TempPath("cache-a.png"), 0), 1);
  CTexture::ReleaseAll();
  EXPECT_EQ(CTexture::CacheCount(), 0u);
  EXPECT_EQ(texture->GetTexture(), nullptr);
  EXPECT_EQ(texture->Release(), 1);
  texture.reset();
  // A new load makes a fresh entry.
  CTexture fresh;
  ASSERT_EQ(fresh.Load(TempPath("cache-a.png"), 0), 1);
  EXPECT_EQ(device.texturesCreated, 2);
}

}  // namespace
