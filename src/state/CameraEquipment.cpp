#include "state/CameraEquipment.h"

#include "capture/CaptureEngine.h"
#include "motion/MotionDetector.h"
#include "state/GameLoop.h"

namespace {
constexpr int32_t kStateThreshold = 30;
}

void AddCameraBackground(CGameLoop& state) {
  if (captureEngine != nullptr && captureEngine->GetVideoLayer() != nullptr) {
    state.AddLayer(captureEngine->GetVideoLayer());
  }
}

void InstallStateDetector(const std::shared_ptr<CMotionDetector>& detector) {
  if (captureEngine != nullptr) {
    captureEngine->SetMotionDetector(detector);
  }
  detector->SetThreshold(kStateThreshold);
}
