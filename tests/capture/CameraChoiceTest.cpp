#include <gst/gst.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CaptureDriver.h"
#include "base/Owned.h"
#include "capture/CameraChoice.h"
#include "capture/StartupCameraChoice.h"
#include "capture/SyntheticCamera.h"
#include "motion/CurrentMotionDetector.h"
#include "support/TempFolder.h"

namespace {

using Strings = std::vector<std::string>;
using Modes = std::vector<CVideoMode>;
using Outcome = CCameraChoice::Outcome;

// Caps listings as real cameras' probes give them, one structure per size:
// `format` at each of `sizes`, each with the frame rates `rates`.
std::string Listing(const std::string& format, std::initializer_list<std::pair<int, int>> sizes, const char* rates) {
  std::string listing;
  for (const auto& [width, height] : sizes)
    listing += (listing.empty() ? "" : "; ") + format + ", width=(int)" + std::to_string(width) + ", height=(int)" +
               std::to_string(height) + ", framerate=(fraction)" + rates;
  return listing;
}
const std::string kYuy2 = "video/x-raw, format=(string)YUY2", kJpeg = "image/jpeg";
const std::string kH264 = "video/x-h264, stream-format=(string)byte-stream, alignment=(string)au";
constexpr char kUpTo30[] = "{ 30/1, 24/1, 15/1, 5/1 }";
// The infrared camera many laptops list beside their webcam.
const std::string kInfrared = Listing("video/x-raw, format=(string)GRAY8", {{640, 360}}, "15/1");

std::shared_ptr<CCameraSource> Synthetic(Modes modes, bool busy = false) {
  auto camera = std::make_shared<CSyntheticCamera>(CSyntheticScene::Default(), std::move(modes));
  camera->SetBusy(busy);
  return camera;
}

// A camera that lists `listing`; its pictures come from `element`.
std::shared_ptr<ListedCamera> Listed(const std::string& listing, const char* element = "fakesrc") {
  return std::make_shared<ListedCamera>(listing, element);
}

// The player picks the first device, then the mode item `modeItem` (0: the
// last), then OK; the dialog must list `devices` and that device's `modes`
// after the placeholder (neither is checked when empty).
CameraDialogRunner Picks(int32_t modeItem, Strings devices = {}, Strings modes = {}) {
  return [=](CCameraChoice& choice) {
    EXPECT_TRUE(devices.empty() || choice.GetDeviceItems() == devices) << choice.GetDeviceItems().size() << " devices";
    choice.SelectDevice(1);
    const Strings& items = choice.GetModeItems();
    EXPECT_EQ(modes.empty() ? modes : Strings(items.begin() + 1, items.end()), modes);
    choice.SelectMode(modeItem ? modeItem : static_cast<int32_t>(items.size()) - 1);
    choice.PressOk();
    return choice.GetOutcome() == Outcome::Ok;
  };
}

bool NoDialog(CCameraChoice&) {
  ADD_FAILURE() << "dialog shown";
  return false;
}

// Whether the message boxes shown are errors without a caption, one for each
// of `parts`, in order, each containing its part.
bool Said(const RecordingDesktop& desktop, const Strings& parts) {
  return std::equal(desktop.messages.begin(), desktop.messages.end(), parts.begin(), parts.end(),
                    [](const auto& message, const std::string& part) {
                      return message.caption.empty() && message.icon == MessageIcon::Error &&
                             message.text.find(part) != std::string::npos;
                    });
}

// Fifteen frames of a camera recording, half a second. Made only when its
// row comes: a GStreamer thread started before the test camera's element
// type is first set up would, under ThreadSanitizer, take that set-up for a
// race (GLib's type lock is invisible to it).
void Record(const std::string& file) {
  gst_init(nullptr, nullptr);
  const Owned<GstElement, gst_object_unref> writer{gst_parse_launch(
      ("videotestsrc num-buffers=15 pattern=ball ! video/x-raw,width=320,height=240,framerate=30/1 ! jpegenc ! "
       "avimux ! filesink location=" + file).c_str(), nullptr)};
  gst_element_set_state(writer.get(), GST_STATE_PLAYING);
  const Owned<GstBus, gst_object_unref> bus{gst_element_get_bus(writer.get())};
  const Owned<GstMessage, gst_message_unref> done{
      gst_bus_timed_pop_filtered(bus.get(), 10 * GST_SECOND, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR))};
  EXPECT_TRUE(done && GST_MESSAGE_TYPE(done.get()) == GST_MESSAGE_EOS);
  gst_element_set_state(writer.get(), GST_STATE_NULL);
}

