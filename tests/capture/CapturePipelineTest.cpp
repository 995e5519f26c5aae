#include <SDL.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "CaptureDriver.h"
#include "capture/CaptureNotice.h"
#include "capture/LaunchSource.h"
#include "capture/SyntheticCamera.h"
#include "layers/VideoTextureLayer.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "render/PngWriter.h"
#include "support/OffscreenScene.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

namespace {

using namespace std::chrono_literals;

std::atomic<int> liveDetectors{0};
std::atomic<int> destroyedOffMainThread{0};
std::thread::id mainThread;

class TrackedDetector : public CMotionDetector {
 public:
  TrackedDetector() { ++liveDetectors; }
  ~TrackedDetector() override {
    --liveDetectors;
    if (std::this_thread::get_id() != mainThread) ++destroyedOffMainThread;
  }
};

// Whether `argb` is mostly red (channel 0) or green (1).
bool IsMostly(uint32_t argb, int channel) {
  const int value[3] = {int(argb >> 16) & 0xFF, int(argb >> 8) & 0xFF, int(argb) & 0xFF};
  return value[channel] > 200 && value[(channel + 1) % 3] < 60 && value[(channel + 2) % 3] < 60;
}

}  // namespace

// The engine on a camera whose white blob jumps about near the picture's
// top-left corner, beside a red blob still near its bottom-left and a green
// one near its bottom-right, chosen as the start-up does and drawing with
// OpenGL. The moving corner reaches the detector in the high rows and low
// columns of its grid; the picture fills the window mirrored left to right
// and upright, although the texture holds it bottom row first (the frame is
// written to video_layer.png for a look). Detectors swapped while frames
// flow go on the main thread once the streaming thread has let go of them.
TEST(CaptureEngine, FramesReachTheDetectorAndTheTextureBottomRowFirstWhileDetectorsSwap) {
  mainThread = std::this_thread::get_id();
  OffscreenScene scene;
  ASSERT_TRUE(scene.Ok());
  auto engine = std::make_unique<CCaptureEngine>();
  engine->Init(nullptr);
  CImageCapture& capture = *engine->GetImageCapture();
  const SceneBlob red{0xFF0000, 0.12f, {{0, 0.2f, 0.75f}}}, green{0x00FF00, 0.1f, {{0, 0.8f, 0.8f}}},
      white{0xFFFFFF, 0.1f, {{0, 0.15f, 0.15f}, {99, 0.15f, 0.15f}, {100, 0.3f, 0.25f}, {199, 0.3f, 0.25f}}};
  ASSERT_TRUE(Attach(capture, std::make_shared<CSyntheticCamera>(CSyntheticScene({white, red, green}, 200))));
  // As at start-up, the mode picked in the dialog is replaced by the final one.
  ASSERT_TRUE(capture.SetVideoMode(capture.GetMode(0)));
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(320, 240, 32))) << capture.GetLastErrorText();
  engine->SetScreenRect(0, 0, static_cast<int32_t>(scene.Device().GetViewport().width),
                        static_cast<int32_t>(scene.Device().GetViewport().height));
  // However many messages the pipeline posts, the main thread gets one notice
  // until it has handled them.
  const uint32_t notice = CaptureNoticeEventType();
  const auto notices = [notice] {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, notice, notice);
  };
  SDL_FlushEvent(notice);
  ASSERT_TRUE(engine->Start()) << capture.GetLastErrorText();
  ASSERT_TRUE(WaitFor([&] { return notices() > 0; }));
  std::this_thread::sleep_for(100ms);  // state changes keep coming: still one notice
  EXPECT_EQ(notices(), 1);

  auto detector = std::make_shared<TrackedDetector>();
  EXPECT_TRUE(engine->SetMotionDetector(detector));
  EXPECT_EQ(CurrentMotionDetector(), detector.get());
  MotionRect rects[kMaxMotionRects];
  int32_t count = 0;
  ASSERT_TRUE(WaitFor([&] {
    engine->Update();
    detector->GetMotionRects(rects, &count);
    return count > 0 && cameraTexture;
  })) << "the detector saw no movement (frames of the wrong size?)";
  for (int32_t i = 0; i < count; ++i) {
    EXPECT_GE(rects[i].minY, 15) << i;
    EXPECT_LE(rects[i].maxX, 14) << i;
  }
  EXPECT_EQ(cameraTexture->Width(), 320u);
  EXPECT_EQ(cameraTextureFormat, CameraTextureFormat::X8R8G8B8);
  scene.BeginFrame();
  engine->GetVideoLayer()->Render(&scene.Device());
  scene.EndFrame();
  WritePng("video_layer.png", scene.pixels, scene.width, scene.height);
  const auto at = [&](float x, float y) {
    return scene.At(static_cast<uint32_t>(x * static_cast<float>(scene.width)),
                    static_cast<uint32_t>(y * static_cast<float>(scene.height)));
  };
  for (const auto& [x, y, channel, mostly] : {std::tuple{0.8f, 0.75f, 0, true}, {0.2f, 0.8f, 1, true},
                                              {0.2f, 0.75f, 0, false}, {0.8f, 0.25f, 0, false}, {0.8f, 0.8f, 1, false}})
    EXPECT_EQ(IsMostly(at(x, y), channel), mostly) << x << "," << y << ": " << std::hex << at(x, y);
  // The picture reaches every edge of the window.
  for (const float x : {0.005f, 0.995f})
    for (const float y : {0.005f, 0.995f}) EXPECT_NE(at(x, y) & 0xFFFFFF, 0u) << x << "," << y;

  detector.reset();
  for (int i = 0; i < 40; ++i) {
    EXPECT_TRUE(engine->SetMotionDetector(std::make_shared<TrackedDetector>()));
    std::this_thread::sleep_for(3ms);
    engine->Update();
  }
  EXPECT_TRUE(WaitFor([] { return liveDetectors <= 2; }, 1000, [&] { engine->Update(); }));
  // The texture goes with the shut-down, while the drawing device still
  // exists. Handled, the notice comes again with the messages of the stop.
  SDL_FlushEvent(notice);
  engine->Update();
  engine->Shutdown();
  EXPECT_TRUE(WaitFor([&] { return notices() > 0; }));
  EXPECT_EQ(cameraTexture, nullptr);
  EXPECT_NE(engine->GetVideoLayer(), nullptr);
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  EXPECT_EQ(liveDetectors, 0);
  EXPECT_EQ(destroyedOffMainThread, 0);
}

