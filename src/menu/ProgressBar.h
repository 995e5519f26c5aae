#pragma once
#include <cstdint>
#include <memory>

#include "layers/AbstractLayer.h"
#include "layers/SpriteLayer.h"

// A 256 x 10 bar under an option caption: the whole empty bar with the filled
// part drawn over it from the left edge. Hidden after construction.
class CProgressBar : public CAbstractLayer {
 public:
  CProgressBar(const char* fillFile, uint32_t fillKey, const char* emptyFile, uint32_t emptyKey);

  void Update() override {}
  // Draws the empty bar, then the filled part; nothing while hidden. Returns 1.
  int32_t Render(RenderDevice* device) override;
  // Passed on to both parts.
  void SetViewportSize(uint32_t width, uint32_t height) override;

  // Filled fraction 0..1.
  void SetValue(float v);
  float GetValue() const { return value; }
  // Both parts' top-left corner in virtual 1024 x 768 units.
  void SetPosition(float x, float y);
  float GetPositionX() const { return empty->GetPositionX(); }
  float GetPositionY() const { return empty->GetPositionY(); }

 private:
  std::unique_ptr<CSpriteLayer> fill;
  std::unique_ptr<CSpriteLayer> empty;
  float value = 0.0f;
};
