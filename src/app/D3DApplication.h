#pragma once
#include <SDL_events.h>
#include <SDL_video.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/ErrorMessages.h"
#include "app/FrameClock.h"
#include "base/Results.h"
#include "render/RenderDevice.h"

// The window-and-device framework: makes the SDL window and the drawing
// device, runs the event loop and calls a fixed set of virtual hooks that the
// game fills. Everything here runs on the main thread.
//
// Lifecycle: constructed paused (pause count 1) -> Create (window, device,
// InitOnce, count 0, active) -> Run until a quit is posted -> destroyed.
// Without a window (tests) CreateOnDevice takes a ready device instead.
class CD3DApplication {
 public:
  CD3DApplication();
  virtual ~CD3DApplication();
  CD3DApplication(const CD3DApplication&) = delete;
  CD3DApplication& operator=(const CD3DApplication&) = delete;

  // Hooks, in the order the framework knows them.
  // Releases the device-dependent objects and the device (`d3dDevice` null).
  virtual void ReleaseDevice();
  // One pass of the loop while active; a failure closes the window.
  virtual Result FrameStep();
  // Once, before the device exists.
  virtual Result InitOnce() { return S_OK; }
  virtual Result CreateDeviceResources() { return S_OK; }
  // After the device is made and whenever the drawing area changes size.
  virtual Result RestoreDeviceState() { return S_OK; }
  virtual Result Animate() { return S_OK; }
  virtual Result DrawScene() { return S_OK; }
  // Before the device goes: everything made with it must be freed here.
  virtual Result DestroyDeviceResources() { return S_OK; }
  // After the device is released, when the window closes.
  virtual Result FinalRelease() { return S_OK; }

  // Makes the window ("windowTitle", client creationWidth x creationHeight)
  // and the OpenGL device. Failures are shown (fatal) and returned; so is
  // finding no display, unless offscreen drawing was allowed or SDL's video
  // driver was named.
  Result Create();
  // Runs that only want frames drawn (screenshots, a frame count) may go on
  // where SDL found no display and draws offscreen. Before Create.
  void AllowOffscreen(bool allowed) { offscreenAllowed = allowed; }
  // Takes a ready device and runs the same initialisation without a window.
  Result CreateOnDevice(std::unique_ptr<RenderDevice> readyDevice);
  // The event loop; returns the exit code given with the quit.
  int Run();
  // One SDL event, as the window procedure would get it.
  virtual void HandleEvent(const SDL_Event& event);
  // Nested pause requests: active only while no request is outstanding.
  void Pause(bool pause);
  // Switches between the window and full screen at desktop resolution.
  Result ToggleFullscreen();
  // Shows the message for `code` through the desktop services, unless a
  // fatal error was already shown; a fatal error then closes the window.
  Result ShowError(Result code, ErrorKind kind);
  // Ends Run at its next pass with `code` (the game's own quit).
  void PostQuit(int code);
  // The close path: release the device, FinalRelease, destroy the window,
  // post the quit with 0.
  void Close();

  bool IsActive() const { return active; }
  bool IsQuitPosted() const { return quitPosted; }
  bool IsWindowed() const { return windowed; }
  SDL_Window* Window() const { return window.get(); }
  RenderDevice* Device() const { return device.get(); }
  uint32_t BackBufferWidth() const { return backBufferWidth; }
  uint32_t BackBufferHeight() const { return backBufferHeight; }
  uint32_t FramesPresented() const { return framesPresented; }

 protected:
  // How long Run may wait for events after an idle pass, in milliseconds;
  // 0 polls again at once.
  virtual uint32_t IdleWaitMilliseconds() const { return 0; }
  // Reads the drawing area's size and restores the device state when it changed.
  void AdaptToSizeChange();
  // The pointer as the window's mode wants it: in full screen hidden (unless
  // showCursorWhenFullscreen) and held in the window (clipCursorWhenFullscreen,
  // not while minimised); free in a window. Again whenever the game takes the
  // window back from something that showed the pointer (the camera dialog).
  void ApplyCursorRules();

  bool usesDepthBuffer = false;
  bool windowed = true;
  bool active = false;
  bool minimized = false;
  bool ignoreSizeChange = false;
  bool deviceObjectsInited = false;
  bool deviceObjectsRestored = false;
  // The game's drawing area (the device's viewport), pixels.
  uint32_t backBufferWidth = 0;
  uint32_t backBufferHeight = 0;
  std::string windowTitle = "D3D9 Application";
  uint32_t creationWidth = 400;
  uint32_t creationHeight = 300;
  bool showCursorWhenFullscreen = false;
  bool clipCursorWhenFullscreen = true;
  uint32_t pauseCount = 0;
  bool fatalErrorShown = false;

 private:
  struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  };
  Result CreateWindowAndDevice();
  Result InitDevice();
  void SetWindowIcon();
  // Also stops message boxes from naming the window as their owner.
  void DestroyWindow();
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void FetchBackBufferSize();

  bool videoInitialized = false;
  bool offscreenAllowed = false;
  std::unique_ptr<SDL_Window, WindowDeleter> window;
  // Declared after the window: the GL context goes before its window.
  std::unique_ptr<RenderDevice> device;
  CFrameClock clock;
  uint32_t framesPresented = 0;
  bool quitPosted = false;
  int exitCode = 0;
};
