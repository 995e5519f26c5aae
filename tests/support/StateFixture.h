#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "state/GameLoop.h"
#include "render/RenderDevice.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/MotionDriver.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

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
    InstallDesktop(&desktop);
    Hiscores::SetFileName(folder.File("cam.ini"));
  }
  void TearDown() override {
    state.reset();
    Hiscores::SetFileName("cam.ini");
    InstallDesktop(nullptr);
    d3dDevice = previousDevice;
    ManualClockTest::TearDown();
  }
  void Frame() {
    state->UpdateLayers();
    state->Update();
    Advance(40);
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      Frame();
    }
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
    for (int i = 0; i < 100 && state->IsFinished() == 0; ++i) {
      Frame();
    }
  }

  TempFolder folder;
  RecordingDevice device;
  RecordingDesktop desktop;
  MotionDriver motion;
  std::unique_ptr<State> state;
  RenderDevice* previousDevice = nullptr;
};
