#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/FrameView.h"
#include "motion/MotionRect.h"

// The motion detector done the plain way, for tests and benchmarks to compare
// against: whole copies of the current and previous frame, the exclusive-or of
// every pixel into a difference image, then sampling and the region search on
// the 31 x 31 cell grid. Frames must match the size given to the constructor
// (at least 30 x 30).
class CReferenceMotionDetector {
 public:
  CReferenceMotionDetector(int32_t frameWidth, int32_t frameHeight)
      : width(frameWidth), height(frameHeight), previous(Bytes()), current(Bytes()), difference(Bytes()) {}

  void SetThreshold(int32_t value) { threshold = value; }

  void ProcessFrame(const FrameView& frame) {
    CopyFrame(frame);
    for (size_t n = 0; n < difference.size(); ++n) {
      difference[n] = static_cast<uint8_t>(previous[n] ^ current[n]);
    }
    Sample();
    Search();
  }

  const std::vector<MotionRect>& Rects() const { return rects; }

 private:
  static constexpr int32_t kCells = 31;

  size_t Bytes() const { return static_cast<size_t>(width) * static_cast<size_t>(height) * 4; }

  // previous = the last frame (or this one, on the first), current = this one.
  void CopyFrame(const FrameView& frame) {
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    previous.swap(current);
    for (int32_t row = 0; row < height; ++row) {
      std::memcpy(&current[row * rowBytes], frame.Row(row), rowBytes);
    }
    if (first) {
      previous = current;
      first = false;
    }
  }

  void Sample() {
    const int32_t dx = width / 30;
    const int32_t dy = height / 30;
    std::memset(moving, 0, sizeof(moving));
    std::memset(visited, 0, sizeof(visited));
    for (int32_t i = 0; i < kCells && i * dx < width; ++i) {
      for (int32_t j = 0; j < kCells && j * dy < height; ++j) {
        const uint8_t* p = &difference[(static_cast<size_t>(j * dy) * width + i * dx) * 4];
        moving[i][j] = p[0] > threshold && p[1] > threshold && p[2] > threshold;
      }
    }
  }

  void Search() {
    std::vector<MotionRect> found;
    for (int32_t x = 0; x < 30; ++x) {
      for (int32_t y = 0; y < 30; ++y) {
        if (moving[x][y] && !visited[x][y]) {
          count = 0;
          box = MotionRect{x, y, x, y};
          Fill(x, y, 0);
          if (count >= 6 && found.size() < 100) found.push_back(box);
        }
      }
    }
    if (!found.empty()) rects = found;
  }

  void Fill(int32_t x, int32_t y, int32_t depth) {
    if (!moving[x][y] || visited[x][y]) return;
    visited[x][y] = true;
    ++count;
    box.minX = std::min(box.minX, x);
    box.minY = std::min(box.minY, y);
    box.maxX = std::max(box.maxX, x);
    box.maxY = std::max(box.maxY, y);
    if (depth + 1 >= 101) return;
    // The eight neighbours in the detector's order, which matters under the depth limit.
    static constexpr int32_t kSteps[8][2] = {{0, -1}, {1, -1}, {1, 0}, {0, 1}, {-1, 0}, {-1, -1}, {-1, 1}, {1, 1}};
    for (const auto& step : kSteps) {
      const int32_t nx = x + step[0], ny = y + step[1];
      if (nx >= 0 && nx < 30 && ny >= 0 && ny < 30) Fill(nx, ny, depth + 1);
    }
  }

  int32_t width;
  int32_t height;
  int32_t threshold = 20;
  bool first = true;
  std::vector<uint8_t> previous;
  std::vector<uint8_t> current;
  std::vector<uint8_t> difference;
  bool moving[kCells][kCells] = {};
  bool visited[kCells][kCells] = {};
  int32_t count = 0;
  MotionRect box = {};
  std::vector<MotionRect> rects;
};
