#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "text3d/GlyphMeshBuilder.h"
#include "layers/HUD.h"
#include "support/RecordingDevice.h"

namespace {

constexpr float kUnitsPerVirtual = 10.5f / 1024.0f;

class HUDTest : public ::testing::Test {
 protected:
  void SetUp() override { d3dDevice = &device; }
  void TearDown() override { d3dDevice = nullptr; }

  const std::vector<RecordingDevice::MeshDraw>& Draw(CHUD& hud) {
    device.ClearRecords();
    EXPECT_EQ(hud.Render(&device), 1);
    return device.meshes;
  }

  // Whether `draw` shows `content` in the HUD's face, at virtual x `x` on the
  // HUD's line, in green.
  static void ExpectText(const RecordingDevice::MeshDraw& draw, const std::string& content, int32_t x) {
    SCOPED_TRACE(content);
    const auto* mesh = static_cast<const RecordedMesh*>(draw.mesh);
    const GlyphMeshData expected = CGlyphMeshBuilder::Shared().BuildLine("Levity", 6, 0.2f, content.c_str());
    EXPECT_EQ(mesh->vertices.size(), expected.vertices.size());
    EXPECT_EQ(mesh->indices, expected.indices);
    const Vec4 origin = Transform({0, 0, 0}, draw.world);
    EXPECT_NEAR(origin.x, x * kUnitsPerVirtual - 5.25f, 1e-4f);
    EXPECT_NEAR(origin.y, 3.3f + 25 * kUnitsPerVirtual, 1e-4f);
    EXPECT_NEAR(Transform({1, 0, 0}, draw.world).x - origin.x, 0.6f, 1e-5f);
    EXPECT_EQ(draw.material.diffuse.r, 0.0f);
    EXPECT_EQ(draw.material.diffuse.g, 0.8f);
    EXPECT_EQ(draw.material.diffuse.b, 0.0f);
  }

  RecordingDevice device;
};

TEST_F(HUDTest, OnlyTheLabelsShowUntilTheFirstValues) {
  CHUD hud("Levity");
  const auto& draws = Draw(hud);
  ASSERT_EQ(draws.size(), 4u);
  ExpectText(draws[0], "Tries", 0);
  ExpectText(draws[1], "Level", 235);
  ExpectText(draws[2], "Score", 465);
  ExpectText(draws[3], "Eggs", 810);
}

TEST_F(HUDTest, ValuesAreShownInDecimalBesideTheirLabels) {
  CHUD hud("Levity");
  hud.SetValues(1, 123456, 0, 6);
  auto draws = Draw(hud);
  ASSERT_EQ(draws.size(), 8u);
  ExpectText(draws[0], "Tries", 0);
  ExpectText(draws[1], "6", 150);
  ExpectText(draws[2], "Level", 235);
  ExpectText(draws[3], "1", 385);
  ExpectText(draws[4], "Score", 465);
  ExpectText(draws[5], "123456", 630);
  ExpectText(draws[6], "Eggs", 810);
  ExpectText(draws[7], "0", 960);

  hud.SetValues(12, 7, 40, -1);
  draws = Draw(hud);
  ASSERT_EQ(draws.size(), 8u);
  ExpectText(draws[1], "-1", 150);
  ExpectText(draws[3], "12", 385);
  ExpectText(draws[5], "7", 630);
  ExpectText(draws[7], "40", 960);
}

// Labels end before their values, and values (six-digit scores included)
// before the next label.
TEST_F(HUDTest, TextsDoNotOverlap) {
  CHUD hud("Levity");
  hud.SetValues(10, 999999, 99, 6);
  const auto& draws = Draw(hud);
  ASSERT_EQ(draws.size(), 8u);
  for (size_t i = 0; i + 1 < 8; ++i) {
    float right = -1e9f;
    for (const MeshVertex& v : static_cast<const RecordedMesh*>(draws[i].mesh)->vertices) {
      right = std::max(right, Transform({v.x, v.y, v.z}, draws[i].world).x);
    }
    EXPECT_LT(right, Transform({0, 0, 0}, draws[i + 1].world).x) << "text " << i;
  }
}

TEST_F(HUDTest, HiddenHudDrawsNothingAndKeepsItsContent) {
  CHUD hud("Levity");
  hud.SetValues(3, 250, 12, 4);
  hud.SetVisible(0);
  EXPECT_TRUE(Draw(hud).empty());
  hud.Update();
  hud.SetVisible(1);
  const auto& draws = Draw(hud);
  ASSERT_EQ(draws.size(), 8u);
  ExpectText(draws[5], "250", 630);
}

}  // namespace
