#pragma once
#include "render/Texture.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

// A layer drawing into a recording device (1000 x 750), on the manual clock;
// the texture cache is emptied afterwards.
class LayerTest : public ManualClockTest {
 protected:
  void SetUp() override { ManualClockTest::SetUp(), d3dDevice = &device; }
  void TearDown() override {
    CTexture::ReleaseAll(), d3dDevice = nullptr;
    ManualClockTest::TearDown();
  }
  RecordingDevice device;
};
