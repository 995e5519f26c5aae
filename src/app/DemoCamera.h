#pragma once
#include "app/GameCapture.h"
#include "capture/SyntheticScene.h"

// The demo: the built-in test camera showing a player who chooses the game on
// the title by moving over the caption wheel, then "Play" on the
// introduction, then keeps moving from one basket zone to the next. The
// script runs in camera time from the moment the camera starts; it is long
// enough for a slow machine to finish each screen before the player moves on.
namespace demo {
constexpr const char* kCameraName = "Demo camera";
// Until this time the player moves over the title's caption wheel (which
// takes its hold time plus the fades); then over "Play", until kGameMs.
constexpr uint32_t kPlayMs = 20000;
constexpr uint32_t kGameMs = 35000;
}  // namespace demo

// The scene of the demo camera.
CSyntheticScene DemoScene();

// The demo camera, to be listed as an extra camera under demo::kCameraName.
ExtraCamera DemoCamera();
