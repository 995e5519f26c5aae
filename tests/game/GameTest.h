#pragma once
#include <gtest/gtest.h>

#include "game/Egg.h"
#include "render/RenderDevice.h"
#include "render/Texture.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

// Egg game tests on the manual clock and the recording device (1000 x 750),
// with the process-wide egg path table and speed as at program start.
class GameTest : public ManualClockTest {
 protected:
  static constexpr uint32_t kFrameMs = 40;
  static constexpr float kScaleX = 1000.0f / 1024.0f;
  static constexpr float kScaleY = 750.0f / 768.0f;

  void SetUp() override {
    ManualClockTest::SetUp();
    previousDevice = d3dDevice;
    d3dDevice = &device;
    CEgg::ResetPathTable();
    eggSpeed = 1.0f;
  }
  void TearDown() override {
    CTexture::ReleaseAll();  // the pictures belong to the recording device
    d3dDevice = previousDevice;
    CEgg::ResetPathTable();
    eggSpeed = 1.0f;
    ManualClockTest::TearDown();
  }

  RecordingDevice device;

 private:
  RenderDevice* previousDevice = nullptr;
};
