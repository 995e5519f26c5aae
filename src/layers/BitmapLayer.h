#pragma once
#include <cstdint>
#include <memory>

#include "layers/AbstractLayer.h"
#include "render/Texture.h"

// A layer that owns one picture through the texture cache.
class CBitmapLayer : public CAbstractLayer {
 public:
  // Gives the layer a new texture handle (dropping any earlier one) and loads
  // `fileName` into it. 1 loaded, 0 failed (the layer then has no picture).
  virtual int32_t Load(const char* fileName, uint32_t colorKey);

 protected:
  // Null until Load.
  std::unique_ptr<CTexture> texture;
};
