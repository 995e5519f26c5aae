#include <SDL.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "FakeCameras.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureNotice.h"
#include "capture/LaunchSource.h"
#include "capture/SyntheticCamera.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "support/RecordingDevice.h"
#include "support/TestClock.h"

namespace {

using namespace std::chrono_literals;

// Polls `done` (after `step`) for up to `limit` of real time.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 3000ms,
             const std::function<void()>& step = [] {}) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    step();
    if (done()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

// A white blob that jumps between two places near the top-left corner of the
// picture five times a second.
CSyntheticScene TopLeftBlob() {
  SceneBlob blob{0xFFFFFF, 0.1f, {{0, 0.15f, 0.15f}, {99, 0.15f, 0.15f}, {100, 0.3f, 0.25f}, {199, 0.3f, 0.25f}}};
  return CSyntheticScene({blob}, 200);
}

// The engine on one camera, chosen as the start-up does, drawing into a
// recording device.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { d3dDevice = &device; }
  void TearDown() override {
    engine.reset();
    d3dDevice = nullptr;
  }

  void StartWith(std::shared_ptr<CCameraSource> source, int32_t width, int32_t height) {
    engine = std::make_unique<CCaptureEngine>();
    engine->Init(nullptr);
    CImageCapture& capture = *engine->GetImageCapture();
    capture.SetSystemCamerasListed(false);
    capture.AddExtraSource("Test camera", std::move(source));
    ASSERT_TRUE(capture.EnumerateDevices());
    ASSERT_TRUE(capture.CreateFilters());
    ASSERT_TRUE(capture.SetCaptureDevice(0)) << capture.GetLastErrorText();
    ASSERT_TRUE(capture.EnumDeviceCaps());
    // As at start-up, the mode picked in the dialog is replaced by the final one.
    ASSERT_TRUE(capture.SetVideoMode(capture.GetMode(capture.GetModeCount() - 1)));
    CVideoMode* mode = capture.FindVideoMode(width, height, 32);
    ASSERT_NE(mode, nullptr);
    ASSERT_TRUE(capture.SetVideoMode(mode)) << capture.GetLastErrorText();
    engine->SetScreenRect(0, 0, 1000, 750);
    ASSERT_TRUE(engine->Start()) << capture.GetLastErrorText();
  }

  CImageCapture& Capture() { return *engine->GetImageCapture(); }

  RecordingDevice device;
  std::unique_ptr<CCaptureEngine> engine;
};

}  // namespace

TEST_F(EngineTest, FramesReachTheDetectorBottomRowFirst) {
  StartWith(std::make_shared<CSyntheticCamera>(TopLeftBlob()), 320, 240);
  auto detector = std::make_shared<CMotionDetector>();
  EXPECT_TRUE(engine->SetMotionDetector(detector));
  EXPECT_EQ(CurrentMotionDetector(), detector.get());
  MotionRect rects[kMaxMotionRects];
  int32_t count = 0;
  ASSERT_TRUE(WaitFor([&] {
    detector->GetMotionRects(rects, &count);
    return count > 0;
  })) << "the detector saw no movement (frames of the wrong size?)";
  for (int32_t i = 0; i < count; ++i) {
    // Top of the picture = high grid rows; left of the picture = low columns.
    EXPECT_GE(rects[i].minY, 15) << i;
    EXPECT_LE(rects[i].maxX, 14) << i;
  }
}

TEST_F(EngineTest, CameraTextureHoldsThePictureBottomRowFirst) {
  StartWith(std::make_shared<CSyntheticCamera>(TopLeftBlob()), 320, 240);
  ASSERT_TRUE(WaitFor([&] { return cameraTexture != nullptr; }, 3000ms, [&] { engine->Update(); }));
  const auto* texture = static_cast<RecordedTexture*>(cameraTexture.get());
  EXPECT_EQ(texture->Width(), 320u);
  EXPECT_EQ(texture->Height(), 240u);
  EXPECT_EQ(cameraTextureFormat, CameraTextureFormat::X8R8G8B8);
  // The blobs stay in the top-left; elsewhere the still background shows.
  for (const auto& [x, pictureRow] : {std::pair{300, 239}, std::pair{310, 200}, std::pair{200, 120}})
    EXPECT_EQ(texture->Texel(x, 239 - pictureRow),
              0xFF000000u | CSyntheticScene::Background(x, pictureRow, 320, 240))
        << x << "," << pictureRow;
  EXPECT_NE(engine->GetVideoLayer(), nullptr);
  engine->Shutdown();
  EXPECT_EQ(cameraTexture, nullptr);
  EXPECT_NE(engine->GetVideoLayer(), nullptr);
}