bool SameCaps(const std::string& actual, const char* expected) {
  const Owned<GstCaps, gst_caps_unref> a{gst_caps_from_string(actual.c_str())}, b{gst_caps_from_string(expected)};
  return a && b && gst_caps_is_equal(a.get(), b.get());
}

}  // namespace

// The whole start-up: which cameras there are, what the command line asks
// and what the player does in the dialog decide whether the game starts, in
// which mode and what it says. The game starts in 320 x 240 when the camera
// offers it, whatever mode the player picked, else in the size nearest to
// it that keeps 25 frames a second, and asks the camera for that rate. The
// dialog lists each size of a real camera once, small to large, at the best
// rate any of its formats gives (raw from 25 frames a second on, MJPEG where
// raw is slower, never a format the game cannot decode); a camera with no
// format the game can decode is left out, with the reason in the debugging
// output. Raw frames are limited by USB 2 bandwidth, so their rate falls
// with the size; MJPEG keeps 30. Once chosen, raw YUY2, an infrared
// camera's greyscale, MJPEG and a recording (fifteen frames, half a second,
// replayed from the start at its end) reach the detector and the texture at
// their own rate.
TEST(CameraStartUp, StartsInTheRightModeOrEndsWithTheReason) {
  TempFolder folder;
  const std::string recording = folder.File("recorded.avi");
  const Modes three = {{640, 480, 32}, {320, 240, 32}, {160, 120, 32}};
  const std::string hdWebcam = Listing(kYuy2, {{2304, 1296}}, "2/1") + "; " +
                               Listing(kYuy2, {{800, 600}}, "{ 24/1, 20/1, 5/1 }") + "; " +
                               Listing(kYuy2, {{640, 480}, {432, 240}, {352, 288}, {320, 240}}, kUpTo30) + "; " +
                               Listing(kJpeg, {{1920, 1080}, {800, 600}, {320, 240}}, kUpTo30) + "; " +
                               Listing(kH264, {{2560, 1440}}, kUpTo30);
  const std::string largeOnly = Listing(kYuy2, {{2304, 1296}}, "2/1") + "; " +
                                Listing(kYuy2, {{1280, 720}}, "{ 10/1, 5/1 }") + "; " +
                                Listing(kJpeg, {{1920, 1080}, {1280, 720}}, kUpTo30);
  // A board camera whose driver gives ranges of sizes and rates; a grabber at the NTSC rate.
  const std::string ranges =
      "width=(int)[ 32, 2592, 2 ], height=(int)[ 32, 1944, 2 ], framerate=(fraction)[ 1/1, 90/1 ]";
  const std::string board = kYuy2 + ", " + ranges + "; " + kH264 + ", " + ranges;
  const std::string ntsc = Listing(kYuy2, {{720, 480}, {640, 480}}, "30000/1001");
  const struct {
    const char* what;
    std::vector<std::pair<const char*, std::shared_ptr<CCameraSource>>> cameras;
    CameraRequest request;
    CameraDialogRunner dialog;
    const char* mode;  // "" when the start-up ends
    Strings messages;  // a part of each message box's text
    const char* asked = nullptr;  // the caps a listed camera is asked for
    Strings debug = {};           // parts of the debugging output
    uint64_t fps = 0;             // its frame rate when run (0: not run)
  } cases[] = {
      {"no camera", {}, {}, NoDialog, "", {"Nie znaleziono kamery"}},
      {"OK without a device, then Cancel",
       {{"Studio Cam", Synthetic(three)}, {"Other Cam", Synthetic(three)}},
       {},
       [](CCameraChoice& choice) {
         choice.PressOk();  // refused: the first message
         choice.PressCancel();
         return choice.GetOutcome() == Outcome::Ok;
       },
       "",
       {"Wybierz kamerę", "Nie wybrano kamery"}},
      {"the player picks 160x120", {{"Studio Cam", Synthetic(three)}}, {}, Picks(3), "32x320x240", {}},
      {"a camera without modes", {{"Studio Cam", Synthetic({})}}, {}, Picks(1), "",
       {"Invalid video mode !", "Bład inicjalizacji kamery (3)"}},
      {"the test camera and a mode asked for", {{"Studio Cam", Synthetic(three)}}, {"test", "160x120", false},
       NoDialog, "32x160x120", {}},
      {"a camera asked for by part of its name", {{"Studio Cam", Synthetic({{640, 480, 32}, {320, 240, 32}})}},
       {"studio", "", false}, NoDialog, "32x320x240", {}},
      {"an index past the list", {{"Studio Cam", Synthetic(three)}}, {"7", "", false}, NoDialog, "",
       {"Nie znaleziono kamery"}},
      {"a camera another program holds", {{"Studio Cam", Synthetic(three, true)}}, {"studio", "", false}, NoDialog,
       "", {"\"Studio Cam\""}},
      {"an HD webcam", {{"Camera", Listed(hdWebcam, "videotestsrc is-live=true pattern=ball")}}, {},
       Picks(0, {}, {"32x320x240 (30 fps)", "32x352x288 (30 fps)", "32x432x240 (30 fps)", "32x640x480 (30 fps)",
                     "32x800x600 (30 fps)", "32x1920x1080 (30 fps)", "32x2304x1296 (2 fps)"}),
       "32x320x240 (30 fps)", {}, "video/x-raw, format=YUY2, width=320, height=240, framerate=30/1", {}, 30},
      {"its large sizes only", {{"Camera", Listed(largeOnly)}}, {},
       Picks(0, {}, {"32x1280x720 (30 fps)", "32x1920x1080 (30 fps)", "32x2304x1296 (2 fps)"}),
       "32x1280x720 (30 fps)", {}, "image/jpeg, width=1280, height=720, framerate=30/1"},
      {"an infrared camera", {{"Camera", Listed(kInfrared, "videotestsrc is-live=true")}}, {},
       Picks(0, {}, {"32x640x360 (15 fps)"}), "32x640x360 (15 fps)", {},
       "video/x-raw, format=GRAY8, width=640, height=360, framerate=15/1", {}, 15},
      {"an MJPEG camera",
       {{"Camera", Listed(Listing(kJpeg, {{320, 240}}, "30/1"),
                          "videotestsrc is-live=true ! video/x-raw,width=320,height=240 ! jpegenc")}},
       {}, Picks(0, {}, {"32x320x240 (30 fps)"}), "32x320x240 (30 fps)", {},
       "image/jpeg, width=320, height=240, framerate=30/1", {}, 30},
      {"a recording", {}, {"file:" + recording, "", false}, NoDialog, "32x320x240", {}, nullptr, {}, 30},
      {"a board camera", {{"Camera", Listed(board)}}, {},
       Picks(0, {}, {"32x160x120 (30 fps)", "32x320x240 (30 fps)", "32x640x480 (30 fps)"}), "32x320x240 (30 fps)",
       {}, "video/x-raw, format=YUY2, width=320, height=240, framerate=30/1"},
      {"an NTSC grabber", {{"Camera", Listed(ntsc)}}, {},
       Picks(0, {}, {"32x640x480 (29.97 fps)", "32x720x480 (29.97 fps)"}), "32x640x480 (29.97 fps)", {},
       "video/x-raw, format=YUY2, width=640, height=480, framerate=30000/1001"},
      {"a camera without a usable format beside one with",
       {{"Streaming camera", Listed(Listing(kH264, {{1920, 1080}}, "30/1"))}, {"Infrared camera", Listed(kInfrared)}},
       {}, Picks(0, {CCameraChoice::kPlaceholder, "Infrared camera"}), "32x640x360 (15 fps)", {},
       "video/x-raw, format=GRAY8, width=640, height=360, framerate=15/1", {"\"Streaming camera\"", "video/x-h264"}},
  };
  setenv("ZESTBOX_DEBUG", "1", 1);
  for (const auto& c : cases) {
    if (c.request.camera == "file:" + recording) Record(recording);
    StartUp start;
    for (const auto& [name, camera] : c.cameras) start.Add(name, camera);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ChooseCameraAtStartup(start.engine, c.request, c.dialog), *c.mode != 0) << c.what;
    const std::string debug = testing::internal::GetCapturedStderr();
    const CVideoMode* mode = start.engine.GetImageCapture()->GetCurrentMode();
    EXPECT_EQ(mode ? mode->Description() : "", c.mode) << c.what;
    EXPECT_TRUE(Said(start.desktop, c.messages)) << c.what << ": " << start.desktop.messages.size() << " messages";
    bool asked = c.asked == nullptr;
    for (const auto& [name, camera] : c.cameras) {
      const auto* listed = dynamic_cast<const ListedCamera*>(camera.get());
      asked = asked || (listed && SameCaps(listed->asked, c.asked));
    }
    EXPECT_TRUE(asked) << c.what;
    for (const std::string& part : c.debug) EXPECT_NE(debug.find(part), std::string::npos) << c.what << ": " << debug;
    if (c.fps == 0) continue;
    CImageCapture& capture = *start.engine.GetImageCapture();
    ASSERT_TRUE(capture.Run()) << c.what;
    const auto check = [&] { capture.CheckSource(); };
    ASSERT_TRUE(WaitFor([&] { return capture.GetRenderer()->FrameCount() > 0; }, 3000, check)) << c.what;
    const uint64_t first = capture.GetDetectorFrameCount(), firstTexture = capture.GetRenderer()->FrameCount();
    WaitFor([] { return false; }, 1000, check);
    const uint64_t frames = capture.GetDetectorFrameCount() - first;
    EXPECT_TRUE(frames >= c.fps * 6 / 10 && frames <= c.fps * 14 / 10) << c.what << ": " << frames << " frames";
    EXPECT_GE(capture.GetRenderer()->FrameCount() - firstTexture, c.fps * 6 / 10) << c.what;
    EXPECT_FALSE(capture.IsSourceFaulted()) << c.what;
    EXPECT_TRUE(capture.Stop());
  }
  unsetenv("ZESTBOX_DEBUG");
}

