#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "layers/Text3D.h"
#include "support/RecordingDevice.h"

namespace {

struct Caption {
  const char* font;
  int32_t size;
  float depth;
  float scale;
  const char* text;
};

// Where the drawn text's middle lands across the screen, as a fraction of
// its width from the centre, with the scene's camera and lens (eye at
// z = -10 looking at the origin, 45 degree vertical field, 4:3).
float DrawnMiddleOffset(const RecordingDevice::MeshDraw& draw) {
  const Matrix4 toClip = draw.world * MatrixLookAtLH({0, 0, -10}, {0, 0, 0}, {0, 1, 0}) *
                         MatrixPerspectiveFovLH(0.7853982f, 1000.0f / 750.0f, 1.0f, 100.0f);
  float left = 1e9f, right = -1e9f;
  for (const MeshVertex& v : static_cast<const RecordedMesh*>(draw.mesh)->vertices) {
    const Vec4 clip = Transform({v.x, v.y, v.z}, toClip);
    left = std::min(left, clip.x / clip.w);
    right = std::max(right, clip.x / clip.w);
  }
  EXPECT_GT(right - left, 0.05f);
  return (left + right) / 4;  // clip x runs -1..1 across the screen
}

class Text3DCentringTest : public ::testing::TestWithParam<Caption> {
 protected:
  void SetUp() override { d3dDevice = &device; }
  void TearDown() override { d3dDevice = nullptr; }
  RecordingDevice device;
};

TEST_P(Text3DCentringTest, CentredCaptionStandsInTheMiddleOfTheScreen) {
  const Caption& caption = GetParam();
  C3DText text(caption.font, caption.size, caption.depth);
  ASSERT_EQ(text.SetText(caption.text, 0), S_OK);
  text.SetScale(caption.scale);
  text.SetPosition(300, 200);
  text.CenterHorizontally();
  ASSERT_EQ(text.Render(&device), 1);
  ASSERT_EQ(device.meshes.size(), 1u);
  EXPECT_LT(std::fabs(DrawnMiddleOffset(device.meshes[0])), 0.03f);
}

// The egg game's messages (centred at scale 1) and the title wheel's
// captions (placed by their half width at scale 0.7).
INSTANTIATE_TEST_SUITE_P(
    GameCaptions, Text3DCentringTest,
    ::testing::Values(Caption{"Levity", 8, 0.4f, 1.0f, "Ready ?"}, Caption{"Levity", 8, 0.4f, 1.0f, "Level 12"},
                      Caption{"Levity", 8, 0.4f, 1.0f, "Egg broken !!"}, Caption{"Levity", 8, 0.4f, 1.0f, "Game over"},
                      Caption{"Levity", 8, 0.4f, 1.0f, "Golden egg !"}, Caption{"Levity", 8, 0.4f, 1.0f, "Bonus !"},
                      Caption{"Levity", 8, 0.4f, 1.0f, "Golden egg lost !"},
                      Caption{"Levity", 8, 0.4f, 1.0f, "Beware, spoiled egg !"},
                      Caption{"Levity", 8, 0.4f, 1.0f, "Spoiled egg !"},
                      Caption{"Levity", 8, 0.4f, 1.0f, "That was close !"},
                      Caption{"Flubber", 10, 0.3f, 0.7f, "Play"}, Caption{"Flubber", 10, 0.3f, 0.7f, "High scores"},
                      Caption{"Flubber", 10, 0.3f, 0.7f, "Quit"}),
    [](const ::testing::TestParamInfo<Caption>& info) {
      std::string name = info.param.font;
      for (const char* c = info.param.text; *c; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
      }
      return name;
    });

}  // namespace