TEST_F(EngineTest, TestPatternRunsAtCameraRate) {
  StartWith(std::make_shared<CLaunchSource>("videotestsrc is-live=true pattern=ball",
                                            std::vector<CVideoMode>{{640, 480, 32}}),
            640, 480);
  ASSERT_TRUE(WaitFor([&] { return Capture().GetDetectorFrameCount() > 0; }));
  const uint64_t first = Capture().GetDetectorFrameCount();
  const uint64_t firstTexture = Capture().GetRenderer()->FrameCount();
  std::this_thread::sleep_for(2s);
  const uint64_t frames = Capture().GetDetectorFrameCount() - first;
  const uint64_t textureFrames = Capture().GetRenderer()->FrameCount() - firstTexture;
  EXPECT_GE(frames, 45u);
  EXPECT_LE(frames, 75u);
  EXPECT_GE(textureFrames, 45u);
  engine->Update();
  ASSERT_NE(cameraTexture, nullptr);
  EXPECT_EQ(cameraTexture->Width(), 640u);
  EXPECT_TRUE(engine->Stop());
}

namespace {
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
}  // namespace

TEST_F(EngineTest, DetectorsSwapWhileFramesFlow) {
  mainThread = std::this_thread::get_id();
  StartWith(std::make_shared<CSyntheticCamera>(TopLeftBlob()), 160, 120);
  ASSERT_TRUE(WaitFor([&] { return Capture().GetDetectorFrameCount() > 2; }));
  for (int i = 0; i < 40; ++i) {
    EXPECT_TRUE(engine->SetMotionDetector(std::make_shared<TrackedDetector>()));
    std::this_thread::sleep_for(3ms);
    engine->Update();
  }
  // Replaced detectors go once the streaming thread has let go of them.
  EXPECT_TRUE(WaitFor([] { return liveDetectors <= 2; }, 1000ms, [&] { engine->Update(); }));
  engine->Shutdown();
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  EXPECT_EQ(liveDetectors, 0);
  EXPECT_EQ(destroyedOffMainThread, 0);
}

class SourceFaultTest : public ManualClockTest {};

TEST_F(SourceFaultTest, UnpluggedCameraKeepsTheGameGoingAndComesBack) {
  auto camera = std::make_shared<CSyntheticCamera>();
  CImageCapture capture(nullptr);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Test camera", camera);
  ASSERT_TRUE(capture.EnumerateDevices());
  ASSERT_TRUE(capture.CreateFilters());
  ASSERT_TRUE(capture.SetCaptureDevice(0));
  ASSERT_TRUE(capture.EnumDeviceCaps());
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(160, 120, 32)));
  ASSERT_TRUE(capture.Run());
  ASSERT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() > 3; }, 3000ms, [&] { capture.CheckSource(); }));

  testing::internal::CaptureStderr();
  camera->SetUnplugged(true);
  EXPECT_TRUE(WaitFor([&] { return capture.IsSourceFaulted(); }, 3000ms, [&] { capture.CheckSource(); }));
  // Still unplugged at the next attempt: no second message.
  Advance(2000);
  capture.CheckSource();
  std::this_thread::sleep_for(100ms);
  capture.CheckSource();
  EXPECT_TRUE(capture.IsSourceFaulted());
  camera->SetUnplugged(false);
  Advance(2000);
  EXPECT_TRUE(WaitFor([&] { return !capture.IsSourceFaulted(); }, 3000ms, [&] { capture.CheckSource(); }));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said,
            "Zestbox: the camera \"Test camera\" stopped delivering pictures (The camera is not connected); the game "
            "goes on with the last picture.\n"
            "Zestbox: the camera \"Test camera\" delivers pictures again.\n");
  EXPECT_TRUE(capture.Stop());
}

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
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(320, 240, 32)));
  ASSERT_TRUE(capture.Run());
  ASSERT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() > 3; }, 3000ms, [&] { capture.CheckSource(); }));

  // Pulled out: its node is gone for good. Plugged into another port, it
  // comes back at another node.
  testing::internal::CaptureStderr();
  first->SetUnplugged(true);
  cameras.Unplug(atVideo0);
  EXPECT_TRUE(WaitFor([&] { return capture.IsSourceFaulted(); }, 3000ms, [&] { capture.CheckSource(); }));
  cameras.Plug("USB Camera", kListing, "/dev/video2", std::make_shared<CSyntheticCamera>());
  const uint64_t framesAtLoss = capture.GetDetectorFrameCount();
  Advance(2000);
  EXPECT_TRUE(WaitFor([&] { return !capture.IsSourceFaulted(); }, 3000ms, [&] { capture.CheckSource(); }));
  EXPECT_GT(capture.GetDetectorFrameCount(), framesAtLoss);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("Zestbox: the camera \"USB Camera\" delivers pictures again.\n"), std::string::npos) << said;
  EXPECT_TRUE(capture.Stop());
}

