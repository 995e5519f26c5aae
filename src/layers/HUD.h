#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "layers/AbstractLayer.h"
#include "layers/Text3D.h"

// The egg game's status line: four labelled numbers (tries, level, score,
// eggs) along the top of the screen in green 3D text. Frame thread only.
class CHUD : public CAbstractLayer {
 public:
  // `fontName`: the game's name of the typeface for all eight texts.
  explicit CHUD(const char* fontName);
  ~CHUD() override;

  // Shows the four numbers in decimal.
  void SetValues(int32_t level, int32_t score, int32_t eggs, int32_t tries);
  void Update() override;
  // Draws the labels and the values shown so far; always 1.
  int32_t Render(RenderDevice* device) override;

 protected:
  int32_t tries = 0, level = 0, score = 0, eggs = 0;
  // Label and value of tries, level, score and eggs, in drawing order.
  std::array<std::unique_ptr<C3DText>, 8> texts;
};
