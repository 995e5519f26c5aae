#include <gtest/gtest.h>

#include <cmath>

#include "text3d/GlyphMeshBuilder.h"
#include "layers/Text3D.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

namespace {

constexpr float kTwoPi = 6.2831855f;

class Text3DTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    d3dDevice = &device;
  }
  void TearDown() override {
    d3dDevice = nullptr;
    ManualClockTest::TearDown();
  }

  // Draws `text` and returns how many meshes that drew.
  size_t DrawnMeshes(C3DText& text) {
    device.ClearRecords();
    text.Render(&device);
    return device.meshes.size();
  }

  // Whether the last drawn mesh is the mesh of `content` in the message face.
  bool LastDrawnIs(const char* content) const {
    const auto* drawn = static_cast<const RecordedMesh*>(device.meshes.back().mesh);
    const GlyphMeshData expected = CGlyphMeshBuilder::Shared().BuildLine("Levity", 8, 0.4f, content);
    return drawn->vertices.size() == expected.vertices.size() && drawn->indices == expected.indices;
  }

  Vec3 Placed(const Vec3& meshPoint) {
    device.ClearRecords();
    text.Render(&device);
    const Vec4 p = Transform(meshPoint, device.meshes.at(0).world);
    return {p.x, p.y, p.z};
  }

  RecordingDevice device;
  C3DText text{"Levity", 8, 0.4f};
};

TEST_F(Text3DTest, LinesAreAppendedReplacedAndRefusedBeyondTheEnd) {
  EXPECT_EQ(text.Render(&device), 0);
  EXPECT_EQ(text.SetText("Ready ?", 2), E_FAIL);
  EXPECT_EQ(text.LineCount(), 0u);
  EXPECT_EQ(text.Render(&device), 0);

  ASSERT_EQ(text.SetText("Ready ?", 0), S_OK);
  ASSERT_EQ(text.SetText("Game over", 1), S_OK);
  EXPECT_EQ(text.SetText("Bonus !", 3), E_FAIL);
  EXPECT_EQ(text.LineCount(), 2u);
  ASSERT_EQ(DrawnMeshes(text), 1u);
  EXPECT_TRUE(LastDrawnIs("Ready ?"));
  text.SetLine(1);
  ASSERT_EQ(DrawnMeshes(text), 1u);
  EXPECT_TRUE(LastDrawnIs("Game over"));

  ASSERT_EQ(text.SetText("Bonus !", 1), S_OK);
  EXPECT_EQ(text.LineCount(), 2u);
  ASSERT_EQ(DrawnMeshes(text), 1u);
  EXPECT_TRUE(LastDrawnIs("Bonus !"));
  EXPECT_EQ(device.calls, (std::vector<std::string>{"SetTransform", "SetMaterial", "DrawMesh"}));

  text.SetLine(2);
  EXPECT_EQ(text.Render(&device), 0);
  EXPECT_EQ(DrawnMeshes(text), 0u);
}

TEST_F(Text3DTest, EmptyTextIsALineThatDrawsNothingAndMeshesNeedADevice) {
  ASSERT_EQ(text.SetText("", 0), S_OK);
  ASSERT_EQ(text.SetText(nullptr, 1), S_OK);
  EXPECT_EQ(text.LineCount(), 2u);
  EXPECT_EQ(device.CountCalls("CreateMesh"), 0u);
  device.ClearRecords();
  EXPECT_EQ(text.Render(&device), 1);
  EXPECT_TRUE(device.calls.empty());

  d3dDevice = nullptr;
  EXPECT_EQ(text.SetText("Egg", 2), E_POINTER);
  EXPECT_EQ(text.SetText("Egg", 0), E_POINTER);
  EXPECT_EQ(text.LineCount(), 2u);
  EXPECT_EQ(text.SetText("", 2), S_OK);
}