TEST_F(SourceFaultTest, SilentCameraCountsAsFailedAfterThreeSeconds) {
  // A test pattern that stops after a few frames, as a stuck camera would.
  CImageCapture capture(nullptr);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Stuck", std::make_shared<CLaunchSource>("videotestsrc is-live=true num-buffers=3 ! identity",
                                                                  std::vector<CVideoMode>{{160, 120, 32}}));
  ASSERT_TRUE(capture.EnumerateDevices());
  ASSERT_TRUE(capture.CreateFilters());
  ASSERT_TRUE(capture.SetCaptureDevice(0));
  ASSERT_TRUE(capture.EnumDeviceCaps());
  ASSERT_TRUE(capture.SetVideoMode(capture.GetMode(0)));
  ASSERT_TRUE(capture.Run());
  ASSERT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() >= 3; }, 3000ms, [&] { capture.CheckSource(); }));
  std::this_thread::sleep_for(200ms);
  capture.CheckSource();
  testing::internal::CaptureStderr();
  Advance(2999);
  capture.CheckSource();
  EXPECT_FALSE(capture.IsSourceFaulted());
  Advance(1);
  capture.CheckSource();
  EXPECT_TRUE(capture.IsSourceFaulted());
  EXPECT_NE(testing::internal::GetCapturedStderr().find("(no picture for three seconds)"), std::string::npos);
}

TEST(RecordedVideo, ReplaysAtItsOwnPaceAndStartsAgainAtTheEnd) {
  gst_init(nullptr, nullptr);
  GstElement* writer = gst_parse_launch(
      "videotestsrc num-buffers=15 pattern=ball ! video/x-raw,width=320,height=240,framerate=30/1 ! jpegenc ! "
      "avimux ! filesink location=recorded.avi",
      nullptr);
  ASSERT_NE(writer, nullptr);
  gst_element_set_state(writer, GST_STATE_PLAYING);
  GstBus* bus = gst_element_get_bus(writer);
  GstMessage* done = gst_bus_timed_pop_filtered(bus, 10 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
  ASSERT_NE(done, nullptr);
  EXPECT_EQ(GST_MESSAGE_TYPE(done), GST_MESSAGE_EOS);
  gst_message_unref(done);
  gst_object_unref(bus);
  gst_element_set_state(writer, GST_STATE_NULL);
  gst_object_unref(writer);

  CImageCapture capture(nullptr);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("file:recorded.avi", CLaunchSource::ForFile("recorded.avi"));
  ASSERT_TRUE(capture.EnumerateDevices());
  ASSERT_TRUE(capture.CreateFilters());
  ASSERT_TRUE(capture.SetCaptureDevice(0));
  ASSERT_TRUE(capture.EnumDeviceCaps());
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(320, 240, 32)));
  ASSERT_TRUE(capture.Run()) << capture.GetLastErrorText();
  const auto start = std::chrono::steady_clock::now();
  // Fifteen frames last half a second; more than that many arrive only when
  // the replay starts again.
  EXPECT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() >= 25; }, 3000ms, [&] { capture.CheckSource(); }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 600ms);
  EXPECT_FALSE(capture.IsSourceFaulted());
  EXPECT_TRUE(capture.Stop());
}

