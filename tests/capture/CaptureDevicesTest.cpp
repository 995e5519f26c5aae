#include <gst/gst.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "capture/CameraCaps.h"
#include "capture/ImageCapture.h"
#include "capture/SyntheticCamera.h"

namespace {

const char kLabelSuffix[] = ": ImageCapture object not initialized\n";

std::unique_ptr<CImageCapture> CaptureWith(std::shared_ptr<CCameraSource> source) {
  auto capture = std::make_unique<CImageCapture>(nullptr);
  capture->SetSystemCamerasListed(false);
  if (source) capture->AddExtraSource("Test camera", std::move(source));
  return capture;
}

std::string CapsText(GstCaps* caps) {
  if (!caps) return "(none)";
  gchar* text = gst_caps_to_string(caps);
  std::string result = text;
  g_free(text);
  gst_caps_unref(caps);
  return result;
}

class CameraCaps : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gst_init(nullptr, nullptr); }
};

}  // namespace

TEST(CaptureDevices, NoDeviceAtAllIsReported) {
  auto capture = CaptureWith(nullptr);
  EXPECT_FALSE(capture->EnumerateDevices());
  EXPECT_EQ(capture->GetLastErrorText(), "EnumerateDevices: No video capture devices found");
  EXPECT_EQ(capture->GetDeviceCount(), 0);
}

TEST(CaptureDevices, TestCameraIsListedAfterTheSystemCameras) {
  auto capture = std::make_unique<CImageCapture>(nullptr);
  capture->AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>());
  ASSERT_TRUE(capture->EnumerateDevices());
  const int32_t count = capture->GetDeviceCount();
  ASSERT_GE(count, 1);
  EXPECT_EQ(capture->GetDevice(count - 1)->GetName(), "Test camera");
  // A second enumeration rebuilds the list rather than appending to it.
  ASSERT_TRUE(capture->EnumerateDevices());
  EXPECT_EQ(capture->GetDeviceCount(), count);
}

TEST(CaptureDevices, DeviceWithoutNameIsUnknown) {
  CVideoCaptureDevice device(nullptr, nullptr);
  EXPECT_EQ(device.GetName(), "Unknown name");
}

TEST(CaptureDevices, EveryOperationBeforeCreateFiltersNamesItself) {
  auto capture = CaptureWith(std::make_shared<CSyntheticCamera>());
  ASSERT_TRUE(capture->EnumerateDevices());
  const int32_t index = 0, width = 320, height = 240, bits = 32;
  EXPECT_FALSE(capture->SetCaptureDevice(index));
  EXPECT_EQ(capture->GetLastErrorText(), std::string("SetCaptureDevice()") + kLabelSuffix);
  EXPECT_EQ(capture->GetLastResult(), E_FAIL);
  EXPECT_FALSE(capture->EnumDeviceCaps());
  EXPECT_EQ(capture->GetLastErrorText(), std::string("EnumDeviceCaps()") + kLabelSuffix);
  EXPECT_FALSE(capture->SelectVideoMode(width, height, bits));
  EXPECT_EQ(capture->GetLastErrorText(), std::string("SelectVideoMode()") + kLabelSuffix);
  EXPECT_FALSE(capture->Run());
  EXPECT_EQ(capture->GetLastErrorText(), std::string("Run()") + kLabelSuffix);
  EXPECT_FALSE(capture->Stop());
  EXPECT_EQ(capture->GetLastErrorText(), std::string("Stop()") + kLabelSuffix);
  EXPECT_EQ(capture->FindVideoMode(320, 240, 32), nullptr);
}

TEST(CaptureDevices, DeviceIndexOutsideTheListIsRefused) {
  auto capture = CaptureWith(std::make_shared<CSyntheticCamera>());
  ASSERT_TRUE(capture->EnumerateDevices());
  ASSERT_TRUE(capture->CreateFilters());
  for (const int32_t index : {-1, capture->GetDeviceCount()}) {
    EXPECT_FALSE(capture->SetCaptureDevice(index)) << index;
    EXPECT_EQ(capture->GetLastErrorText(), "SetCaptureDevice(): No capture devices found matching device value\n");
    EXPECT_EQ(capture->GetLastResult(), E_FAIL);
    EXPECT_EQ(capture->IsDeviceAttached(), 0);
  }
  // Attached but a device is still required for the mode list: the flag works.
  EXPECT_FALSE(capture->EnumDeviceCaps());
  EXPECT_EQ(capture->GetLastErrorText(), std::string("EnumDeviceCaps()") + kLabelSuffix);
}

