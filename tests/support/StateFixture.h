#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "state/GameLoop.h"
#include "render/RenderDevice.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/MotionDriver.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

// Drives a started state as the application's frame cycle does, on the
// manual clock: every pass updates the layers and the state, draws a frame on
// `d3dDevice` when `render` is set, and is over 40 ms later.
struct StatePlay {
  static void Pass(CGameLoop& state, bool render) {
    state.UpdateLayers();
    state.Update();
    if (render && d3dDevice->BeginScene()) {
      d3dDevice->Clear(0xFF000000u, 1.0f);
      state.RenderLayers();
      d3dDevice->EndScene();
    }
    AdvanceManualTickCount(40);
  }
  static void Passes(CGameLoop& state, int count) {
    for (int pass = 0; pass < count; ++pass) Pass(state, true);
  }
  // A few seconds of play, then the player leaves (unless the state has
  // already gone); true when the state then finishes within `limit` passes.
  static bool PlayAndLeave(CGameLoop& state, int passes, int limit) {
    Passes(state, passes);
    if (state.IsFinished() == 0 && !state.IsFadingOut()) state.Leave();
    for (int pass = 0; pass < limit && state.IsFinished() == 0; ++pass) Pass(state, true);
    return state.IsFinished() != 0;
  }
};

// A game state on the manual clock and the recording device, with cam.ini in
// a temporary folder and a real detector steered by MotionDriver. Frame() is
// one pass of the loop (nothing drawn), 40 ms long.
template <typename State>
class StateFixture : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    previousDevice = d3dDevice;
    d3dDevice = &device;
    Hiscores::SetFileName(folder.File("cam.ini"));
  }
  void TearDown() override {
    state.reset();
    Hiscores::SetFileName("cam.ini");
    d3dDevice = previousDevice;
    ManualClockTest::TearDown();
  }
  void Frame() { StatePlay::Pass(*state, false); }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
  }
  // Movement over `area` for up to `frames` frames, until the state leaves.
  template <typename Leaving>
  void MoveUntil(const ScreenRect& area, int frames, Leaving leaving) {
    for (int i = 0; i < frames && !leaving(); ++i) {
      motion.Move({area});
      Frame();
    }
  }
  // Until the fade-out has covered the screen (at most 100 frames).
  void UntilFinished() {
    for (int i = 0; i < 100 && state->IsFinished() == 0; ++i) Frame();
  }

  TempFolder folder;
  RecordingDevice device;
  RecordingDesktop desktop;
  MotionDriver motion;
  std::unique_ptr<State> state;
  RenderDevice* previousDevice = nullptr;
};
