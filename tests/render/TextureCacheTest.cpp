#include <gtest/gtest.h>

#include "render/Texture.h"
#include "support/RecordingDevice.h"
#include "support/TestPictures.h"

using namespace testpictures;

namespace {

// One picture is one texture, counted, kept until purged, and shared
// whatever letter case or colour key it is asked with; handles that outlive
// ReleaseAll hold nothing. A picture that fails to load or to become a
// texture, or has no device to go to, is not cached.
TEST(TextureCacheTest, OnePictureIsOneCountedTextureUntilPurgedAndFailuresCacheNothing) {
  RecordingDevice device;
  d3dDevice = &device;
  const std::string a = TempPath("cache-a.png"), b = TempPath("cache-b.png");
  ASSERT_TRUE(WritePng(a, Solid(3, 5, 0xFF00FF00), 3, 5) && WritePng(b, Solid(2, 2, 0xFFFF0000), 2, 2));
  CTexture missing, refused, noDevice, lower, upper, other, fresh;
  EXPECT_TRUE(missing.Load(TempPath("absent.png"), 0) == 0 && missing.IsLoaded() == 0);
  device.failTextureCreation = true;
  EXPECT_EQ(refused.Load(a, 0), 0);
  device.failTextureCreation = false;
  EXPECT_EQ(CTexture::CacheCount(), 0u);

  ASSERT_EQ(lower.Load(a, 0), 1);
  // It already holds a picture; its size is the power-of-two texture's.
  EXPECT_TRUE(lower.Load(b, 0) == 0 && lower.Width() == 4 && lower.Height() == 8);
  ASSERT_EQ(upper.Load(TempDir() + "/CACHE-A.PNG", 0xFF00FF00), 1);
  // Shared, with the first request's (absent) colour key.
  EXPECT_TRUE(upper.GetTexture() == lower.GetTexture() && device.texturesCreated == 1);
  EXPECT_EQ(static_cast<RecordedTexture*>(upper.GetTexture())->Texel(0, 0), 0xFF00FF00u);
  ASSERT_EQ(other.Load(b, 0), 1);
  EXPECT_TRUE(upper.Release() == 1 && upper.Release() == 0 && upper.GetTexture() == nullptr);
  EXPECT_TRUE(CTexture::CachedRefCount(a) == 1 && CTexture::CachedRefCount(b) == 1);
  other.Release();
  CTexture::PurgeUnreferenced();
  EXPECT_TRUE(CTexture::CacheCount() == 1 && CTexture::CachedRefCount(b) == -1 && lower.GetTexture() != nullptr);
  CTexture::ReleaseAll();
  EXPECT_TRUE(CTexture::CacheCount() == 0 && lower.GetTexture() == nullptr && lower.Release() == 1);
  EXPECT_TRUE(fresh.Load(a, 0) == 1 && device.texturesCreated == 3);  // a new texture
  CTexture::ReleaseAll(), d3dDevice = nullptr;
  EXPECT_TRUE(noDevice.Load(b, 0) == 0 && CTexture::CacheCount() == 0);
}

}  // namespace
