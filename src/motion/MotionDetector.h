#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>

#include "base/FrameView.h"
#include "base/VideoMode.h"
#include "motion/MotionRect.h"

// Turns the stream of camera frames into rectangles of movement. Each frame is
// compared with the previous one at 30 x 30 sample points (the per-byte
// exclusive-or of the two pixels); a sample moves when its blue, green and red
// differences all exceed the threshold, and every 8-connected group of at
// least 6 moving cells is published as its bounding rectangle in grid cells.
//
// Threads: ProcessFrame runs on the capture streaming thread; the rectangles
// are read and cleared on the main thread under the detector's lock, and the
// threshold may be set from any thread. Only the previous frame's samples are
// kept, so the cost of a frame does not depend on its size.
class CMotionDetector {
 public:
  CMotionDetector();
  virtual ~CMotionDetector();
  CMotionDetector(const CMotionDetector&) = delete;
  CMotionDetector& operator=(const CMotionDetector&) = delete;

  // Called by the capture engine when it installs the detector (main thread),
  // before any frame arrives. Forgets earlier frames and rectangles and sets
  // the threshold to 20. Returns false, and the detector ignores every frame,
  // for a null mode or one narrower or lower than 30 pixels. The mode is
  // copied; the pointer need not outlive the call.
  bool Init(const CVideoMode* mode);

  // One camera frame (capture streaming thread). The pixels are read only
  // during the call. A view whose size differs from the mode given to Init,
  // or whose rows overlap, is ignored. The first frame after Init moves nothing.
  void ProcessFrame(const FrameView& frame);

  // Per-channel difference threshold; takes effect with the next frame.
  void SetThreshold(int32_t value);
  int32_t GetThreshold() const;

  // Copies all kMaxMotionRects entries of the published list (only the first
  // *count are valid) and the count. A frame without movement leaves the
  // list as it was; only ClearMotionRects or a frame with movement changes it.
  void GetMotionRects(MotionRect out[kMaxMotionRects], int32_t* count) const;
  // Consumers see no motion until a frame publishes a new list.
  void ClearMotionRects();

 private:
  void SampleFrame(const FrameView& frame);
  int32_t FindRegions(MotionRect found[kMaxMotionRects]);
  uint8_t& Pending(int32_t x, int32_t y) { return pending[x + 1][y + 1]; }
  void Fill(int32_t x, int32_t y, int32_t depth);
  void Publish(const MotionRect found[kMaxMotionRects], int32_t count);

  // Streaming-thread state, set up by Init.
  int32_t frameWidth = 0;  // 0: no usable mode, frames are ignored
  int32_t frameHeight = 0;
  bool havePrevious = false;
  // The previous frame's pixel at each sample point, [row][column], 4 bytes.
  uint8_t previousSamples[kMotionGridSize][kMotionGridSize][4] = {};
  // The grid cells, [x + 1][y + 1]: 1 for a cell that moves and that the
  // region search has not reached yet, else 0. A border of cells that never
  // move spares the fill its bounds checks.
  uint8_t pending[kMotionGridSize + 2][kMotionGridSize + 2] = {};
  // Pending cells left in each grid column; the search skips empty ones.
  int32_t pendingInColumn[kMotionGridSize] = {};
  int32_t movingCells = 0;
  int32_t regionCells = 0;
  MotionRect regionBox = {};

  std::atomic<int32_t> threshold{20};

  mutable std::mutex lock;  // guards rects and rectCount
  MotionRect rects[kMaxMotionRects] = {};
  int32_t rectCount = 0;
};