TEST(CaptureDevices, FindVideoModeReturnsTheFirstMatch) {
  auto camera = std::make_shared<CSyntheticCamera>(
      CSyntheticScene::Default(),
      std::vector<CVideoMode>{{640, 480, 32}, {320, 240, 32}, {320, 240, 24}, {320, 240, 32}});
  auto capture = CaptureWith(camera);
  ASSERT_TRUE(capture->EnumerateDevices());
  ASSERT_TRUE(capture->CreateFilters());
  ASSERT_TRUE(capture->SetCaptureDevice(0));
  ASSERT_TRUE(capture->EnumDeviceCaps());
  ASSERT_EQ(capture->GetModeCount(), 4);
  EXPECT_EQ(capture->FindVideoMode(320, 240, 32), capture->GetMode(1));
  EXPECT_EQ(capture->FindVideoMode(320, 240, 24), capture->GetMode(2));
  EXPECT_EQ(capture->FindVideoMode(320, 240, 16), nullptr);
  EXPECT_EQ(capture->GetMode(0)->Description(), "32x640x480");
  // Rebuilding the pipeline detaches the device: nothing is found any more.
  ASSERT_TRUE(capture->CreateFilters());
  EXPECT_EQ(capture->FindVideoMode(320, 240, 32), nullptr);
}

TEST(CaptureDevices, CameraWithoutModesListsNone) {
  auto capture = CaptureWith(std::make_shared<CSyntheticCamera>(CSyntheticScene::Default(), std::vector<CVideoMode>{}));
  ASSERT_TRUE(capture->EnumerateDevices());
  ASSERT_TRUE(capture->CreateFilters());
  ASSERT_TRUE(capture->SetCaptureDevice(0));
  EXPECT_TRUE(capture->EnumDeviceCaps());
  EXPECT_EQ(capture->GetModeCount(), 0);
}

TEST(CaptureDevices, BusyCameraIsRefusedByName) {
  auto camera = std::make_shared<CSyntheticCamera>();
  auto capture = CaptureWith(camera);
  ASSERT_TRUE(capture->EnumerateDevices());
  ASSERT_TRUE(capture->CreateFilters());
  camera->SetBusy(true);
  EXPECT_FALSE(capture->SetCaptureDevice(0));
  EXPECT_NE(capture->GetLastErrorText().find("\"Test camera\" is busy"), std::string::npos)
      << capture->GetLastErrorText();
  EXPECT_EQ(capture->IsDeviceAttached(), 0);
  camera->SetBusy(false);
  EXPECT_TRUE(capture->SetCaptureDevice(0));
  EXPECT_EQ(capture->IsDeviceAttached(), 1);
}

TEST_F(CameraCaps, BitsPerPixelChooseTheSubtype) {
  EXPECT_EQ(SubtypeForBits(1), VideoSubtype::RGB1);
  EXPECT_EQ(SubtypeForBits(4), VideoSubtype::RGB4);
  EXPECT_EQ(SubtypeForBits(8), VideoSubtype::RGB8);
  EXPECT_EQ(SubtypeForBits(16), VideoSubtype::RGB565);
  EXPECT_EQ(SubtypeForBits(24), VideoSubtype::RGB24);
  for (const int32_t bits : {0, 12, 15, 32, 64}) EXPECT_EQ(SubtypeForBits(bits), VideoSubtype::RGB32) << bits;
  EXPECT_STREQ(GstFormatFor(VideoSubtype::RGB565), "RGB16");  // 5-6-5, never 5-5-5
}

TEST_F(CameraCaps, ConvertingSourceIsAskedForTheSubtypeOrRefuses) {
  GstCaps* offered = ConvertingSourceCaps({{320, 240, 32}});
  EXPECT_EQ(CapsText(SourceCapsForMode(offered, 320, 240, 16)),
            "video/x-raw, width=(int)320, height=(int)240, format=(string)RGB16");
  EXPECT_EQ(CapsText(SourceCapsForMode(offered, 320, 240, 24)),
            "video/x-raw, width=(int)320, height=(int)240, format=(string)BGR");
  EXPECT_EQ(CapsText(SourceCapsForMode(offered, 320, 240, 7)),
            "video/x-raw, width=(int)320, height=(int)240, format=(string)BGRx");
  EXPECT_EQ(CapsText(SourceCapsForMode(offered, 320, 240, 4)), "(none)");
  EXPECT_EQ(CapsText(SourceCapsForMode(offered, 640, 480, 32)), "(none)");
  gst_caps_unref(offered);
}

TEST(CaptureDevices, ModeTheSourceCannotDeliverIsAnInvalidMediaType) {
  auto capture = CaptureWith(std::make_shared<CSyntheticCamera>());
  ASSERT_TRUE(capture->EnumerateDevices());
  ASSERT_TRUE(capture->CreateFilters());
  ASSERT_TRUE(capture->SetCaptureDevice(0));
  const int32_t width = 320, height = 240, palette = 8, full = 32, odd = 333;
  EXPECT_TRUE(capture->SelectVideoMode(width, height, full));
  const Result before = capture->GetLastResult();
  EXPECT_FALSE(capture->SelectVideoMode(width, height, palette));
  EXPECT_EQ(capture->GetLastErrorText(), "SelectVideoMode(): Invalid media type");
  EXPECT_EQ(capture->GetLastResult(), before);
  EXPECT_FALSE(capture->SelectVideoMode(odd, height, full));
  EXPECT_EQ(capture->GetLastErrorText(), "SelectVideoMode(): Invalid media type");
}
