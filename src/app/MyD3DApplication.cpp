#include "app/MyD3DApplication.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/Homepage.h"
#include "audio/AudioEngine.h"
#include "audio/MusicNotice.h"
#include "base/Clock.h"
#include "base/Debug.h"
#include "base/DesktopServices.h"
#include "base/Texts.h"
#include "base/VirtualKeys.h"
#include "capture/CameraDialog.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureNotice.h"
#include "render/PngWriter.h"
#include "render/SceneSetUp.h"
#include "render/Texture.h"
#include "state/GameLoop.h"

CMyD3DApplication* application = nullptr;

CMyD3DApplication::CMyD3DApplication() : stateFactory(CreateGameState) {
  application = this;
  windowTitle = "ZestBox";
  creationWidth = 1000;
  creationHeight = 750;
  usesDepthBuffer = true;
  showCursorWhenFullscreen = false;
}

CMyD3DApplication::~CMyD3DApplication() {
  currentState.reset();
  audioEngine.reset();
  CTexture::ReleaseAll();
  if (application == this) {
    application = nullptr;
  }
}

void CMyD3DApplication::SetFrameLimit(uint32_t frames, std::string file) {
  frameLimit = frames;
  screenshotFile = std::move(file);
}

Result CMyD3DApplication::InitOnce() {
  audioEngine = std::make_unique<CAudioEngine>();
  if (Failed(audioEngine->Initialize())) {
    return S_OK;  // the game runs silent
  }
  std::error_code error;
  const std::string directory = (std::filesystem::current_path(error) / "res" / "sounds").string();
  DebugOutput(directory.c_str());
  audioEngine->SetSearchDirectory(directory.c_str());
  return S_OK;
}

void CMyD3DApplication::SetCamera(CameraRequest request, ExtraCamera extra) {
  cameraWanted = true;
  cameraRequest = std::move(request);
  extraCamera = std::move(extra);
  if (!captureEngine) {
    return;
  }
  // The engine stops the state's music before the camera's graph goes, and
  // takes its video layer out of the state when the layer goes first.
  // Through `application`: the engine may outlive this application.
  captureEngine->SetStopHook([] {
    if (application != nullptr && application->CurrentState() != nullptr) {
      application->CurrentState()->StopMusic();
    }
  });
  captureEngine->SetLayerRemovalHook([](CAbstractLayer* layer) {
    if (application != nullptr && application->CurrentState() != nullptr) {
      application->CurrentState()->RemoveLayer(layer);
    }
  });
}

bool CMyD3DApplication::ChooseCamera() {
  if (!captureEngine) {
    return false;
  }
  captureEngine->Init(Window());
  if (extraCamera.source) {
    captureEngine->GetImageCapture()->AddExtraSource(extraCamera.name, extraCamera.source);
  }
  if (!cameraDialog) {
    cameraDialog = [this](CCameraChoice& choice) { return RunCameraDialog(Window(), choice); };
  }
  return ChooseCameraAtStartup(*captureEngine, cameraRequest, cameraDialog);
}

bool CMyD3DApplication::CameraRunning() const {
  return cameraWanted && captureEngine && captureEngine->IsCaptureInitialized();
}

Result CMyD3DApplication::InitGame() {
  if (cameraWanted && !ChooseCamera()) {
    return E_FAIL;
  }
  // The camera dialog showed the pointer in the game's window and took its
  // events, a change of size among them.
  ApplyCursorRules();
  AdaptToSizeChange();
  Pause(true);
  if (cameraWanted && captureEngine) {
    captureEngine->SetScreenRect(0, 0, static_cast<int32_t>(BackBufferWidth()), static_cast<int32_t>(BackBufferHeight()));
    captureEngine->Start();
  }
  MakeState(StateRequest{});
  Pause(false);
  return S_OK;
}

Result CMyD3DApplication::RestoreDeviceState() {
  SetUpScene(*Device(), BackBufferWidth(), BackBufferHeight());
  // The screen follows the new drawing area before anything is drawn in it.
  if (currentState) {
    currentState->SetViewportSize(BackBufferWidth(), BackBufferHeight());
  }
  return S_OK;
}

Result CMyD3DApplication::Animate() {
  Device()->SetTransform(TransformKind::World, MatrixIdentity());
  return S_OK;
}

Result CMyD3DApplication::DrawScene() {
  if (cameraWanted && captureEngine) {
    captureEngine->Update();
  }
  RenderDevice* device = Device();
  device->Clear(0x00000000, 1.0f);
  if (!device->BeginScene()) {
    return S_OK;
  }
  if (currentState) {
    currentState->RenderLayers();
  }
  device->EndScene();
  return S_OK;
}

