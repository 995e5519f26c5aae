#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "app/DemoPlan.h"
#include "app/MyD3DApplication.h"
#include "demo/AppGameObserver.h"
#include "demo/DemoDesktop.h"
#include "demo/RunStats.h"
#include "demo/VirtualPlayer.h"

class CPersonCamera;
struct CommandLine;

// How a run of the demo application is set up (from the command line).
struct DemoSettings {
  uint32_t fixedStepMs = 0;  // > 0: the clock moves this much per pass of the loop
  bool seeded = false;       // the egg game's dice get `seed` (always with a fixed step)
  uint32_t seed = 1;
  bool player = false;       // the virtual player on the demo camera
  DemoPlan plan;
  std::string outDir;        // screenshots and summary.txt; empty: the summary on standard output
  uint32_t frameLimit = 0;   // the run's --frames, to tell a run cut short
};

// The game with what the demo and the end-to-end tests add around it:
//  - a fixed step: the clock is the manual one and moves `fixedStepMs` per
//    pass, and the loop never sleeps, so a long game runs in seconds of CPU;
//  - the virtual player: each pass it looks at the screen (CAppGameObserver)
//    and moves its hands in front of the demo camera (CPersonCamera), which
//    with a fixed step runs in lockstep: every frame due by the new time has
//    reached the motion detector before the pass runs, so the same seed gives
//    the same game;
//  - screenshots, a summary of the run and its performance figures.
// Main thread.
class CDemoApplication : public CMyD3DApplication {
 public:
  static constexpr const char* kCameraName = "Demo camera";

  explicit CDemoApplication(const DemoSettings& settings);
  // Writes the summary.
  ~CDemoApplication() override;

  // The demo camera to list (null source without the virtual player).
  ExtraCamera Camera() const;

  Result FrameStep() override;
  Result DrawScene() override;
  // Notes a close from outside (the window's close button, SIGTERM).
  void HandleEvent(const SDL_Event& event) override;

 protected:
  uint32_t IdleWaitMilliseconds() const override;

 private:
  void SyncCamera(uint32_t now);
  void TypeKey(char key);
  void AfterFrame(const ScreenView& view, uint32_t now);
  void TakeScreenshots(const ScreenView& view, uint32_t now);
  void WriteScreenshot(const std::string& name);
  void MeasureLatency(const ScreenView& view, uint32_t now);
  std::string Summary() const;

  DemoSettings settings;
  CDemoDesktop desktop;
  CAppGameObserver observer;
  CRunStats stats;
  std::shared_ptr<CPersonMotion> motion;
  std::shared_ptr<CPersonCamera> camera;
  std::unique_ptr<CVirtualPlayer> player;
  // Lockstep: the detector's frame count and the camera's pushed count that
  // correspond to each other.
  uint64_t detectorBase = 0;
  uint64_t pushedBase = 0;
  // Screenshots: the screen seen last, since when, and what was taken.
  std::optional<StateKind> shownKind;
  uint32_t shownSince = 0;
  bool shotThisScreen = false;
  uint32_t lastShotTick = 0;
  int32_t shots = 0;
  bool nameEntryShot = false;
  uint32_t nameEntrySince = 0;  // the table is up from the frame after
  bool closedFromOutside = false;
  // Latency: the zone move being timed.
  uint32_t timedMove = 0;
  uint32_t firstFrameTick = 0;  // game time of the first frame
};

// The application for the options: the demo's for --demo or --fixed-step
// (exits with the options' error when its plan is bad), else the plain game.
std::unique_ptr<CMyD3DApplication> MakeApplication(const CommandLine& options);

// The demo camera of `app` when it is a demo application with the virtual
// player, else an empty camera.
ExtraCamera DemoCamera(const CMyD3DApplication& app);
