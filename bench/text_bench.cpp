// Building the meshes of all the game's 3D texts (58 short lines: the HUD,
// the egg game's messages, the title and its wheel, the options captions and
// a full high-score screen). Run from the source folder, or with
// ZESTBOX_SOURCE_DIR set, so that ./res/fonts.conf is found; the OpenGL case
// needs SDL_VIDEODRIVER=offscreen on a machine without a display.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "layers/Text3D.h"
#include "support/OffscreenScene.h"
#include "text3d/GlyphMeshBuilder.h"

namespace {

struct GameText {
  const char* font;
  int32_t size;
  float depth;
  std::string text;
};

std::vector<GameText> GameTexts() {
  std::vector<GameText> texts;
  for (const char* s : {"Tries", "6", "Level", "1", "Score", "0", "Eggs", "0"}) {
    texts.push_back({"Levity", 6, 0.2f, s});
  }
  for (const char* s : {"Ready ?", "Level 2", "Egg broken !!", "Game over", "Golden egg !", "Bonus !",
                        "Golden egg lost !", "Beware, spoiled egg !", "Spoiled egg !", "That was close !", "Level"}) {
    texts.push_back({"Levity", 8, 0.4f, s});
  }
  texts.push_back({"Flubber", 10, 0.4f, "ZestBox"});
  for (const char* s : {"Play", "High scores", "Quit"}) {
    texts.push_back({"Flubber", 10, 0.3f, s});
  }
  for (const char* s : {"yes", "no", "Back", "Play again ?"}) {
    texts.push_back({"Comic sans MS", 8, 0.4f, s});
  }
  texts.push_back({"Comic Sans MS", 10, 0.4f, "High scores"});
  for (int row = 0; row < 10; ++row) {
    texts.push_back({"Comic Sans MS", 8, 0.3f, std::to_string(row + 1) + "."});
    texts.push_back({"Comic Sans MS", 8, 0.3f, row % 3 == 0 ? "Empty" : "Player " + std::to_string(row)});
    texts.push_back({"Comic Sans MS", 8, 0.3f, std::to_string(1000 * (10 - row) + 50 * row)});
  }
  return texts;
}

size_t BuildAll(CGlyphMeshBuilder& builder, const std::vector<GameText>& texts) {
  size_t vertices = 0;
  for (const GameText& t : texts) {
    vertices += builder.BuildLine(t.font, t.size, t.depth, t.text.c_str()).vertices.size();
    benchmark::DoNotOptimize(builder.MeasureWidth(t.text.c_str()));
  }
  return vertices;
}

// From nothing: fontconfig set-up, faces opened, every glyph flattened and filled.
void BM_GameTextsFirstTime(benchmark::State& state) {
  const std::vector<GameText> texts = GameTexts();
  size_t vertices = 0;
  for (auto _ : state) {
    CGlyphMeshBuilder builder("./res/fonts.conf");
    vertices = BuildAll(builder, texts);
  }
  state.counters["lines"] = static_cast<double>(texts.size());
  state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_GameTextsFirstTime)->Unit(benchmark::kMillisecond);

// Later screens: faces and glyph shapes are kept, lines are only extruded.
void BM_GameTextsAgain(benchmark::State& state) {
  const std::vector<GameText> texts = GameTexts();
  CGlyphMeshBuilder builder("./res/fonts.conf");
  BuildAll(builder, texts);
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildAll(builder, texts));
  }
}
BENCHMARK(BM_GameTextsAgain)->Unit(benchmark::kMillisecond);

// The game's own path: C3DText::SetText onto the OpenGL device.
void BM_GameTextsOnOpenGl(benchmark::State& state) {
  OffscreenScene scene;
  if (!scene.Ok()) {
    state.SkipWithError("no OpenGL device");
    return;
  }
  const std::vector<GameText> texts = GameTexts();
  for (auto _ : state) {
    std::vector<std::unique_ptr<C3DText>> made;
    for (const GameText& t : texts) {
      made.push_back(std::make_unique<C3DText>(t.font, t.size, t.depth));
      made.back()->SetText(t.text.c_str(), 0);
    }
    benchmark::DoNotOptimize(made.data());
  }
}
BENCHMARK(BM_GameTextsOnOpenGl)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const char* source = std::getenv("ZESTBOX_SOURCE_DIR");
  if (access("./res/fonts.conf", R_OK) != 0 && source != nullptr && chdir(source) != 0) {
    std::perror("ZESTBOX_SOURCE_DIR");
  }
  if (access("./res/fonts.conf", R_OK) != 0) {
    std::fprintf(stderr, "./res/fonts.conf not found: measuring with the system's fonts only\n");
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