TEST(VideoTextureLayer, DrawsTheCameraTextureAndPutsTheStatesBack) {
  RecordingDevice device;
  RenderStates before = device.GetStates();
  before.linearFilter = false;
  before.lighting = true;
  device.SetStates(before);
  CVideoTextureLayer layer;
  EXPECT_EQ(layer.Render(&device), 1);  // no camera texture: drawn untextured
  EXPECT_EQ(device.strips.back().texture, nullptr);
  cameraTexture = device.CreateTexture(4, 4, nullptr);
  layer.Render(&device);
  EXPECT_EQ(device.strips.back().texture, cameraTexture.get());
  EXPECT_TRUE(device.strips.back().states.linearFilter);
  EXPECT_FALSE(device.strips.back().states.lighting);
  EXPECT_EQ(device.texture, nullptr);
  EXPECT_EQ(device.GetStates(), before);
  cameraTexture.reset();
}

class SourceFaultTest : public ManualClockTest {};

TEST_F(SourceFaultTest, CameraPluggedBackAtAnotherNodeIsFoundByItsName) {
  constexpr char kListing[] = "video/x-raw, format=(string)BGRx, width=(int)320, height=(int)240, "
                              "framerate=(fraction)30/1";
  FakeCameras cameras;
  auto first = std::make_shared<CSyntheticCamera>();
  GstDevice* atVideo0 = cameras.Plug("USB Camera", kListing, "/dev/video0", first);
  CImageCapture capture(nullptr);
  ASSERT_TRUE(capture.EnumerateDevices());
  int32_t index = 0;
  while (index < capture.GetDeviceCount() && capture.GetDevice(index)->GetName() != "USB Camera") ++index;
  ASSERT_TRUE(capture.CreateFilters());
  ASSERT_TRUE(capture.SetCaptureDevice(index)) << capture.GetLastErrorText();
  ASSERT_TRUE(capture.EnumDeviceCaps());
  ASSERT_TRUE(RunIn(capture, 320, 240));
  const auto check = [&] { capture.CheckSource(); };
  ASSERT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() > 3; }, 3000, check));

  // Pulled out: its node is gone for good. Plugged into another port, it
  // comes back at another node.
  testing::internal::CaptureStderr();
  first->SetUnplugged(true);
  cameras.Unplug(atVideo0);
  EXPECT_TRUE(WaitFor([&] { return capture.IsSourceFaulted(); }, 3000, check));
  cameras.Plug("USB Camera", kListing, "/dev/video2", std::make_shared<CSyntheticCamera>());
  const uint64_t framesAtLoss = capture.GetDetectorFrameCount();
  Advance(2000);
  EXPECT_TRUE(WaitFor([&] { return !capture.IsSourceFaulted(); }, 3000, check));
  EXPECT_GT(capture.GetDetectorFrameCount(), framesAtLoss);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("\"USB Camera\" delivers pictures again"), std::string::npos) << said;
  EXPECT_TRUE(capture.Stop());
}

// A camera that stops after a few frames, as a stuck one does, counts as
// failed after three seconds without a picture, not before.
TEST_F(SourceFaultTest, SilentCameraCountsAsFailedAfterThreeSeconds) {
  CImageCapture capture(nullptr);
  ASSERT_TRUE(Attach(capture, std::make_shared<CLaunchSource>("videotestsrc is-live=true num-buffers=3 ! identity",
                                                              std::vector<CVideoMode>{{160, 120, 32}})));
  ASSERT_TRUE(RunIn(capture));
  const auto check = [&] { capture.CheckSource(); };
  ASSERT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() >= 3; }, 3000, check));
  std::this_thread::sleep_for(200ms);
  capture.CheckSource();
  testing::internal::CaptureStderr();
  Advance(2999);
  capture.CheckSource();
  EXPECT_FALSE(capture.IsSourceFaulted());
  Advance(1);
  capture.CheckSource();
  EXPECT_TRUE(capture.IsSourceFaulted());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("\"Test camera\""), std::string::npos);
}