namespace {

// A camera that only offers one format at one size, as real ones do: raw
// YUY2, greyscale or MJPEG, made from the test pattern.
class OneFormatCamera : public CCameraSource {
 public:
  OneFormatCamera(const char* element, const char* caps) : element(element), caps(caps) {}
  GstElement* CreateElement() const override { return gst_parse_bin_from_description(element, TRUE, nullptr); }
  GstCaps* OfferedCaps() const override { return gst_caps_from_string(caps); }
  bool NeedsProbe() const override { return false; }

 private:
  const char* element;
  const char* caps;
};

uint64_t FramesFrom(std::shared_ptr<CCameraSource> camera, int32_t width = 320, int32_t height = 240) {
  CImageCapture capture(nullptr);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Camera", std::move(camera));
  EXPECT_TRUE(capture.EnumerateDevices());
  EXPECT_TRUE(capture.CreateFilters());
  EXPECT_TRUE(capture.SetCaptureDevice(0));
  EXPECT_TRUE(capture.EnumDeviceCaps());
  CVideoMode* mode = capture.FindVideoMode(width, height, 32);
  EXPECT_NE(mode, nullptr);
  if (!mode || !capture.SetVideoMode(mode) || !capture.Run()) return 0;
  WaitFor([&] { return capture.GetRenderer()->FrameCount() >= 5; });
  capture.Stop();
  return capture.GetRenderer()->FrameCount();
}

}  // namespace

TEST(CameraFormats, RawGreyAndMjpegCamerasDeliverThirtyTwoBitFrames) {
  gst_init(nullptr, nullptr);
  EXPECT_GE(FramesFrom(std::make_shared<OneFormatCamera>(
                "videotestsrc is-live=true", "video/x-raw,format=YUY2,width=320,height=240,framerate=30/1")),
            5u);
  EXPECT_GE(FramesFrom(std::make_shared<OneFormatCamera>(
                "videotestsrc is-live=true ! video/x-raw,width=320,height=240 ! jpegenc",
                "image/jpeg,width=320,height=240,framerate=30/1")),
            5u);
  // An infrared camera's greyscale.
  EXPECT_GE(FramesFrom(std::make_shared<OneFormatCamera>(
                           "videotestsrc is-live=true", "video/x-raw,format=GRAY8,width=640,height=360,framerate=15/1"),
                       640, 360),
            5u);
}

TEST(CaptureNotice, PipelineMessagesBecomeOneSdlEventUntilHandled) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  CImageCapture capture(nullptr);
  const uint32_t type = CaptureNoticeEventType();
  ASSERT_NE(type, 0u);
  capture.SetSystemCamerasListed(false);
  capture.AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>());
  ASSERT_TRUE(capture.EnumerateDevices());
  ASSERT_TRUE(capture.CreateFilters());
  ASSERT_TRUE(capture.SetCaptureDevice(0));
  ASSERT_TRUE(capture.EnumDeviceCaps());
  ASSERT_TRUE(capture.SetVideoMode(capture.GetMode(0)));
  const auto notices = [type] {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type);
  };
  SDL_FlushEvent(type);
  ASSERT_TRUE(capture.Run());
  ASSERT_TRUE(WaitFor([&] { return notices() > 0; }));
  std::this_thread::sleep_for(100ms);  // state changes keep coming: still one notice
  EXPECT_EQ(notices(), 1);
  SDL_FlushEvent(type);
  capture.HandleGraphEvents();
  capture.Stop();  // more messages: a fresh notice
  EXPECT_TRUE(WaitFor([&] { return notices() > 0; }));
  SDL_FlushEvent(type);
  capture.HandleGraphEvents();
  SDL_QuitSubSystem(SDL_INIT_EVENTS);
}
