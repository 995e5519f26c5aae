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

constexpr float kTwoPi = 6.2831855f;

// Whether `mesh` is the line `content` in the face `font` at `size`, `depth`.
bool IsLine(const RenderMesh* mesh, const char* font, int32_t size, float depth, const char* content) {
  const GlyphMeshData expected = CGlyphMeshBuilder::Shared().BuildLine(font, size, depth, content);
  const auto* drawn = static_cast<const RecordedMesh*>(mesh);
  return drawn->vertices.size() == expected.vertices.size() && drawn->indices == expected.indices;
}

class Text3DTest : public LayerTest {
 protected:
  // Draws `text` and returns how many meshes that drew.
  size_t DrawnMeshes(C3DText& text) {
    device.ClearRecords();
    text.Render(&device);
    return device.meshes.size();
  }
  // Where the drawn text puts the point `meshPoint` of its mesh.
  Vec4 Placed(const Vec3& meshPoint) {
    DrawnMeshes(text);
    return Transform(meshPoint, device.meshes.at(0).world);
  }
  C3DText text{"Levity", 8, 0.4f};
};

// Lines are appended or replaced, never set beyond the end, nor made
// without a device; the current line alone is drawn, an empty one as nothing.
TEST_F(Text3DTest, LinesAreSetInOrderAndDrawnOneAtATime) {
  EXPECT_EQ(text.Render(&device), 0);
  const struct { const char* content; uint32_t line; Result result; bool device; } sets[] = {
      {"Ready ?", 2, E_FAIL, true}, {"Ready ?", 0, S_OK, true}, {"Game over", 1, S_OK, true}, {"Bonus !", 3, E_FAIL, true},
      {"Bonus !", 1, S_OK, true},   {"", 2, S_OK, true},        {nullptr, 3, S_OK, true},      {"Egg", 4, E_POINTER, false},
      {"Egg", 0, E_POINTER, false}, {"", 4, S_OK, false}};
  for (const auto& set : sets) {
    d3dDevice = set.device ? &device : nullptr;
    EXPECT_EQ(text.SetText(set.content, set.line), set.result) << (set.content ? set.content : "null") << " " << set.line;
  }
  d3dDevice = &device;
  EXPECT_EQ(text.LineCount(), 5u);
  const struct { uint32_t line; int32_t rendered; const char* shows; } draws[] = {
      {0, 1, "Ready ?"}, {1, 1, "Bonus !"}, {2, 1, nullptr}, {3, 1, nullptr}, {5, 0, nullptr}};
  for (const auto& draw : draws) {
    text.SetLine(draw.line);
    device.ClearRecords();
    EXPECT_EQ(text.Render(&device), draw.rendered) << draw.line;
    const std::vector<std::string> drawing{"SetTransform", "SetMaterial", "DrawMesh"};
    EXPECT_EQ(device.calls, draw.shows ? drawing : std::vector<std::string>()) << draw.line;
    EXPECT_TRUE(!draw.shows || IsLine(device.meshes.back().mesh, "Levity", 8, 0.4f, draw.shows)) << draw.line;
  }
}

// A step a frame, kept within 0..2 pi both ways.
TEST_F(Text3DTest, SpinTurnsTheTextAStepPerFrameAndWrapsPastTwoPi) {
  const struct { float speed; int frames; float angle; } rows[] = {
      {0.2f, 1, 0.2f}, {0.2f, 31, 6.2f}, {0.2f, 32, 6.4f - kTwoPi}, {0.2f, 33, 6.6f - kTwoPi}, {-0.5f, 1, kTwoPi - 0.5f}};
  for (const auto& row : rows) {
    C3DText spinning("Levity", 8, 0.4f);
    spinning.SetSpinSpeed(row.speed);
    for (int frame = 0; frame < row.frames; ++frame) spinning.Update();
    EXPECT_NEAR(spinning.GetAngle(), row.angle, 1e-4f) << row.speed << " x " << row.frames;
  }
}

