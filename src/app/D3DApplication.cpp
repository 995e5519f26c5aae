#include "app/D3DApplication.h"

#include <SDL.h>

#include <string>

#include "base/Debug.h"
#include "base/DesktopServices.h"
#include "base/Texts.h"
#include "render/GlRenderDevice.h"
#include "render/PictureLoader.h"

namespace {
constexpr const char* kIconFile = "./res/zestbox.png";
constexpr const char* kNoDisplay = Translatable(
    "No display was found: the game would run where nobody can see it.\n"
    "Start Zestbox from a desktop session (DISPLAY or WAYLAND_DISPLAY set).\n"
    "To draw offscreen on purpose, set SDL_VIDEODRIVER=offscreen or use\n"
    "--screenshot FILE --frames N.");

// SDL falls back to drawing offscreen (or nowhere) when it finds no display;
// asked for by name, those drivers are what the user wants.
bool FellBackToNoDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const bool headless = driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
  return headless && (asked == nullptr || asked[0] == '\0');
}
}  // namespace

CD3DApplication::CD3DApplication() { Pause(true); }

CD3DApplication::~CD3DApplication() {
  if (d3dDevice == device.get()) {
    d3dDevice = nullptr;
  }
  device.reset();
  DestroyWindow();
  if (videoInitialized) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
}

Result CD3DApplication::Create() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    DebugOutput(SDL_GetError());
    return ShowError(kErrorNoGraphics, ErrorKind::Fatal);
  }
  videoInitialized = true;
  if (!offscreenAllowed && FellBackToNoDisplay()) {
    fatalErrorShown = true;
    Desktop().ShowMessage(windowTitle, Translate(kNoDisplay), MessageIcon::Error);
    return kErrorNoGraphics;
  }
  const Result result = CreateWindowAndDevice();
  if (Failed(result)) {
    return ShowError(result, ErrorKind::Fatal);
  }
  return S_OK;
}

Result CD3DApplication::CreateWindowAndDevice() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, usesDepthBuffer ? 24 : 0);
  window.reset(SDL_CreateWindow(windowTitle.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                static_cast<int>(creationWidth), static_cast<int>(creationHeight),
                                SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE));
  if (!window) {
    DebugOutput(SDL_GetError());
    return kErrorNoCompatibleDevices;
  }
  SetMessageOwner(window.get());
  SetWindowIcon();
  clock.Start();
  InitOnce();
  device = GlRenderDevice::Create(window.get());
  if (!device) {
    return kErrorNoGraphics;
  }
  const Result result = InitDevice();
  if (Failed(result)) {
    return result;
  }
  Pause(false);
  return S_OK;
}

Result CD3DApplication::CreateOnDevice(std::unique_ptr<RenderDevice> readyDevice) {
  clock.Start();
  InitOnce();
  device = std::move(readyDevice);
  if (!device) {
    return E_POINTER;
  }
  const Result result = InitDevice();
  if (Failed(result)) {
    return result;
  }
  Pause(false);
  return S_OK;
}

Result CD3DApplication::InitDevice() {
  d3dDevice = device.get();
  FetchBackBufferSize();
  ApplyCursorRules();
  Result result = CreateDeviceResources();
  if (Failed(result)) {
    return result;
  }
  deviceObjectsInited = true;
  result = RestoreDeviceState();
  if (Failed(result)) {
    return result;
  }
  deviceObjectsRestored = true;
  return S_OK;
}

void CD3DApplication::SetWindowIcon() {
  Picture icon;
  if (!LoadPicture(kIconFile, 0, icon)) {
    return;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      icon.texels.data(), static_cast<int>(icon.pictureWidth), static_cast<int>(icon.pictureHeight), 32,
      static_cast<int>(icon.width * 4), SDL_PIXELFORMAT_ARGB8888);
  if (surface != nullptr) {
    SDL_SetWindowIcon(window.get(), surface);
    SDL_FreeSurface(surface);
  }
}

void CD3DApplication::FetchBackBufferSize() {
  const Viewport viewport = device->GetViewport();
  backBufferWidth = viewport.width;
  backBufferHeight = viewport.height;
}

void CD3DApplication::AdaptToSizeChange() {
  if (!device) {
    return;
  }
  const uint32_t oldWidth = backBufferWidth;
  const uint32_t oldHeight = backBufferHeight;
  FetchBackBufferSize();
  if ((oldWidth != backBufferWidth || oldHeight != backBufferHeight) && deviceObjectsInited) {
    deviceObjectsRestored = Succeeded(RestoreDeviceState());
  }
}

