#include "render/Texture.h"

#include <algorithm>
#include <list>

#include "render/PictureLoader.h"

namespace {

// The process-wide cache, in load order. Used from the frame thread only.
std::list<std::shared_ptr<TextureCacheEntry>> cache;

constexpr size_t kMaxKeyLength = 260;

std::string MakeKey(const std::string& fileName) {
  std::string key = fileName.substr(0, kMaxKeyLength);
  std::transform(key.begin(), key.end(), key.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
  return key;
}

std::shared_ptr<TextureCacheEntry> Find(const std::string& key) {
  for (const auto& entry : cache) {
    if (entry->key == key) {
      return entry;
    }
  }
  return nullptr;
}

// Reads the file (as the caller wrote its name, any letter case on disk) into
// a new device texture; null on failure.
std::shared_ptr<TextureCacheEntry> CreateEntry(const std::string& fileName, const std::string& key,
                                               uint32_t colorKey) {
  if (d3dDevice == nullptr) {
    return nullptr;
  }
  Picture picture;
  if (!LoadPicture(fileName.substr(0, kMaxKeyLength), colorKey, picture)) {
    return nullptr;
  }
  auto entry = std::make_shared<TextureCacheEntry>();
  entry->d3dTexture = d3dDevice->CreateTexture(picture.width, picture.height, picture.texels.data());
  if (!entry->d3dTexture) {
    return nullptr;
  }
  entry->key = key;
  entry->width = entry->d3dTexture->Width();
  entry->height = entry->d3dTexture->Height();
  return entry;
}

}  // namespace

CTexture::~CTexture() { Release(); }

int32_t CTexture::Load(const std::string& fileName, uint32_t colorKey) {
  if (loaded) {
    return 0;
  }
  const std::string key = MakeKey(fileName);
  std::shared_ptr<TextureCacheEntry> found = Find(key);
  if (!found) {
    found = CreateEntry(fileName, key, colorKey);
    if (!found) {
      return 0;
    }
    cache.push_back(found);
  }
  ++found->refCount;
  entry = std::move(found);
  loaded = 1;
  return 1;
}

int32_t CTexture::Release() {
  if (!loaded) {
    return 0;
  }
  --entry->refCount;
  entry.reset();
  loaded = 0;
  return 1;
}

void CTexture::PurgeUnreferenced() {
  cache.remove_if([](const std::shared_ptr<TextureCacheEntry>& e) { return e->refCount < 1; });
}

void CTexture::ReleaseAll() {
  // Handles that outlive this keep their (now empty) entry alive, so they
  // cannot reach freed memory; they just have no texture any more.
  for (const auto& e : cache) {
    e->d3dTexture.reset();
  }
  cache.clear();
}

size_t CTexture::CacheCount() { return cache.size(); }

int32_t CTexture::CachedRefCount(const std::string& fileName) {
  const std::shared_ptr<TextureCacheEntry> found = Find(MakeKey(fileName));
  return found ? found->refCount : -1;
}

RenderTexture* CTexture::GetTexture() const { return entry ? entry->d3dTexture.get() : nullptr; }

uint32_t CTexture::Width() const { return entry ? entry->width : 0; }

uint32_t CTexture::Height() const { return entry ? entry->height : 0; }