TEST_F(Text3DTest, SpinTurnsTheTextAStepPerFrameAndWrapsPastTwoPi) {
  ASSERT_EQ(text.SetText("Ready ?", 0), S_OK);
  text.SetSpinSpeed(0.2f);
  text.Update();
  EXPECT_NEAR(text.GetAngle(), 0.2f, 1e-5f);
  text.Update();
  EXPECT_NEAR(text.GetAngle(), 0.4f, 1e-5f);
  for (int frame = 3; frame <= 31; ++frame) {
    text.Update();
    ASSERT_GE(text.GetAngle(), 0.0f);
    ASSERT_LE(text.GetAngle(), kTwoPi);
  }
  EXPECT_NEAR(text.GetAngle(), 6.2f, 1e-4f);
  text.Update();
  EXPECT_NEAR(text.GetAngle(), 6.4f - kTwoPi, 1e-4f);
  text.Update();
  EXPECT_NEAR(text.GetAngle(), 6.6f - kTwoPi, 1e-4f);

  // A backwards spin wraps below zero the other way.
  C3DText back("Levity", 8, 0.4f);
  back.SetSpinSpeed(-0.5f);
  back.Update();
  EXPECT_NEAR(back.GetAngle(), kTwoPi - 0.5f, 1e-5f);
}

TEST_F(Text3DTest, TheDrawnPoseFollowsTheSpin) {
  ASSERT_EQ(text.SetText("Ready ?", 0), S_OK);
  const Vec3 upright = Placed({1, 0, 0});
  text.SetSpinSpeed(0.2f);
  text.Update();
  const Vec3 turned = Placed({1, 0, 0});
  // About the x axis: x stays, the point leaves the z = 0 plane.
  EXPECT_NEAR(turned.x, upright.x, 1e-5f);
  EXPECT_GT(std::fabs(turned.z - upright.z), 0.01f);
  // Every change of position is a rebuild too, which turns a spinning text.
  text.SetPosition(400, 100);
  EXPECT_NEAR(text.GetAngle(), 0.4f, 1e-5f);
}

TEST_F(Text3DTest, BlinkShowsTheTextUprightAndTogglesItEvery150Milliseconds) {
  ASSERT_EQ(text.SetText("Egg broken !!", 0), S_OK);
  const Vec3 upright = Placed({1, 1, 0});
  text.SetSpinSpeed(0.2f);
  text.SetAngle(2.0f);
  text.Rebuild();
  text.SetBlink(1);
  EXPECT_FLOAT_EQ(text.GetAngle(), 0.0f);
  const Vec3 blinking = Placed({1, 1, 0});
  EXPECT_NEAR(blinking.y, upright.y, 1e-5f);
  EXPECT_NEAR(blinking.z, upright.z, 1e-5f);

  Advance(150);
  text.Update();
  EXPECT_EQ(DrawnMeshes(text), 1u);
  Advance(1);
  text.Update();
  EXPECT_EQ(DrawnMeshes(text), 0u);
  EXPECT_EQ(text.Render(&device), 1);
  Advance(100);
  text.Update();
  EXPECT_FALSE(text.IsVisible());
  Advance(51);
  text.Update();
  EXPECT_TRUE(text.IsVisible());
  EXPECT_FLOAT_EQ(text.GetAngle(), 0.0f);  // no spinning while blinking

  // Hiding stops the blinking for good, and the spin resumes (hidden or not).
  text.SetVisible(0);
  for (int i = 0; i < 10; ++i) {
    Advance(200);
    text.Update();
    EXPECT_FALSE(text.IsVisible());
  }
  EXPECT_NEAR(text.GetAngle(), 2.0f, 1e-5f);
  text.SetVisible(1);
  Advance(200);
  text.Update();
  EXPECT_TRUE(text.IsVisible());
  EXPECT_NEAR(text.GetAngle(), 2.2f, 1e-5f);
}

TEST_F(Text3DTest, BlinkKeepsTimeAcrossTheClockWrap) {
  SetManualTickCount(0xFFFFFFA0u);
  text.SetBlink(1);
  SetManualTickCount(0x00000030u);  // 144 ms later
  text.Update();
  EXPECT_TRUE(text.IsVisible());
  SetManualTickCount(0x00000038u);  // 152 ms
  text.Update();
  EXPECT_FALSE(text.IsVisible());
}

