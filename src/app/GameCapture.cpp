#include "app/GameCapture.h"

#include "state/GameLoop.h"
#include "app/MyD3DApplication.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureNotice.h"

namespace {

CGameLoop* CurrentGameState() { return application != nullptr ? application->CurrentState() : nullptr; }

void ConnectEngineToStates() {
  captureEngine->SetStopHook([] {
    if (CGameLoop* state = CurrentGameState()) {
      state->StopMusic();
    }
  });
  captureEngine->SetLayerRemovalHook([](CAbstractLayer* layer) {
    if (CGameLoop* state = CurrentGameState()) {
      state->RemoveLayer(layer);
    }
  });
}

}  // namespace

CaptureHooks GameCaptureHooks(CMyD3DApplication& app, const CameraRequest& request, const ExtraCamera& extra) {
  ConnectEngineToStates();
  CaptureHooks hooks;
  hooks.chooseCamera = [&app, request, extra] {
    if (!captureEngine) {
      return false;
    }
    captureEngine->Init(app.Window());
    if (extra.source) {
      captureEngine->GetImageCapture()->AddExtraSource(extra.name, extra.source);
    }
    return ChooseCameraAtStartup(*captureEngine, request,
                                 [&app](CCameraChoice& choice) { return RunCameraDialog(app.Window(), choice); });
  };
  hooks.start = [](uint32_t width, uint32_t height) {
    if (!captureEngine) {
      return;
    }
    captureEngine->SetScreenRect(0, 0, static_cast<int32_t>(width), static_cast<int32_t>(height));
    captureEngine->Start();
  };
  hooks.update = [] {
    if (captureEngine) {
      captureEngine->Update();
    }
  };
  hooks.shutdown = [] {
    if (captureEngine) {
      captureEngine->Shutdown();
    }
  };
  hooks.noticeEventType = CaptureNoticeEventType();
  hooks.handleNotice = [] {
    if (captureEngine && captureEngine->IsCaptureInitialized()) {
      captureEngine->GetImageCapture()->HandleGraphEvents();
    }
  };
  return hooks;
}