// The dialog's lists, and what choosing in them builds: nothing for the
// placeholders, a new detector for each mode. Choosing the device again
// replaces its mode records, so no mode is current.
TEST(CameraChoice, DialogListsDevicesAndModesAndEachModeInstallsANewDetector) {
  StartUp start;
  start.Add("First", Synthetic({{320, 240, 32}}));
  start.Add("Second", Synthetic({{640, 480, 32}, {160, 120, 32}}));
  CImageCapture& capture = *start.engine.GetImageCapture();
  CCameraChoice choice(start.engine);
  choice.Open();
  const std::string none = CCameraChoice::kPlaceholder;
  EXPECT_EQ(choice.GetDeviceItems(), (Strings{none, "First", "Second"}));
  EXPECT_EQ(choice.GetDeviceSelection(), 0);
  EXPECT_EQ(capture.IsInitialized(), 0);
  choice.SelectDevice(2);
  EXPECT_EQ(choice.GetModeItems(), (Strings{none, "32x640x480", "32x160x120"}));
  EXPECT_EQ(choice.GetModeSelection(), -1);
  EXPECT_EQ(capture.IsDeviceAttached(), 1);
  choice.SelectMode(0);
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  choice.SelectMode(3);
  EXPECT_TRUE(Said(start.desktop, {"Invalid video mode !"}));
  CMotionDetector* before = nullptr;
  for (const int32_t item : {2, 1}) {
    choice.SelectMode(item);
    EXPECT_TRUE(CurrentMotionDetector() != nullptr && CurrentMotionDetector() != before) << item;
    EXPECT_EQ(capture.GetCurrentMode(), capture.GetMode(item - 1));
    before = CurrentMotionDetector();
  }
  choice.SelectDevice(2);
  EXPECT_EQ(capture.GetCurrentMode(), nullptr);
}
