#include "capture/CameraChoice.h"

#include <memory>

#include "base/DesktopServices.h"
#include "base/Texts.h"
#include "capture/CaptureEngine.h"
#include "motion/MotionDetector.h"

CCameraChoice::CCameraChoice(CCaptureEngine& engine) : engine(engine) {}

void CCameraChoice::ShowError(const std::string& text) const { Desktop().ShowMessage("", text, MessageIcon::Error); }

void CCameraChoice::Open() {
  outcome = Outcome::Open;
  CImageCapture& capture = *engine.GetImageCapture();
  deviceItems.clear();
  deviceSelection = -1;
  if (!capture.EnumerateDevices()) {
    ShowError(capture.GetLastErrorText());
    return;
  }
  deviceItems.push_back(kPlaceholder);
  for (int32_t i = 0; i < capture.GetDeviceCount(); ++i) deviceItems.push_back(capture.GetDevice(i)->GetName());
  // With one camera there is nothing to choose: OK can be pressed at once.
  SelectDevice(capture.GetDeviceCount() == 1 ? 1 : 0);
}

void CCameraChoice::SelectDevice(int32_t item) {
  deviceSelection = item;
  if (item <= 0) return;
  CImageCapture& capture = *engine.GetImageCapture();
  const int32_t index = item - 1;
  if (!capture.CreateFilters() || !capture.SetCaptureDevice(index) || !capture.EnumDeviceCaps()) {
    ShowError(capture.GetLastErrorText());
    return;
  }
  modeItems.assign(1, kPlaceholder);
  for (int32_t i = 0; i < capture.GetModeCount(); ++i) modeItems.push_back(capture.GetMode(i)->Description());
  modeSelection = -1;
}

void CCameraChoice::SelectMode(int32_t item) {
  modeSelection = item;
  if (item <= 0) return;
  CImageCapture& capture = *engine.GetImageCapture();
  const int32_t index = item - 1;
  if (index >= capture.GetModeCount()) {
    ShowError(Translate("Invalid video mode !"));
    return;
  }
  capture.SetVideoMode(capture.GetMode(index));
  engine.SetMotionDetector(std::make_shared<CMotionDetector>());
}

void CCameraChoice::PressOk() {
  if (engine.GetImageCapture()->IsDeviceAttached())
    outcome = Outcome::Ok;
  else
    ShowError(Translate("Wybierz kamerę"));
}

void CCameraChoice::PressCancel() { outcome = Outcome::Cancel; }
