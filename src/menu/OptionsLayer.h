#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "layers/Text3D.h"
#include "layers/TextureLayer.h"
#include "menu/Option.h"

// A panel of free-standing options, each with its own sensitive rectangle,
// over an optional background picture spanning the window's width, with an
// optional title line. Owners poll GetChosen (an option held until chosen) or
// GetHeld (an option held briefly, for quick controls such as arrows) once a
// frame after the layers' Update.
class COptionsLayer : public CTextureLayer {
 public:
  // `fontName` for captions and title (null or empty: the default face);
  // `backgroundFile` may be null.
  COptionsLayer(const char* fontName, const char* backgroundFile);

  // The evaluation over every option while visible and motion is enabled.
  void Update() override;
  // Background (colour-blended), title, options; nothing while hidden.
  int32_t Render(RenderDevice* device) override;
  // Passed on to every option.
  void SetViewportSize(uint32_t width, uint32_t height) override;

  // A caption at (x, y) and the sensitive rectangle, in virtual units.
  COption* AddOption(const char* text, float x, float y, int32_t left, int32_t top, int32_t right, int32_t bottom,
                     const float normal[4], const float highlight[4], int32_t value, int32_t selectable,
                     int32_t showProgress);
  void SetTitle(const char* text, float x, float y, const float color[4]);

  // The value of the first option held (activated) for more than
  // heldThresholdMs, or -1.
  int32_t GetHeld() const;
  int32_t GetChosen() const { return chosenValue; }
  COption* GetOption(size_t index) const { return options.at(index).get(); }

  // While set, movement is ignored and the options are not updated.
  int32_t motionDisabled = 0;

 private:
  int32_t heldThresholdMs = 300;
  int32_t optionTextSize = 8;
  int32_t titleTextSize = 8;
  int32_t chosenValue = -1;
  std::vector<std::unique_ptr<COption>> options;
  std::string fontName;
  std::unique_ptr<C3DText> title;
};
