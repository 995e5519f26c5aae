#pragma once
#include <gtest/gtest.h>

#include "support/MotionDriver.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"
#include "render/RenderDevice.h"

// Menu widgets on the manual clock, the recording device and a real detector
// steered by MotionDriver. One call of Frame is one drawn frame, 40 ms apart.
class MenuTest : public ManualClockTest {
 protected:
  static constexpr float kNormal[4] = {0.7843138f, 0.7843138f, 0.6666667f, 0.7843138f};
  static constexpr float kHighlight[4] = {0.9960785f, 0.7411765f, 0.1254902f, 0.6666667f};

  void SetUp() override {
    ManualClockTest::SetUp();
    previousDevice = d3dDevice;
    d3dDevice = &device;
  }
  void TearDown() override {
    d3dDevice = previousDevice;
    ManualClockTest::TearDown();
  }

  RecordingDevice device;
  MotionDriver motion;

 private:
  RenderDevice* previousDevice = nullptr;
};
