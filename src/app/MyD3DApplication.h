#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/D3DApplication.h"
#include "app/KeyMap.h"
#include "app/StateFactory.h"
#include "capture/StartupCameraChoice.h"
#include "state/StateSwitch.h"

class CAudioEngine;
class CCameraSource;
class CGameLoop;

// A camera the program makes itself (the demo's camera), listed after the
// others under `name`; a request for that name picks it.
struct ExtraCamera {
  std::string name;
  std::shared_ptr<CCameraSource> source;
};

// The game on the framework: one current game state, the frame cycle that
// runs it (logic every pass, layers at most every 40 ms), the scene set-up
// the layers rely on, the key commands and the state switch. Main thread.
class CMyD3DApplication : public CD3DApplication {
 public:
  // The pace of drawn frames: at most one every this many milliseconds.
  static constexpr uint32_t kFrameInterval = 40;
  // The longest an idle pass sleeps waiting for events, in milliseconds.
  static constexpr uint32_t kIdleWaitLimit = 1;

  // Registers itself as `application`.
  CMyD3DApplication();
  // Deletes the current state, the audio engine and every cached texture.
  ~CMyD3DApplication() override;

  // The camera (when one was set) and the first state, the title.
  // E_FAIL when the camera choice fails.
  Result InitGame();

  void ReleaseDevice() override;
  Result FrameStep() override;
  Result InitOnce() override;
  Result RestoreDeviceState() override;
  Result Animate() override;
  Result DrawScene() override;
  Result DestroyDeviceResources() override;
  Result FinalRelease() override;
  void HandleEvent(const SDL_Event& event) override;

  // Set before Create/InitGame by the entry point (or a test).
  void SetStateFactory(StateFactory factory) { stateFactory = std::move(factory); }
  // The camera the game starts with, through the one capture engine
  // (`captureEngine`, which must exist by then): chosen in InitGame (the
  // dialog when the request names none), started on the whole drawing area,
  // its picture uploaded every drawn frame, shut down before the device goes.
  // Without a camera the game runs on black.
  void SetCamera(CameraRequest request, ExtraCamera extra = ExtraCamera{});
  // How the camera dialog is shown; tests play it themselves.
  void SetCameraDialog(CameraDialogRunner runner) { cameraDialog = std::move(runner); }
  // The --homepage address; empty for the page shipped in res/web/.
  void SetHomepage(std::string url) { homepage = std::move(url); }
  // Ends the program after `frames` drawn frames, first writing the last one
  // to `screenshotFile` as PNG when that is not empty (exit code 1 when the
  // file cannot be written). 0 frames: no limit.
  void SetFrameLimit(uint32_t frames, std::string screenshotFile);

  CGameLoop* CurrentState() const { return currentState.get(); }
  StateKind CurrentKind() const { return currentKind; }
  uint32_t LastFrameTick() const { return lastFrameTick; }
  CAudioEngine* AudioEngine() const { return audioEngine.get(); }

 protected:
  uint32_t IdleWaitMilliseconds() const override;

 private:
  void SwitchState();
  void MakeState(const StateRequest& request);
  void ApplyKey(const KeyCommand& command);
  void CheckFrameLimit();
  bool ChooseCamera();
  bool CameraRunning() const;

  std::unique_ptr<CGameLoop> currentState;
  uint32_t lastFrameTick = 0;
  std::unique_ptr<CAudioEngine> audioEngine;

  StateKind currentKind = StateKind::Title;
  StateFactory stateFactory;  // CreateGameState unless a test gives its own
  bool cameraWanted = false;
  CameraRequest cameraRequest;
  ExtraCamera extraCamera;
  CameraDialogRunner cameraDialog;
  std::string homepage;
  uint32_t frameLimit = 0;
  std::string screenshotFile;
};

// The one application, while it exists.
extern CMyD3DApplication* application;