void CD3DApplication::ApplyCursorRules() {
  if (!window) {
    return;
  }
  const bool fullscreen = !windowed;
  SDL_ShowCursor(fullscreen && !showCursorWhenFullscreen ? SDL_DISABLE : SDL_ENABLE);
  SDL_SetWindowGrab(window.get(), fullscreen && clipCursorWhenFullscreen && !minimized ? SDL_TRUE : SDL_FALSE);
}

void CD3DApplication::ReleaseDevice() {
  if (deviceObjectsInited) {
    DestroyDeviceResources();
  }
  deviceObjectsInited = false;
  deviceObjectsRestored = false;
  if (d3dDevice == device.get()) {
    d3dDevice = nullptr;
  }
  device.reset();
}

void CD3DApplication::Close() {
  ReleaseDevice();
  FinalRelease();
  DestroyWindow();
  PostQuit(0);
}

void CD3DApplication::DestroyWindow() {
  if (window && MessageOwner() == window.get()) {
    SetMessageOwner(nullptr);
  }
  window.reset();
}

void CD3DApplication::PostQuit(int code) {
  quitPosted = true;
  exitCode = code;
}

void CD3DApplication::Pause(bool pause) {
  if (pause) {
    ++pauseCount;
  } else if (pauseCount > 0) {
    --pauseCount;
  }
  active = pauseCount == 0;
  if (frameMoving && pause && pauseCount == 1) {
    clock.Stop();
  }
  if (frameMoving && !pause && pauseCount == 0) {
    clock.Start();
  }
}

Result CD3DApplication::FrameStep() {
  float now = 0.0f;
  float elapsed = 0.0f;
  clock.Read(now, elapsed);
  if (elapsed == 0.0f && frameMoving) {
    return S_OK;
  }
  if (frameMoving || singleStep) {
    time = now;
    elapsedTime = elapsed;
    const Result result = Animate();
    if (Failed(result)) {
      return result;
    }
    singleStep = false;
  }
  const Result result = DrawScene();
  if (Failed(result)) {
    return result;
  }
  if (device) {
    device->Present();
  }
  ++framesPresented;
  return S_OK;
}

int CD3DApplication::Run() {
  while (!quitPosted) {
    SDL_Event event;
    if (active ? SDL_PollEvent(&event) != 0 : SDL_WaitEvent(&event) != 0) {
      HandleEvent(event);
      continue;
    }
    if (!active) {
      continue;
    }
    if (Failed(FrameStep())) {
      Close();
      continue;
    }
    // Sleep until an event comes or the next frame is nearly due, instead of
    // polling flat out (which would keep a whole core busy).
    const uint32_t wait = IdleWaitMilliseconds();
    if (wait > 0 && SDL_WaitEventTimeout(&event, static_cast<int>(wait)) != 0) {
      HandleEvent(event);
    }
  }
  return exitCode;
}

void CD3DApplication::HandleEvent(const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    Close();
  } else if (event.type == SDL_WINDOWEVENT) {
    HandleWindowEvent(event.window);
  }
}

void CD3DApplication::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
      if (!minimized) {
        minimized = true;
        ApplyCursorRules();
        Pause(true);
      }
      maximized = false;
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (minimized) {
        Pause(false);
      }
      minimized = false;
      maximized = true;
      AdaptToSizeChange();
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (minimized) {
        Pause(false);
        minimized = false;
        ApplyCursorRules();
      }
      maximized = false;
      AdaptToSizeChange();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (!ignoreSizeChange) {
        AdaptToSizeChange();
      }
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      if (!active && windowed && deviceObjectsInited && deviceObjectsRestored) {
        DrawScene();
        device->Present();
      }
      break;
    default:
      break;
  }
}

Result CD3DApplication::ToggleFullscreen() {
  if (!window) {
    return E_UNEXPECTED;
  }
  Pause(true);
  ignoreSizeChange = true;
  windowed = !windowed;
  const bool switched = SDL_SetWindowFullscreen(window.get(), windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
  ignoreSizeChange = false;
  if (switched) {
    ApplyCursorRules();
    AdaptToSizeChange();
    Pause(false);
    return S_OK;
  }
  DebugOutput(SDL_GetError());
  if (!windowed) {
    windowed = true;
    SDL_SetWindowFullscreen(window.get(), 0);
    ApplyCursorRules();
  }
  return ShowError(kErrorResetFailed, ErrorKind::Fatal);
}

Result CD3DApplication::ShowError(Result code, ErrorKind kind) {
  if (fatalErrorShown) {
    return code;
  }
  const std::string text = ComposeErrorMessage(code, kind);
  if (kind == ErrorKind::Fatal) {
    fatalErrorShown = true;
    Desktop().ShowMessage(windowTitle, text, MessageIcon::Error);
    if (window) {
      Close();
    }
  } else {
    Desktop().ShowMessage(windowTitle, text, MessageIcon::Warning);
  }
  return code;
}
