#include "demo/PersonCamera.h"

#include <utility>

#include "demo/PersonScene.h"

CPersonCamera::CPersonCamera(std::shared_ptr<const CPersonMotion> motion, bool lockstep)
    : CProgramCamera(std::make_shared<CPersonScene>(std::move(motion)), {{320, 240, 32}, {640, 480, 32}, {160, 120, 32}},
                     lockstep ? Pace::kLockstep : Pace::kFreeRunning) {}
