#pragma once

#include "motion/MotionRect.h"

// Where a player moves to hold the wheel screens' arrows and their wheel.
inline const ScreenRect kLeftArrowArea{20, 20, 240, 240};
inline const ScreenRect kRightArrowArea{780, 20, 1010, 240};
inline const ScreenRect kWheelArea{330, 20, 680, 230};
