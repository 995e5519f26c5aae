#pragma once
#include "support/MotionDriver.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

// Menu widgets on the manual clock, the recording device and a real detector
// steered by MotionDriver.
class MenuTest : public ManualClockTest {
 protected:
  static constexpr float kNormal[4] = {0.7843138f, 0.7843138f, 0.6666667f, 0.7843138f};
  static constexpr float kHighlight[4] = {0.9960785f, 0.7411765f, 0.1254902f, 0.6666667f};

  void SetUp() override {
    ManualClockTest::SetUp();
    d3dDevice = &device;
  }
  void TearDown() override {
    d3dDevice = previousDevice;
    ManualClockTest::TearDown();
  }

  RenderDevice* const previousDevice = d3dDevice;
  RecordingDevice device;
  MotionDriver motion;
};
