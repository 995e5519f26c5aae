#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "LayerTest.h"
#include "layers/HUD.h"
#include "layers/Text3D.h"
#include "text3d/GlyphMeshBuilder.h"

namespace {

// Whether `mesh` is the line `content` in the face `font` at `size`, `depth`.
bool IsLine(const RenderMesh* mesh, const char* font, int32_t size, float depth, const char* content) {
  const GlyphMeshData expected = CGlyphMeshBuilder::Shared().BuildLine(font, size, depth, content);
  const auto* drawn = static_cast<const RecordedMesh*>(mesh);
  return drawn->vertices.size() == expected.vertices.size() && drawn->indices == expected.indices;
}

class Text3DTest : public LayerTest {
 protected:
  // Draws the text: how many meshes it drew, and where the first put its point (1, 1, 0).
  size_t Meshes() {
    device.ClearRecords();
    text.Render(&device);
    return device.meshes.size();
  }
  Vec4 Corner() { return Meshes(), Transform({1, 1, 0}, device.meshes.at(0).world); }
  C3DText text{"Levity", 8, 0.4f};
};

// Lines are appended or replaced, never set beyond the end, nor made
// without a device; the current line alone is drawn, an empty one as nothing.
TEST_F(Text3DTest, LinesAreSetInOrderAndDrawnOneAtATime) {
  const struct { const char* content; uint32_t line; Result result; bool device; } sets[] = {
      {"Ready ?", 2, E_FAIL, true}, {"Ready ?", 0, S_OK, true}, {"Game over", 1, S_OK, true}, {"Bonus !", 3, E_FAIL, true},
      {"Bonus !", 1, S_OK, true},   {"", 2, S_OK, true},        {nullptr, 3, S_OK, true},      {"Egg", 4, E_POINTER, false},
      {"Egg", 0, E_POINTER, false}, {"", 4, S_OK, false}};
  for (const auto& set : sets) {
    d3dDevice = set.device ? &device : nullptr;
    EXPECT_EQ(text.SetText(set.content, set.line), set.result) << (set.content ? set.content : "null") << " " << set.line;
  }
  d3dDevice = &device;
  const std::pair<uint32_t, const char*> draws[] = {{0, "Ready ?"}, {1, "Bonus !"}, {2, nullptr}, {3, nullptr}, {5, nullptr}};
  for (const auto& [line, shows] : draws) {
    text.SetLine(line);
    EXPECT_EQ(Meshes(), shows ? 1u : 0u) << line;
    EXPECT_TRUE(!shows || IsLine(device.meshes.back().mesh, "Levity", 8, 0.4f, shows)) << line;
  }
}

// A step a frame, kept within 0..2 pi both ways, turning the drawn text about
// its upright axis. Blinking shows it upright, without spinning, toggled
// every 150 ms (here across the clock's wrap); hiding ends the blinking for
// good and the spin resumes.
TEST_F(Text3DTest, SpinTurnsTheTextAStepPerFrameAndBlinkingTogglesEvery150MsUpright) {
  const float kTwoPi = 6.2831855f;
  const struct { float speed; int frames; float angle; } rows[] = {
      {0.2f, 1, 0.2f}, {0.2f, 31, 6.2f}, {0.2f, 32, 6.4f - kTwoPi}, {0.2f, 33, 6.6f - kTwoPi}, {-0.5f, 1, kTwoPi - 0.5f}};
  for (const auto& row : rows) {
    C3DText spinning("Levity", 8, 0.4f);
    spinning.SetSpinSpeed(row.speed);
    for (int frame = 0; frame < row.frames; ++frame) spinning.Update();
    EXPECT_NEAR(spinning.GetAngle(), row.angle, 1e-4f) << row.speed << " x " << row.frames;
  }
  ASSERT_EQ(text.SetText("Egg broken !!", 0), S_OK);
  const Vec4 upright = Corner();
  text.SetSpinSpeed(0.2f), text.Update();
  const Vec4 turned = Corner();
  EXPECT_TRUE(std::fabs(turned.x - upright.x) < 1e-5f && std::fabs(turned.z - upright.z) > 0.01f);
  SetManualTickCount(0xFFFFFFA0u);
  text.SetAngle(2.0f);
  text.Rebuild();
  text.SetBlink(1);
  const struct { uint32_t ms; bool visible; } steps[] = {{144, true}, {6, true}, {1, false}, {100, false}, {51, true}};
  for (const auto& step : steps) {
    Advance(step.ms);
    text.Update();
    EXPECT_EQ(Meshes(), step.visible ? 1u : 0u) << " +" << step.ms;
  }
  EXPECT_FLOAT_EQ(text.GetAngle(), 0.0f);  // upright
  text.SetVisible(0);
  int shown = 0;
  for (int i = 0; i < 10; ++i) Advance(200), text.Update(), shown += text.IsVisible();
  EXPECT_TRUE(shown == 0 && std::fabs(text.GetAngle() - 2.0f) < 1e-5f);
  text.SetVisible(1);
  Advance(200), text.Update();
  EXPECT_TRUE(text.IsVisible() && std::fabs(text.GetAngle() - 2.2f) < 1e-5f);
}

// The HUD shows its labels alone until the first values, then each value
// beside its label, left to right in this order, none reaching into the
// next; nothing while hidden, and values set meanwhile once shown again.
TEST_F(LayerTest, HudShowsLabelsAloneUntilTheFirstValuesThenEachValueBesideItsLabel) {
  CHUD hud("Levity");
  const struct { bool set; int32_t level, score, eggs, tries; bool visible; std::vector<std::string> shows; } rows[] = {
      {false, 0, 0, 0, 0, true, {"Tries", "Level", "Score", "Eggs"}},
      {true, 10, 999999, 99, -1, true, {"Tries", "-1", "Level", "10", "Score", "999999", "Eggs", "99"}},  // the widest
      {true, 3, 250, 12, 4, false, {}},
      {false, 0, 0, 0, 0, true, {"Tries", "4", "Level", "3", "Score", "250", "Eggs", "12"}}};
  for (const auto& row : rows) {
    if (row.set) hud.SetValues(row.level, row.score, row.eggs, row.tries);
    hud.SetVisible(row.visible), hud.Update();
    device.ClearRecords();
    ASSERT_TRUE(hud.Render(&device) == 1 && device.meshes.size() == row.shows.size()) << row.shows.size();
    for (size_t i = 0; i < row.shows.size(); ++i) {
      const auto* mesh = static_cast<const RecordedMesh*>(device.meshes[i].mesh);
      EXPECT_TRUE(IsLine(mesh, "Levity", 6, 0.2f, row.shows[i].c_str())) << row.shows[i];
      float right = -1e9f;
      for (const MeshVertex& v : mesh->vertices) right = std::max(right, Transform({v.x, v.y, v.z}, device.meshes[i].world).x);
      const float next = i + 1 < row.shows.size() ? Transform({0, 0, 0}, device.meshes[i + 1].world).x : 1e9f;
      EXPECT_LT(right, next) << row.shows[i];
    }
  }
}

}  // namespace
