#pragma once
#include <memory>
#include <string>

#include "app/CaptureHooks.h"
#include "capture/StartupCameraChoice.h"

class CCameraSource;
class CMyD3DApplication;

// A camera the program makes itself (the demo's camera),
// listed after the others under `name`; a request for that name picks it.
struct ExtraCamera {
  std::string name;
  std::shared_ptr<CCameraSource> source;
};

// The application's hooks filled with calls into the one capture engine
// (`captureEngine`, which must exist when the hooks are made; once it is
// gone the hooks do nothing, and choosing a camera fails): the
// engine is initialised with the main window and the start-up camera choice
// runs for `request` (the dialog when it names no camera); the camera starts
// on the whole drawing area; its picture is uploaded every drawn frame; its
// notices are answered; it shuts down before the device goes. Also lets the
// engine stop the current state's music and take its video layer out of the
// current state. Main thread.
CaptureHooks GameCaptureHooks(CMyD3DApplication& app, const CameraRequest& request,
                              const ExtraCamera& extra = ExtraCamera{});
