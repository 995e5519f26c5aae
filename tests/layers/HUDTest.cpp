#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LayerTest.h"
#include "layers/HUD.h"
#include "text3d/GlyphMeshBuilder.h"

namespace {

// Draws the HUD and checks that it shows `texts` in green, left to right in
// this order along one line, none reaching into the next; none when hidden.
void ExpectShows(RecordingDevice& device, CHUD& hud, const std::vector<std::string>& texts) {
  device.ClearRecords();
  EXPECT_EQ(hud.Render(&device), 1);
  ASSERT_EQ(device.meshes.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) {
    const RecordingDevice::MeshDraw& draw = device.meshes[i];
    const auto* mesh = static_cast<const RecordedMesh*>(draw.mesh);
    EXPECT_EQ(mesh->indices, CGlyphMeshBuilder::Shared().BuildLine("Levity", 6, 0.2f, texts[i].c_str()).indices) << texts[i];
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