// A spin turns the drawn text about its axis, and every change of position
// rebuilds the pose, a step further. Blinking shows it upright, without
// spinning, toggled every 150 ms, across the clock's wrap too; hiding ends
// the blinking for good and the spin resumes.
TEST_F(Text3DTest, TheDrawnPoseFollowsTheSpinAndBlinkingTogglesEvery150MsUpright) {
  ASSERT_EQ(text.SetText("Egg broken !!", 0), S_OK);
  const Vec4 upright = Placed({1, 1, 0});
  text.SetSpinSpeed(0.2f);
  text.Update();
  const Vec4 turned = Placed({1, 1, 0});
  EXPECT_TRUE(std::fabs(turned.x - upright.x) < 1e-5f && std::fabs(turned.z - upright.z) > 0.01f);
  text.SetPosition(100, 300);
  EXPECT_NEAR(text.GetAngle(), 0.4f, 1e-5f);
  for (const uint32_t start : {kStart, 0xFFFFFFA0u}) {
    SetManualTickCount(start);
    text.SetAngle(2.0f);
    text.Rebuild();
    text.SetBlink(1);
    const Vec4 blinking = Placed({1, 1, 0});
    EXPECT_TRUE(std::fabs(blinking.y - upright.y) < 1e-5f && std::fabs(blinking.z - upright.z) < 1e-5f) << start;
    const struct { uint32_t ms; bool visible; } steps[] = {{144, true}, {6, true}, {1, false}, {100, false}, {51, true}};
    for (const auto& step : steps) {
      Advance(step.ms);
      text.Update();
      EXPECT_EQ(DrawnMeshes(text), step.visible ? 1u : 0u) << start << " +" << step.ms;
    }
    EXPECT_FLOAT_EQ(text.GetAngle(), 0.0f);
    text.SetVisible(0);
    int shown = 0;
    for (int i = 0; i < 10; ++i) Advance(200), text.Update(), shown += text.IsVisible();
    EXPECT_EQ(shown, 0);
    EXPECT_NEAR(text.GetAngle(), 2.0f, 1e-5f);
    text.SetVisible(1);
    Advance(200);
    text.Update();
    EXPECT_TRUE(text.IsVisible() && std::fabs(text.GetAngle() - 2.2f) < 1e-5f);
  }
}

// Draws the HUD and checks that it shows `texts` in green, left to right in
// this order along one line, none reaching into the next; none when hidden.
void ExpectShows(RecordingDevice& device, CHUD& hud, const std::vector<std::string>& texts) {
  device.ClearRecords();
  EXPECT_EQ(hud.Render(&device), 1);
  ASSERT_EQ(device.meshes.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    const RecordingDevice::MeshDraw& draw = device.meshes[i];
    const auto* mesh = static_cast<const RecordedMesh*>(draw.mesh);
    EXPECT_TRUE(IsLine(mesh, "Levity", 6, 0.2f, texts[i].c_str())) << texts[i];
    EXPECT_GT(draw.material.diffuse.g, draw.material.diffuse.r + draw.material.diffuse.b) << texts[i];
    EXPECT_FLOAT_EQ(Transform({0, 0, 0}, draw.world).y, Transform({0, 0, 0}, device.meshes[0].world).y) << texts[i];
    float right = -1e9f;
    for (const MeshVertex& v : mesh->vertices) right = std::max(right, Transform({v.x, v.y, v.z}, draw.world).x);
    if (i + 1 < texts.size()) { EXPECT_LT(right, Transform({0, 0, 0}, device.meshes[i + 1].world).x) << texts[i]; }
  }
}

TEST_F(LayerTest, HudShowsLabelsAloneUntilTheFirstValuesThenEachValueBesideItsLabel) {
  CHUD hud("Levity");
  ExpectShows(device, hud, {"Tries", "Level", "Score", "Eggs"});
  hud.SetValues(1, 123456, 0, 6);
  ExpectShows(device, hud, {"Tries", "6", "Level", "1", "Score", "123456", "Eggs", "0"});
  hud.SetValues(10, 999999, 99, -1);  // the widest values
  ExpectShows(device, hud, {"Tries", "-1", "Level", "10", "Score", "999999", "Eggs", "99"});
  hud.SetVisible(0);
  ExpectShows(device, hud, {});
  hud.SetValues(3, 250, 12, 4);
  hud.Update();
  hud.SetVisible(1);
  ExpectShows(device, hud, {"Tries", "4", "Level", "3", "Score", "250", "Eggs", "12"});
}

}  // namespace
