#include "capture/StartupCameraChoice.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <vector>

#include "base/DesktopServices.h"
#include "base/Texts.h"
#include "capture/CameraAccess.h"
#include "capture/CameraCaps.h"
#include "capture/CameraChoice.h"
#include "capture/CaptureEngine.h"
#include "capture/LaunchSource.h"
#include "capture/SyntheticCamera.h"

namespace {

constexpr const char* kNoCamera = Translatable("Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.");
constexpr const char* kNotChosen = Translatable("Nie wybrano kamery");
constexpr const char* kNoMode = Translatable("Bład inicjalizacji kamery (3)");
constexpr char kTestCameraName[] = "Test camera";
constexpr char kFilePrefix[] = "file:";

void ShowError(const std::string& text) { Desktop().ShowMessage("", text, MessageIcon::Error); }

// No camera was listed: a camera this user may not open is left out of the
// list, so say so rather than that there is none.
void ShowNoCamera() {
  const std::vector<std::string> refused = CamerasWithoutPermission("/dev");
  ShowError(refused.empty() ? std::string(Translate(kNoCamera)) : NoPermissionText(refused.front()));
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

void AddRequestedSources(CImageCapture& capture, const CameraRequest& request) {
  if (request.camera.rfind(kFilePrefix, 0) == 0)
    capture.AddExtraSource(request.camera, CLaunchSource::ForFile(request.camera.substr(sizeof kFilePrefix - 1)));
  if (request.listTestCamera || request.camera == "test")
    capture.AddExtraSource(kTestCameraName, std::make_shared<CSyntheticCamera>());
}

// The list index the request names: an index, an exact name, else the first
// name containing it (any letter case); -1 when nothing matches.
int32_t FindRequestedDevice(const CImageCapture& capture, const std::string& camera) {
  const std::string wanted = camera == "test" ? kTestCameraName : camera;
  const bool digits = !wanted.empty() && std::all_of(wanted.begin(), wanted.end(), ::isdigit);
  if (digits && wanted.size() < 9) {
    const int32_t index = std::stoi(wanted);
    return index < capture.GetDeviceCount() ? index : -1;
  }
  for (int32_t i = 0; i < capture.GetDeviceCount(); ++i)
    if (capture.GetDevice(i)->GetName() == wanted) return i;
  for (int32_t i = 0; i < capture.GetDeviceCount(); ++i)
    if (Lower(capture.GetDevice(i)->GetName()).find(Lower(wanted)) != std::string::npos) return i;
  return -1;
}

bool AttachRequestedDevice(CImageCapture& capture, const std::string& camera) {
  const int32_t index = FindRequestedDevice(capture, camera);
  if (index < 0) {
    std::fputs(FormatText(Translate("Zestbox: no camera matches \"%s\".\n"), {camera}).c_str(), stderr);
    ShowNoCamera();
    return false;
  }
  if (!capture.CreateFilters() || !capture.SetCaptureDevice(index) || !capture.EnumDeviceCaps()) {
    ShowError(capture.GetLastErrorText());
    return false;
  }
  return true;
}

// The mode "WIDTHxHEIGHT" asks for, null when it names none of the camera's.
CVideoMode* RequestedMode(const CImageCapture& capture, const std::string& mode) {
  int width = 0, height = 0;
  char end = 0;
  if (std::sscanf(mode.c_str(), "%dx%d%c", &width, &height, &end) != 2) return nullptr;
  return capture.FindVideoMode(width, height, 32);
}

// For a camera without 320 x 240: the mode nearest to it in pixel count among
// those that keep a smooth rate (or whose rate is not known), else among all.
CVideoMode* NearestSmoothMode(const CImageCapture& capture) {
  const auto distance = [](const CVideoMode* mode) { return std::abs(int64_t{mode->width} * mode->height - 320 * 240); };
  CVideoMode* nearest = nullptr;
  for (const bool smoothOnly : {true, false}) {
    for (int32_t i = 0; i < capture.GetModeCount(); ++i) {
      CVideoMode* mode = capture.GetMode(i);
      const bool smooth = mode->framesPerSecond <= 0 || mode->framesPerSecond >= kSmoothFrameRate;
      if ((smooth || !smoothOnly) && (!nearest || distance(mode) < distance(nearest))) nearest = mode;
    }
    if (nearest) break;
  }
  return nearest;
}

}  // namespace

bool ChooseCameraAtStartup(CCaptureEngine& engine, const CameraRequest& request, const CameraDialogRunner& runDialog) {
  CImageCapture& capture = *engine.GetImageCapture();
  AddRequestedSources(capture, request);
  if (!capture.EnumerateDevices()) {
    ShowNoCamera();
    return false;
  }
  if (request.camera.empty()) {
    CCameraChoice choice(engine);
    choice.Open();
    if (!runDialog || !runDialog(choice)) {
      ShowError(Translate(kNotChosen));
      return false;
    }
  } else if (!AttachRequestedDevice(capture, request.camera)) {
    return false;
  }
  CVideoMode* mode = request.mode.empty() ? nullptr : RequestedMode(capture, request.mode);
  if (!request.mode.empty() && !mode)
    std::fputs(FormatText(Translate("Zestbox: the camera has no mode \"%s\"; using its usual one.\n"), {request.mode})
                   .c_str(),
               stderr);
  if (!mode) mode = capture.FindVideoMode(320, 240, 32);
  if (!mode) mode = NearestSmoothMode(capture);
  if (!mode) {
    ShowError(Translate(kNoMode));
    return false;
  }
  capture.SetVideoMode(mode);
  return true;
}
