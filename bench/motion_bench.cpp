// Nanoseconds per ProcessFrame for the sampling detector and for the
// full-frame reference, at common camera sizes, on still frames and on frames
// with movement. The sampling detector should stay flat across sizes; the
// reference grows with the pixel count. Built with OpenCV (scripts/bench does
// that), the usual OpenCV recipe for the same job runs on the same frames.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "base/FrameView.h"
#include "base/VideoMode.h"
#include "motion/MotionDetector.h"
#include "support/ReferenceMotionDetector.h"

#if ZESTBOX_HAVE_OPENCV
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#endif

namespace {

// Two camera pictures: a noisy scene, and the same scene with a few moving
// blocks (about a tenth of the picture), so each frame publishes rectangles.
class FramePair {
 public:
  FramePair(int32_t width, int32_t height) : width(width), height(height), scene(Bytes()), moved(Bytes()) {
    std::mt19937 random(7);
    for (uint8_t& byte : scene) {
      byte = static_cast<uint8_t>(random());
    }
    moved = scene;
    for (int32_t block = 0; block < 4; ++block) {
      const int32_t left = width / 8 + block * width / 5;
      const int32_t top = height / 6 + (block % 2) * height / 3;
      for (int32_t row = top; row < top + height / 5; ++row) {
        for (int32_t x = left; x < left + width / 8; ++x) {
          uint8_t* p = &moved[(static_cast<size_t>(row) * width + x) * 4];
          p[0] ^= 0xFF;
          p[1] ^= 0xFF;
          p[2] ^= 0xFF;
        }
      }
    }
  }

  // Frame n of the sequence: still frames repeat the scene, moving ones
  // alternate between the two pictures.
  FrameView Frame(int64_t n, bool moving) const {
    const std::vector<uint8_t>& pixels = (moving && n % 2 == 1) ? moved : scene;
    FrameView view;
    view.firstRow = pixels.data();
    view.width = width;
    view.height = height;
    view.stride = static_cast<ptrdiff_t>(width) * 4;
    return view;
  }

 private:
  size_t Bytes() const { return static_cast<size_t>(width) * static_cast<size_t>(height) * 4; }

  int32_t width;
  int32_t height;
  std::vector<uint8_t> scene;
  std::vector<uint8_t> moved;
};

void SetLabel(benchmark::State& state) {
  state.SetLabel(state.range(2) != 0 ? "moving" : "still");
}

void BM_SamplingDetector(benchmark::State& state) {
  const int32_t width = static_cast<int32_t>(state.range(0));
  const int32_t height = static_cast<int32_t>(state.range(1));
  const bool moving = state.range(2) != 0;
  const FramePair frames(width, height);
  const CVideoMode mode(width, height, 32);
  CMotionDetector detector;
  detector.Init(&mode);
  detector.SetThreshold(30);
  int64_t n = 0;
  for (auto _ : state) {
    detector.ProcessFrame(frames.Frame(n++, moving));
  }
  MotionRect rects[kMaxMotionRects];
  int32_t count = 0;
  detector.GetMotionRects(rects, &count);
  state.counters["rects"] = count;
  SetLabel(state);
}

void BM_ReferenceDetector(benchmark::State& state) {
  const int32_t width = static_cast<int32_t>(state.range(0));
  const int32_t height = static_cast<int32_t>(state.range(1));
  const bool moving = state.range(2) != 0;
  const FramePair frames(width, height);
  CReferenceMotionDetector detector(width, height);
  detector.SetThreshold(30);
  int64_t n = 0;
  for (auto _ : state) {
    detector.ProcessFrame(frames.Frame(n++, moving));
  }
  state.counters["rects"] = static_cast<double>(detector.Rects().size());
  SetLabel(state);
}

#if ZESTBOX_HAVE_OPENCV
// Grey picture, absolute difference with the previous one, threshold, then the
// connected components with their bounding boxes: what most people would
// write with OpenCV to find moving regions. One thread, like our detector.
void BM_OpenCvRecipe(benchmark::State& state) {
  const int32_t width = static_cast<int32_t>(state.range(0));
  const int32_t height = static_cast<int32_t>(state.range(1));
  const bool moving = state.range(2) != 0;
  const FramePair frames(width, height);
  cv::setNumThreads(1);
  cv::Mat grey;
  cv::Mat previous;
  cv::Mat difference;
  cv::Mat mask;
  cv::Mat labels;
  cv::Mat stats;
  cv::Mat centroids;
  int64_t n = 0;
  int components = 0;
  for (auto _ : state) {
    const FrameView frame = frames.Frame(n++, moving);
    const cv::Mat picture(height, width, CV_8UC4, const_cast<uint8_t*>(frame.firstRow),
                          static_cast<size_t>(frame.stride));
    cv::cvtColor(picture, grey, cv::COLOR_BGRA2GRAY);
    if (previous.empty()) grey.copyTo(previous);
    cv::absdiff(grey, previous, difference);
    cv::threshold(difference, mask, 30, 255, cv::THRESH_BINARY);
    components = cv::connectedComponentsWithStats(mask, labels, stats, centroids);
    cv::swap(grey, previous);
  }
  state.counters["rects"] = components - 1;  // label 0 is the background
  SetLabel(state);
}
#endif

void CameraSizes(benchmark::internal::Benchmark* bench) {
  for (const int64_t moving : {0, 1}) {
    bench->Args({320, 240, moving})->Args({640, 480, moving})->Args({1280, 720, moving})->Args({1920, 1080, moving});
  }
}

}  // namespace

BENCHMARK(BM_SamplingDetector)->Apply(CameraSizes);
BENCHMARK(BM_ReferenceDetector)->Apply(CameraSizes);
#if ZESTBOX_HAVE_OPENCV
BENCHMARK(BM_OpenCvRecipe)->Apply(CameraSizes);
#endif

BENCHMARK_MAIN();
