#pragma once
#include <functional>
#include <string>

class CCaptureEngine;
class CCameraChoice;

// How the player asked for a camera on the command line.
struct CameraRequest {
  // "" shows the dialog; otherwise a device's name or its 0-based index in
  // the list, "test" (the built-in test camera) or "file:PATH" (a recording).
  std::string camera;
  // "" takes 320 x 240 when the camera has it, else the mode nearest to it
  // that keeps 25 frames a second; otherwise "WIDTHxHEIGHT".
  std::string mode;
  // Lists the test camera (last) even when `camera` does not ask for it.
  bool listTestCamera = false;
};

// Shows the camera dialog modally over the game window for `choice` (already
// opened) and returns when its outcome is no longer Open; true for OK.
using CameraDialogRunner = std::function<bool(CCameraChoice& choice)>;

// The start-up camera choice: lists the devices, lets the player (or the
// request) choose one, and selects its mode. Errors are shown as message
// boxes; false means the program must end. Main thread, after Init of `engine`.
bool ChooseCameraAtStartup(CCaptureEngine& engine, const CameraRequest& request, const CameraDialogRunner& runDialog);
