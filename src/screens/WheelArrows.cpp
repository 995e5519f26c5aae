#include "screens/WheelArrows.h"

#include <memory>

#include "menu/MenuColors.h"

namespace {
constexpr float kArrowDurationMs = 3000.0f;
}  // namespace

COptionsLayer* AddWheelArrows(CGameLoop& state, float captionScale) {
  auto* arrows = state.AddLayer(std::make_unique<COptionsLayer>("Comic sans MS", "./res/bm_main.tga"));
  COption* left = arrows->AddOption("<", 110.0f, 40.0f, 0, 0, 250, 250, kMenuNormal, kMenuHighlight, kLeftArrow, 0, 0);
  COption* right =
      arrows->AddOption(">", 870.0f, 40.0f, 750, 0, 1024, 250, kMenuNormal, kMenuHighlight, kRightArrow, 0, 0);
  for (COption* arrow : {left, right}) {
    arrow->GetCaption()->SetScale(captionScale);
    arrow->SetDuration(kArrowDurationMs);
  }
  arrows->SetVisible(1);
  return arrows;
}
