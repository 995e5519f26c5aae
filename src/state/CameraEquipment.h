#pragma once
#include <memory>

class CGameLoop;
class CMotionDetector;

// What every state takes from the capture engine when it starts.

// Adds the live camera layer as `state`'s next layer (the first, so the
// camera picture is the background), borrowed from the capture engine;
// nothing while no camera runs.
void AddCameraBackground(CGameLoop& state);

// Hands `detector` to the capture engine as the one that receives camera
// frames, with the threshold every screen uses. The engine keeps it.
void InstallStateDetector(const std::shared_ptr<CMotionDetector>& detector);
