// One busy screen drawn through the OpenGL device offscreen at 1000 x 750:
// a full-screen texture layer, 20 animated, turning sprites and a fade in
// progress. Run with SDL_VIDEODRIVER=offscreen on a machine without a display.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "layers/FadeEffect.h"
#include "layers/SpriteLayer.h"
#include "layers/TextureLayer.h"
#include "support/OffscreenScene.h"
#include "render/PngWriter.h"

namespace {

std::string BenchFile(const char* name) {
  return "/tmp/zb_render_bench_" + std::to_string(getpid()) + "_" + name;
}

std::vector<uint32_t> Pattern(uint32_t width, uint32_t height, uint32_t alphaMask) {
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t round = ((x % 64) - 32) * ((x % 64) - 32) + (y - height / 2) * (y - height / 2) <
                                     (height / 2) * (height / 2)
                                 ? 0xFF000000u
                                 : 0u;
      pixels[size_t(y) * width + x] = (round | alphaMask) | (x * 255 / width) << 16 | (y * 255 / height) << 8 | 0x60;
    }
  }
  return pixels;
}

struct BusyScreen {
  OffscreenScene scene;
  std::unique_ptr<CTextureLayer> background;
  std::vector<std::unique_ptr<CSpriteLayer>> sprites;
  std::unique_ptr<CFadeEffect> fade;
  std::vector<std::string> files;

  BusyScreen() {
    if (!scene.Ok()) {
      return;
    }
    files = {BenchFile("back.png"), BenchFile("strip.png"), BenchFile("white.png")};
    WritePng(files[0], Pattern(1024, 768, 0xFF000000u), 1024, 768);
    WritePng(files[1], Pattern(320, 64, 0u), 320, 64);
    WritePng(files[2], std::vector<uint32_t>(256, 0xFFFFFFFFu), 16, 16);
    background = std::make_unique<CTextureLayer>(files[0].c_str(), 0, 1024.0f, 768.0f);
    for (int i = 0; i < 20; ++i) {
      auto sprite = std::make_unique<CSpriteLayer>();
      sprite->LoadSprite(files[1].c_str(), 0);
      sprite->SetFrameSize(64, 64);
      sprite->SetFrames({0, 1, 2, 3, 4});
      const float position[2] = {float(40 + (i % 5) * 200), float(60 + (i / 5) * 170)};
      const float pivot[2] = {32, 32};
      sprite->SetPosition(position);
      sprite->SetPivot(pivot);
      sprite->SetScale(1.5f, 1.5f);
      sprite->SetRotation(0.3f * float(i));
      sprite->StartAnimation();
      sprites.push_back(std::move(sprite));
    }
    fade = std::make_unique<CFadeEffect>(files[2].c_str());
    fade->StartFadeIn();
    fade->SetColor(1, 1, 1, 0.5f);
  }
  ~BusyScreen() {
    sprites.clear();
    background.reset();
    fade.reset();
    for (const std::string& file : files) {
      std::remove(file.c_str());
    }
  }

  void Frame() {
    RenderDevice& device = scene.Device();
    background->Update();
    for (auto& sprite : sprites) {
      sprite->Update();
    }
    device.Clear(0, 1.0f);
    device.BeginScene();
    background->Render(&device);
    for (auto& sprite : sprites) {
      sprite->Render(&device);
    }
    fade->Render(&device);
    device.EndScene();
    device.Present();
  }
};

// CPU time of the whole process (the renderer's own threads included) per
// frame: on a machine shared with other work the wall time says little.
void ReportProcessCpu(benchmark::State& state, std::clock_t start) {
  const double ms = double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC;
  state.counters["process_cpu_ms_per_frame"] = ms / double(state.iterations());
}

// Clear, update, draw and present, as the frame cycle does.
void BM_BusyFrame(benchmark::State& state) {
  BusyScreen screen;
  if (!screen.scene.Ok()) {
    state.SkipWithError("no OpenGL context (set SDL_VIDEODRIVER=offscreen)");
    return;
  }
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    screen.Frame();
  }
  ReportProcessCpu(state, start);
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The same, reading the frame back each time, so that no drawing can still
// be queued when the clock stops (an upper bound of the frame's cost).
void BM_BusyFrameFinished(benchmark::State& state) {
  BusyScreen screen;
  if (!screen.scene.Ok()) {
    state.SkipWithError("no OpenGL context (set SDL_VIDEODRIVER=offscreen)");
    return;
  }
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    screen.Frame();
    screen.scene.Device().ReadPixels(screen.scene.pixels, screen.scene.width, screen.scene.height);
  }
  ReportProcessCpu(state, start);
}
BENCHMARK(BM_BusyFrameFinished)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
