#pragma once
#include <cstdint>

#include "layers/SpriteLayer.h"

// Covers the whole viewport with a white picture whose opacity steps by 8
// every more than 30 ms: fade-in from opaque to transparent, fade-out from
// transparent to opaque. Drawn at depth 0, in front of everything.
class CFadeEffect : public CSpriteLayer {
 public:
  static constexpr int32_t kFadingIn = 0;
  static constexpr int32_t kFadingOut = 1;
  static constexpr int32_t kIdle = 2;

  // Uses ./res/emptytexture.bmp (16 x 16 white).
  CFadeEffect();
  // Uses another 16 x 16 picture (tests).
  explicit CFadeEffect(const char* pictureFile);

  void StartFadeIn();
  void StartFadeOut();
  // kFadingIn, kFadingOut or kIdle; a leaving state switches when it reads kIdle.
  int32_t GetPhase() const { return phase; }

  void Update() override;
  int32_t Render(RenderDevice* device) override;

 protected:
  // Covers the new viewport as the constructor covers the first.
  void ScaleViewportPixels(float fx, float fy) override;

  int32_t phase = kIdle;

 private:
  void CoverViewport(uint32_t width, uint32_t height);
};