TEST_F(Text3DTest, HalfWidthComesFromTheMeasuredWidthTimesScale) {
  EXPECT_EQ(text.GetHalfWidth(), 0);
  ASSERT_EQ(CGlyphMeshBuilder::Shared().MeasureWidth("Egg Game Quit"), 77);
  ASSERT_EQ(text.SetText("Egg Game Quit", 0), S_OK);
  text.SetScale(0.7f);
  EXPECT_EQ(text.GetHalfWidth(), 190);  // trunc(38 x 5.005)
  text.CenterHorizontally();
  float x = 0, y = 0;
  text.GetPosition(x, y);
  EXPECT_EQ(x, 512.0f - 190.0f);
  EXPECT_EQ(y, 300.0f);
  text.SetLine(1);
  EXPECT_EQ(text.GetHalfWidth(), 0);
}

TEST_F(Text3DTest, WorldMatrixPlacesTheBaselineOriginAndTurnsAboutThePivot) {
  ASSERT_EQ(text.SetText("Ready ?", 0), S_OK);
  // Upright at the default (100, 300): x 100 -> -4.2246, y 300 -> 0.2238.
  Vec3 p = Placed({0, 0, 0});
  EXPECT_NEAR(p.x, -4.2246094f, 1e-5f);
  EXPECT_NEAR(p.y, 0.2238281f, 1e-5f);
  EXPECT_NEAR(p.z, 0.0f, 1e-6f);
  text.SetScale(0.6f);
  p = Placed({1, 1, 0});
  EXPECT_NEAR(p.x, -4.2246094f + 0.6f, 1e-5f);
  EXPECT_NEAR(p.y, 0.2238281f + 0.6f, 1e-5f);

  // A quarter turn about z at the screen's middle, scale 1: the pivot is
  // mesh point (0, 0.3), so the origin goes to (0.3, 0.3) above and right of
  // where it stood upright (0, -0.6375).
  text.SetScale(1.0f);
  text.SetPosition(512, 384);
  text.SetSpinAxis(0, 0, 1);
  text.SetAngle(1.5707964f);
  text.Rebuild();
  p = Placed({0, 0, 0});
  EXPECT_NEAR(p.x, 0.3f, 1e-5f);
  EXPECT_NEAR(p.y, -0.3375f, 1e-5f);
  p = Placed({1, 0, 0});
  EXPECT_NEAR(p.x, 0.3f, 1e-5f);
  EXPECT_NEAR(p.y, 0.6625f, 1e-5f);

  // Half a turn about x at scale 2: upside down, mirrored in depth about
  // the pivot at z = -0.4.
  text.SetScale(2.0f);
  text.SetSpinAxis(1, 0, 0);
  text.SetAngle(3.1415927f);
  text.Rebuild();
  p = Placed({1, 0, 0});
  EXPECT_NEAR(p.x, 2.0f, 1e-5f);
  EXPECT_NEAR(p.y, 0.5625f, 1e-5f);
  EXPECT_NEAR(p.z, -0.8f, 1e-5f);
}

TEST_F(Text3DTest, ColourBecomesTheMaterialAndAlphaIsIgnored) {
  ASSERT_EQ(text.SetText("Ready ?", 0), S_OK);
  text.Render(&device);
  EXPECT_EQ(device.material.diffuse.b, 1.0f);
  EXPECT_EQ(device.material.diffuse.r, 0.0f);
  text.SetColor(0.25f, 0.5f, 0.75f, 0.1f);
  text.Render(&device);
  const Material& m = device.meshes.back().material;
  for (const ColorValue& c : {m.diffuse, m.ambient}) {
    EXPECT_EQ(c.r, 0.25f);
    EXPECT_EQ(c.g, 0.5f);
    EXPECT_EQ(c.b, 0.75f);
    EXPECT_EQ(c.a, 1.0f);
  }
  EXPECT_EQ(m.specular.r + m.specular.g + m.specular.b + m.emissive.r + m.emissive.g + m.emissive.b + m.power, 0.0f);
}

}  // namespace
