#include <gst/gst.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "capture/CameraCaps.h"
#include "capture/ImageCapture.h"
#include "capture/SyntheticCamera.h"

// Before the pipeline exists every operation fails and says which one it was.
TEST(CaptureDevices, EveryOperationBeforeCreateFiltersNamesItself) {
  CImageCapture capture(nullptr);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>());
  ASSERT_TRUE(capture.EnumerateDevices());
  const std::pair<const char*, std::function<bool()>> operations[] = {
      {"SetCaptureDevice", [&] { return capture.SetCaptureDevice(0); }},
      {"EnumDeviceCaps", [&] { return capture.EnumDeviceCaps(); }},
      {"SelectVideoMode", [&] { return capture.SelectVideoMode(320, 240, 32); }},
      {"Run", [&] { return capture.Run(); }},
      {"Stop", [&] { return capture.Stop(); }},
  };
  for (const auto& [name, operation] : operations) {
    EXPECT_FALSE(operation()) << name;
    EXPECT_EQ(capture.GetLastErrorText().rfind(name, 0), 0u) << capture.GetLastErrorText();
    EXPECT_EQ(capture.GetLastResult(), E_FAIL) << name;
  }
  EXPECT_EQ(capture.FindVideoMode(320, 240, 32), nullptr);
}

// A source that converts by itself is asked for the subtype of the bits
// (5-6-5 for 16, never 5-5-5); bits it cannot give, or a size it does not
// list, ask for nothing.
TEST(CaptureDevices, ConvertingSourceIsAskedForTheSubtypeOrRefuses) {
  gst_init(nullptr, nullptr);
  GstCaps* offered = ConvertingSourceCaps({{320, 240, 32}});
  const struct {
    int32_t width, bits;
    const char* format;
  } rows[] = {{320, 16, "RGB16"}, {320, 24, "BGR"}, {320, 32, "BGRx"}, {320, 7, "BGRx"},
              {320, 4, nullptr},  {320, 8, nullptr}, {640, 32, nullptr}};
  for (const auto& row : rows) {
    GstCaps* asked = SourceCapsForMode(offered, row.width, 240, row.bits);
    ASSERT_EQ(asked != nullptr, row.format != nullptr) << row.width << "x" << row.bits;
    if (!asked) continue;
    const GstStructure* s = gst_caps_get_structure(asked, 0);
    EXPECT_STREQ(gst_structure_get_string(s, "format"), row.format) << row.bits;
    int width = 0, height = 0;
    EXPECT_TRUE(gst_structure_get_int(s, "width", &width) && gst_structure_get_int(s, "height", &height));
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    gst_caps_unref(asked);
  }
  gst_caps_unref(offered);
}
