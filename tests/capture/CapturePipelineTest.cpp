#include <SDL.h>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "CaptureDriver.h"
#include "capture/CaptureEngine.h"
#include "capture/CaptureNotice.h"
#include "capture/LaunchSource.h"
#include "capture/SyntheticCamera.h"
#include "motion/CurrentMotionDetector.h"
#include "motion/MotionDetector.h"
#include "support/RecordingDevice.h"
#include "support/TempFolder.h"
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

}  // namespace

// The engine on a camera whose white blob jumps about near the picture's
// top-left corner, chosen as the start-up does, drawing into a recording
// device. That corner reaches the detector in the high rows and low columns
// of its grid, and the camera texture from its last row; detectors swapped
// while frames flow go on the main thread once the streaming thread has let
// go of them.
TEST(CaptureEngine, FramesReachTheDetectorAndTheTextureBottomRowFirstWhileDetectorsSwap) {
  mainThread = std::this_thread::get_id();
  RecordingDevice device;
  d3dDevice = &device;
  auto engine = std::make_unique<CCaptureEngine>();
  engine->Init(nullptr);
  CImageCapture& capture = *engine->GetImageCapture();
  SceneBlob blob{0xFFFFFF, 0.1f, {{0, 0.15f, 0.15f}, {99, 0.15f, 0.15f}, {100, 0.3f, 0.25f}, {199, 0.3f, 0.25f}}};
  ASSERT_TRUE(Attach(capture, std::make_shared<CSyntheticCamera>(CSyntheticScene({blob}, 200))));
  // As at start-up, the mode picked in the dialog is replaced by the final one.
  ASSERT_TRUE(capture.SetVideoMode(capture.GetMode(0)));
  ASSERT_TRUE(capture.SetVideoMode(capture.FindVideoMode(320, 240, 32))) << capture.GetLastErrorText();
  engine->SetScreenRect(0, 0, 1000, 750);
  ASSERT_TRUE(engine->Start()) << capture.GetLastErrorText();

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
  const auto* texture = static_cast<RecordedTexture*>(cameraTexture.get());
  EXPECT_EQ(texture->Width(), 320u);
  EXPECT_EQ(texture->Height(), 240u);
  EXPECT_EQ(cameraTextureFormat, CameraTextureFormat::X8R8G8B8);
  // The blobs stay in the top-left; elsewhere the still background shows.
  for (const auto& [x, pictureRow] : {std::pair{300, 239}, std::pair{310, 200}, std::pair{200, 120}})
    EXPECT_EQ(texture->Texel(x, 239 - pictureRow), 0xFF000000u | CSyntheticScene::Background(x, pictureRow, 320, 240))
        << x << "," << pictureRow;

  detector.reset();
  for (int i = 0; i < 40; ++i) {
    EXPECT_TRUE(engine->SetMotionDetector(std::make_shared<TrackedDetector>()));
    std::this_thread::sleep_for(3ms);
    engine->Update();
  }
  EXPECT_TRUE(WaitFor([] { return liveDetectors <= 2; }, 1000, [&] { engine->Update(); }));
  // The texture goes with the shut-down, while the drawing device still exists.
  engine->Shutdown();
  EXPECT_EQ(cameraTexture, nullptr);
  EXPECT_NE(engine->GetVideoLayer(), nullptr);
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  EXPECT_EQ(liveDetectors, 0);
  EXPECT_EQ(destroyedOffMainThread, 0);
  engine.reset();
  d3dDevice = nullptr;
}

// Raw YUY2, an infrared camera's greyscale and MJPEG all reach the detector
// and the texture as 32-bit frames, at the camera's own rate.
TEST(CameraFormats, EveryFormatReachesBothBranchesAtTheCameraRate) {
  gst_init(nullptr, nullptr);
  const struct {
    const char* element;
    const char* caps;
    int32_t width, height;
    uint64_t fps;
  } rows[] = {
      {"videotestsrc is-live=true pattern=ball", "video/x-raw,format=YUY2,width=640,height=480,framerate=30/1", 640,
       480, 30},
      {"videotestsrc is-live=true", "video/x-raw,format=GRAY8,width=640,height=360,framerate=15/1", 640, 360, 15},
      {"videotestsrc is-live=true ! video/x-raw,width=320,height=240 ! jpegenc",
       "image/jpeg,width=320,height=240,framerate=30/1", 320, 240, 30},
  };
  for (const auto& row : rows) {
    CImageCapture capture(nullptr);
    ASSERT_TRUE(Attach(capture, std::make_shared<ListedCamera>(row.caps, row.element)));
    ASSERT_TRUE(RunIn(capture, row.width, row.height));
    ASSERT_TRUE(WaitFor([&] { return capture.GetRenderer()->FrameCount() > 0; })) << row.caps;
    const uint64_t first = capture.GetDetectorFrameCount(), firstTexture = capture.GetRenderer()->FrameCount();
    std::this_thread::sleep_for(1s);
    const uint64_t frames = capture.GetDetectorFrameCount() - first;
    EXPECT_GE(frames, row.fps * 6 / 10) << row.caps;
    EXPECT_LE(frames, row.fps * 14 / 10) << row.caps;
    EXPECT_GE(capture.GetRenderer()->FrameCount() - firstTexture, row.fps * 6 / 10) << row.caps;
    EXPECT_TRUE(capture.Stop());
  }
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

// Fifteen recorded frames last half a second; more than that many arrive only
// when the replay starts again.
TEST(RecordedVideo, ReplaysAtItsOwnPaceAndStartsAgainAtTheEnd) {
  gst_init(nullptr, nullptr);
  TempFolder folder;
  const std::string file = folder.File("recorded.avi");
  GstElement* writer = gst_parse_launch(("videotestsrc num-buffers=15 pattern=ball ! "
                                         "video/x-raw,width=320,height=240,framerate=30/1 ! jpegenc ! avimux ! "
                                         "filesink location=" + file).c_str(),
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
  ASSERT_TRUE(Attach(capture, CLaunchSource::ForFile(file), "file:" + file));
  ASSERT_TRUE(RunIn(capture, 320, 240));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitFor([&] { return capture.GetDetectorFrameCount() >= 25; }, 3000, [&] { capture.CheckSource(); }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 600ms);
  EXPECT_FALSE(capture.IsSourceFaulted());
  EXPECT_TRUE(capture.Stop());
}

// However many messages the pipeline posts, the main thread gets one notice
// until it has handled them.
TEST(CaptureNotice, PipelineMessagesBecomeOneSdlEventUntilHandled) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
  const uint32_t type = CaptureNoticeEventType();
  ASSERT_NE(type, 0u);
  CImageCapture capture(nullptr);
  ASSERT_TRUE(Attach(capture, std::make_shared<CSyntheticCamera>()));
  const auto notices = [type] {
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, type, type);
  };
  SDL_FlushEvent(type);
  ASSERT_TRUE(RunIn(capture));
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
