#include "layers/BitmapLayer.h"

int32_t CBitmapLayer::Load(const char* fileName, uint32_t colorKey) {
  texture = std::make_unique<CTexture>();
  return texture->Load(fileName != nullptr ? fileName : "", colorKey);
}
