#include "motion/MotionDetector.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kDefaultThreshold = 20;
// Smaller groups are camera noise.
constexpr int32_t kMinRegionCells = 6;
// A cell reached at this depth is counted but its neighbours are not
// visited; the cells it would have reached seed later regions of the scan.
constexpr int32_t kMaxFillDepth = 100;

// The order in which the fill visits a cell's neighbours. It decides where
// the depth limit cuts a large region, and so the published rectangles.
constexpr int32_t kNeighbours[8][2] = {{0, -1}, {1, -1}, {1, 0}, {0, 1}, {-1, 0}, {-1, -1}, {-1, 1}, {1, 1}};

}  // namespace

CMotionDetector::CMotionDetector() = default;

CMotionDetector::~CMotionDetector() = default;

bool CMotionDetector::Init(const CVideoMode* mode) {
  frameWidth = 0;
  frameHeight = 0;
  havePrevious = false;
  std::memset(pending, 0, sizeof(pending));
  threshold.store(kDefaultThreshold);
  {
    std::lock_guard<std::mutex> guard(lock);
    std::memset(rects, 0, sizeof(rects));
    rectCount = 0;
  }
  // Below 30 pixels the sampling step would be 0.
  if (mode == nullptr || mode->width < kMotionGridSize || mode->height < kMotionGridSize) {
    return false;
  }
  frameWidth = mode->width;
  frameHeight = mode->height;
  return true;
}

void CMotionDetector::ProcessFrame(const FrameView& frame) {
  if (frameWidth == 0 || frame.firstRow == nullptr || frame.width != frameWidth || frame.height != frameHeight ||
      std::llabs(static_cast<long long>(frame.stride)) < 4LL * frame.width) {
    return;
  }
  SampleFrame(frame);
  MotionRect found[kMaxMotionRects] = {};
  const int32_t count = FindRegions(found);
  if (count > 0) {
    Publish(found, count);
  }
}

// Every sample point lies inside the frame: with width >= 30, 29 * (width /
// 30) < width. Samples a wider frame would allow beyond cell 29 take no part
// in the search and are not read.
void CMotionDetector::SampleFrame(const FrameView& frame) {
  const ptrdiff_t columnStep = 4 * static_cast<ptrdiff_t>(frameWidth / kMotionGridSize);
  const int32_t rowStep = frameHeight / kMotionGridSize;
  const int32_t limit = threshold.load(std::memory_order_relaxed);
  // The first frame is compared with itself. Counts are kept in locals: the
  // byte stores below could otherwise alias them.
  const bool first = !havePrevious;
  int32_t inColumn[kMotionGridSize] = {};
  int32_t moving = 0;
  for (int32_t j = 0; j < kMotionGridSize; ++j) {
    const uint8_t* pixel = frame.Row(j * rowStep);
    for (int32_t i = 0; i < kMotionGridSize; ++i, pixel += columnStep) {
      uint8_t* previous = previousSamples[j][i];
      const uint8_t* before = first ? pixel : previous;
      const uint8_t cellMoves =
          (pixel[0] ^ before[0]) > limit && (pixel[1] ^ before[1]) > limit && (pixel[2] ^ before[2]) > limit;
      std::memcpy(previous, pixel, 4);
      Pending(i, j) = cellMoves;
      inColumn[i] += cellMoves;
      moving += cellMoves;
    }
  }
  std::memcpy(pendingInColumn, inColumn, sizeof(inColumn));
  movingCells = moving;
  havePrevious = true;
}

// Scans x outer, y inner; keeps the first kMaxMotionRects regions of at least
// kMinRegionCells cells. Returns how many were kept.
int32_t CMotionDetector::FindRegions(MotionRect found[kMaxMotionRects]) {
  if (movingCells < kMinRegionCells) {
    return 0;
  }
  int32_t kept = 0;
  for (int32_t x = 0; x < kMotionGridSize; ++x) {
    for (int32_t y = 0; y < kMotionGridSize && pendingInColumn[x] > 0; ++y) {
      if (Pending(x, y) == 0) {
        continue;
      }
      regionCells = 0;
      regionBox = MotionRect{x, y, x, y};
      Fill(x, y, 0);
      if (regionCells >= kMinRegionCells && kept < kMaxMotionRects) {
        found[kept++] = regionBox;
      }
    }
  }
  return kept;
}

// Recursive 8-connected fill from a pending cell; the recursion is at most
// kMaxFillDepth + 1 deep. Neighbours are checked before the call rather than
// in it, which changes nothing but the cost.
void CMotionDetector::Fill(int32_t x, int32_t y, int32_t depth) {
  Pending(x, y) = 0;
  --pendingInColumn[x];
  ++regionCells;
  regionBox.minX = x < regionBox.minX ? x : regionBox.minX;
  regionBox.minY = y < regionBox.minY ? y : regionBox.minY;
  regionBox.maxX = x > regionBox.maxX ? x : regionBox.maxX;
  regionBox.maxY = y > regionBox.maxY ? y : regionBox.maxY;
  if (depth >= kMaxFillDepth) {
    return;
  }
  for (const auto& step : kNeighbours) {
    if (Pending(x + step[0], y + step[1]) != 0) {
      Fill(x + step[0], y + step[1], depth + 1);
    }
  }
}

void CMotionDetector::Publish(const MotionRect found[kMaxMotionRects], int32_t count) {
  std::lock_guard<std::mutex> guard(lock);
  std::memcpy(rects, found, sizeof(rects));
  rectCount = count;
}

void CMotionDetector::SetThreshold(int32_t value) {
  threshold.store(value, std::memory_order_relaxed);
}

int32_t CMotionDetector::GetThreshold() const {
  return threshold.load(std::memory_order_relaxed);
}

void CMotionDetector::GetMotionRects(MotionRect out[kMaxMotionRects], int32_t* count) const {
  if (out == nullptr || count == nullptr) {
    return;
  }
  std::lock_guard<std::mutex> guard(lock);
  std::memcpy(out, rects, sizeof(rects));
  *count = rectCount;
}

void CMotionDetector::ClearMotionRects() {
  std::lock_guard<std::mutex> guard(lock);
  rectCount = 0;
}