Result CMyD3DApplication::FrameStep() {
  const uint32_t now = TickCount();
  if (now - lastFrameTick >= kFrameInterval) {
    // A window manager may resize the window later than its own events say
    // (taking it to full screen), and the camera dialog takes the events
    // while it is open.
    AdaptToSizeChange();
    if (currentState && currentState->IsFinished() != 0 && !IsQuitPosted()) {
      SwitchState();
    }
    if (currentState) {
      currentState->UpdateLayers();
    }
    const Result result = CD3DApplication::FrameStep();
    // Taken after the frame: the pause between frames is the interval plus
    // the frame's own duration.
    lastFrameTick = TickCount();
    if (Failed(result)) {
      return result;
    }
    CheckFrameLimit();
  }
  if (currentState) {
    currentState->Update();
  }
  return S_OK;
}

uint32_t CMyD3DApplication::IdleWaitMilliseconds() const {
  const uint32_t sinceFrame = TickCount() - lastFrameTick;
  if (sinceFrame >= kFrameInterval) {
    return 0;
  }
  return std::min(kIdleWaitLimit, kFrameInterval - sinceFrame);
}

void CMyD3DApplication::SwitchState() {
  const StateStep step = NextStateStep(currentKind, currentState->GetResult());
  if (step.deleteFinished) {
    currentState.reset();
  }
  switch (step.action) {
    case StateStep::Action::NewState:
      MakeState(step.next);
      break;
    case StateStep::Action::OpenHomepageAndQuit:
      Desktop().OpenUrl(HomepageUrl(homepage));
      PostQuit(0);
      break;
    case StateStep::Action::Quit:
      PostQuit(0);
      break;
  }
}

void CMyD3DApplication::MakeState(const StateRequest& request) {
  std::unique_ptr<CGameLoop> state = stateFactory ? stateFactory(request) : nullptr;
  if (!state) {
    return;
  }
  state->SetAudioEngine(audioEngine.get());
  state->Start();
  currentState = std::move(state);
  currentKind = request.kind;
  // The screens a run visits, in order, for whoever follows it (tests, the demo).
  DebugOutput((std::string("state: ") + StateName(request.kind) + "\n").c_str());
}

void CMyD3DApplication::CheckFrameLimit() {
  if (frameLimit == 0 || FramesPresented() < frameLimit) {
    return;
  }
  frameLimit = 0;
  int code = 0;
  if (!screenshotFile.empty()) {
    std::vector<uint32_t> pixels;
    uint32_t width = 0;
    uint32_t height = 0;
    if (!Device()->ReadPixels(pixels, width, height) || !WritePng(screenshotFile, pixels, width, height)) {
      std::fputs(FormatText(Translate("Could not write the screenshot %s\n"), {screenshotFile}).c_str(), stderr);
      code = 1;
    }
  }
  PostQuit(code);
}

void CMyD3DApplication::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    ApplyKey(TranslateKey(event.key.keysym.sym, event.key.keysym.mod));
  } else if (event.type != 0 && event.type == MusicNoticeEventType()) {
    if (currentState) {
      currentState->Music().HandleEvents();
    }
  } else if (event.type != 0 && event.type == CaptureNoticeEventType() && CameraRunning()) {
    captureEngine->GetImageCapture()->HandleGraphEvents();
  }
  CD3DApplication::HandleEvent(event);
}

void CMyD3DApplication::ApplyKey(const KeyCommand& command) {
  if (!currentState) {
    return;
  }
  switch (command.kind) {
    case KeyCommand::Kind::Leave:
      if (!currentState->IsFadingOut()) {
        currentState->Leave();
      }
      break;
    case KeyCommand::Kind::OnKey:
      currentState->OnKey(command.code);
      if (command.code == kVkReturn) {
        currentState->SetLastKey(kVkReturn);
      }
      break;
    case KeyCommand::Kind::LastKey:
      currentState->SetLastKey(command.code);
      break;
    case KeyCommand::Kind::Ignore:
      break;
  }
}

void CMyD3DApplication::ReleaseDevice() {
  if (cameraWanted && captureEngine) {
    captureEngine->Shutdown();
  }
  CD3DApplication::ReleaseDevice();
}

Result CMyD3DApplication::DestroyDeviceResources() {
  // Textures live in the device's GL context: everything drawn with them
  // goes before the device does.
  currentState.reset();
  CTexture::ReleaseAll();
  return S_OK;
}

Result CMyD3DApplication::FinalRelease() {
  audioEngine.reset();
  return S_OK;
}
