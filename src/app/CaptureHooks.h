#pragma once
#include <cstdint>
#include <functional>

// How the application reaches the capture engine without knowing it: the
// entry point fills these with calls into the one capture engine. Empty
// hooks are skipped, and the game then runs without a camera. Main thread.
struct CaptureHooks {
  // Initialises the engine with the main window and runs the start-up camera
  // choice; false ends the program before any state exists.
  std::function<bool()> chooseCamera;
  // Gives the engine the drawing area (pixels) and starts the capture graph.
  std::function<void(uint32_t width, uint32_t height)> start;
  // Once per drawn frame, before the layers draw: the newest camera picture.
  std::function<void()> update;
  // Stops the graph (and the current state's music) before the device goes.
  std::function<void()> shutdown;
  // The SDL event type of the capture-graph notice, and what answers it.
  uint32_t noticeEventType = 0;
  std::function<void()> handleNotice;
};
