// The camera path's two costs: converting a texture frame from RGB24 to
// X8R8G8B8 (against a plain copy of the same bytes), and the delay from a
// frame leaving the camera to its pixels being ready for upload.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "capture/ImageCapture.h"
#include "capture/PixelConversion.h"
#include "capture/SyntheticCamera.h"

namespace {

constexpr int32_t kWidth = 640;
constexpr int32_t kHeight = 480;
constexpr size_t kSourceBytes = size_t{kWidth} * kHeight * 3;

std::vector<uint8_t> SourceFrame() {
  std::vector<uint8_t> bytes(kSourceBytes);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 13 + (i >> 9));
  return bytes;
}

void BM_ConvertRgb24ToX8R8G8B8(benchmark::State& state) {
  const std::vector<uint8_t> source = SourceFrame();
  std::vector<uint32_t> texels(size_t{kWidth} * kHeight);
  for (auto _ : state) {
    for (int32_t row = 0; row < kHeight; ++row)
      ConvertBgrRow(source.data() + size_t(row) * kWidth * 3, texels.data() + size_t(row) * kWidth, kWidth);
    benchmark::DoNotOptimize(texels.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSourceBytes));
}
BENCHMARK(BM_ConvertRgb24ToX8R8G8B8);

void BM_MemcpySameBytes(benchmark::State& state) {
  const std::vector<uint8_t> source = SourceFrame();
  std::vector<uint8_t> target(kSourceBytes);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), kSourceBytes);
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kSourceBytes));
}
BENCHMARK(BM_MemcpySameBytes);

// One iteration per camera frame: the time from the test camera handing the
// frame over to the texture picture being published, as the pipeline measures it.
void BM_FrameLeavesCameraToPixelsReady(benchmark::State& state) {
  CImageCapture capture(nullptr);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>());
  if (!capture.EnumerateDevices() || !capture.CreateFilters() || !capture.SetCaptureDevice(0) ||
      !capture.EnumDeviceCaps() || !capture.SetVideoMode(capture.FindVideoMode(kWidth, kHeight, 32)) ||
      !capture.Run()) {
    state.SkipWithError(capture.GetLastErrorText().c_str());
    return;
  }
  const CTextureRenderer& renderer = *capture.GetRenderer();
  uint64_t seen = renderer.FrameCount();
  for (auto _ : state) {
    while (renderer.FrameCount() == seen) std::this_thread::sleep_for(std::chrono::microseconds(200));
    seen = renderer.FrameCount();
    state.SetIterationTime(static_cast<double>(renderer.LastLatencyMicros()) * 1e-6);
  }
  capture.Stop();
}
BENCHMARK(BM_FrameLeavesCameraToPixelsReady)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(90);

}  // namespace

BENCHMARK_MAIN();
