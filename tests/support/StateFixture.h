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
// manual clock: every pass is 40 ms, updates the layers and the state and,
// when `render` is set, draws a frame on `d3dDevice`.
struct StatePlay {
  static constexpr uint32_t kFrameMs = 40;

  static void Pass(CGameLoop& state, bool render) {
    AdvanceManualTickCount(kFrameMs);
    state.UpdateLayers();
    state.Update();
    if (render && d3dDevice->BeginScene()) {
      d3dDevice->Clear(0xFF000000u, 1.0f);
      state.RenderLayers();
      d3dDevice->EndScene();
    }
  }
  static void Passes(CGameLoop& state, int count) {
    for (int pass = 0; pass < count; ++pass) Pass(state, true);
  }
  // Passes until the state has finished or `limit` passes are done; returns
  // whether it finished.
  static bool UntilFinished(CGameLoop& state, int limit) {
    for (int pass = 0; pass < limit && state.IsFinished() == 0; ++pass) Pass(state, true);
    return state.IsFinished() != 0;
  }
  // A few seconds of play, then the player leaves (unless the state has
  // already gone); true when the state then finishes within `limit` passes.
  static bool PlayAndLeave(CGameLoop& state, int passes, int limit) {
    Passes(state, passes);
    if (state.IsFinished() == 0 && !state.IsFadingOut()) state.Leave();
    return UntilFinished(state, limit);
  }
};

// A game state on the manual clock and the recording device, with cam.ini in
// a temporary folder and a real detector steered by MotionDriver. Frame() is
// one drawn frame and one pass of the loop, 40 ms apart.
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
  void Frame() {
    state->UpdateLayers();
    state->Update();
    Advance(40);
  }
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
