#pragma once
#include <memory>
#include <utility>
#include <vector>

#include "capture/ProgramCamera.h"
#include "capture/SyntheticScene.h"

// The built-in test camera: a free-running program-made camera showing its
// scene. Deterministic: frame n shows the scene at n / 30 seconds.
class CSyntheticCamera : public CProgramCamera {
 public:
  // Lists 640 x 480, 320 x 240 and 160 x 120 (32 bits each).
  explicit CSyntheticCamera(CSyntheticScene scene = CSyntheticScene::Default())
      : CSyntheticCamera(std::move(scene), {{640, 480, 32}, {320, 240, 32}, {160, 120, 32}}) {}
  // Lists exactly `modes`, in that order (even repeated or none at all).
  CSyntheticCamera(CSyntheticScene scene, std::vector<CVideoMode> modes)
      : CProgramCamera(std::make_shared<CSyntheticScene>(std::move(scene)), std::move(modes)) {}
};
