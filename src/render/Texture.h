#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "render/RenderDevice.h"

// One picture file in the process-wide texture cache.
struct TextureCacheEntry {
  int32_t refCount = 0;                     // CTexture handles pointing here
  std::unique_ptr<RenderTexture> d3dTexture;  // null once ReleaseAll ran
  std::string key;                          // the file name, lower-cased
  uint32_t width = 0, height = 0;           // texture size in texels (powers of two)
};

// A counted handle on one cached picture. The cache is keyed by the lower-cased
// file name, so every layer that shows the same picture shares one texture
// (whatever colour key the later requests ask for). Textures are made with
// the process-wide `d3dDevice`. Frame thread only.
class CTexture {
 public:
  CTexture() = default;
  ~CTexture();
  CTexture(const CTexture&) = delete;
  CTexture& operator=(const CTexture&) = delete;

  // 1 when the handle now holds the picture (from the cache or freshly loaded
  // with `colorKey`, see LoadPicture); 0 when the handle was already loaded,
  // there is no device, or the file cannot be read (nothing is cached then).
  int32_t Load(const std::string& fileName, uint32_t colorKey);
  // Drops this handle's count; the texture stays cached. 1 if it was loaded.
  int32_t Release();

  // Frees every cached texture no handle counts any more (state destruction).
  static void PurgeUnreferenced();
  // Frees every cached texture whatever the counts (application shut-down).
  // Handles still held afterwards keep working but have no texture.
  static void ReleaseAll();
  // Number of entries in the cache.
  static size_t CacheCount();
  // The count of the entry for `fileName` (any letter case), -1 when not cached.
  static int32_t CachedRefCount(const std::string& fileName);

  int32_t IsLoaded() const { return loaded; }
  // The texture, or null while not loaded (or after ReleaseAll).
  RenderTexture* GetTexture() const;
  // Texture size in texels: the picture's size rounded up to powers of two.
  uint32_t Width() const;
  uint32_t Height() const;

 private:
  int32_t loaded = 0;
  std::shared_ptr<TextureCacheEntry> entry;
};
