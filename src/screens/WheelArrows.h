#pragma once

#include <cstdint>

#include "menu/OptionsLayer.h"
#include "state/GameLoop.h"

// The "<" and ">" options in the top corners that turn a screen's wheel
// while movement is held over them; the title and the high-score screen
// share them.
constexpr int32_t kLeftArrow = 0;
constexpr int32_t kRightArrow = 1;

COptionsLayer* AddWheelArrows(CGameLoop& state, float captionScale);
