#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "CaptureDriver.h"
#include "capture/CameraCaps.h"
#include "capture/CameraChoice.h"
#include "capture/CaptureEngine.h"
#include "capture/StartupCameraChoice.h"
#include "capture/SyntheticCamera.h"
#include "motion/CurrentMotionDetector.h"
#include "support/RecordingDesktop.h"

namespace {

using Strings = std::vector<std::string>;
using Modes = std::vector<CVideoMode>;
using Outcome = CCameraChoice::Outcome;

constexpr char kNoCamera[] = "Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz.";

// The capture engine at start-up, before any camera is chosen, with message
// boxes recorded.
struct StartUp {
  StartUp() {
    engine.Init(nullptr);
    Capture().SetSystemCamerasListed(false);
  }
  CImageCapture& Capture() { return *engine.GetImageCapture(); }
  void Add(const std::string& name, std::shared_ptr<CCameraSource> camera) {
    Capture().AddExtraSource(name, std::move(camera));
  }
  std::shared_ptr<CSyntheticCamera> Add(const std::string& name, Modes modes) {
    auto camera = std::make_shared<CSyntheticCamera>(CSyntheticScene::Default(), std::move(modes));
    Add(name, camera);
    return camera;
  }
  std::string Mode() { return Capture().GetCurrentMode() ? Capture().GetCurrentMode()->Description() : ""; }
  // Whether the message boxes shown are errors without a caption, one for
  // each of `parts`, in order, each containing its part.
  bool Said(const Strings& parts) const {
    bool said = desktop.messages.size() == parts.size();
    for (size_t i = 0; said && i < parts.size(); ++i) {
      const auto& message = desktop.messages[i];
      said = message.caption.empty() && message.icon == MessageIcon::Error &&
             message.text.find(parts[i]) != std::string::npos;
    }
    return said;
  }

  RecordingDesktop desktop;
  CCaptureEngine engine;
};

// The player picks the first device, then the mode item `modeItem`, then OK.
CameraDialogRunner Picks(int32_t modeItem) {
  return [modeItem](CCameraChoice& choice) {
    choice.SelectDevice(1);
    choice.SelectMode(modeItem);
    choice.PressOk();
    return choice.GetOutcome() == Outcome::Ok;
  };
}

bool NoDialog(CCameraChoice&) {
  ADD_FAILURE() << "dialog shown";
  return false;
}

}  // namespace

// The whole start-up: which cameras there are, what the command line asks
// and what the player does in the dialog decide whether the game starts, in
// which mode (320 x 240 over the player's choice) and what it says.
TEST(CameraStartUp, StartsInTheRightModeOrEndsWithTheReason) {
  const Modes three = {{640, 480, 32}, {320, 240, 32}, {160, 120, 32}};
  const struct {
    const char* what;
    std::vector<Modes> cameras;  // named "Studio Cam", "Other Cam"
    CameraRequest request;
    CameraDialogRunner dialog;
    const char* mode;  // "" when the start-up ends
    Strings messages;  // a part of each message box's text
    bool busy = false;  // another program holds the first camera
  } cases[] = {
      {"no camera", {}, {}, NoDialog, "", {kNoCamera}},
      {"OK without a device, then Cancel",
       {three, three},
       {},
       [](CCameraChoice& choice) {
         choice.PressOk();
         EXPECT_EQ(choice.GetOutcome(), Outcome::Open);
         choice.PressCancel();
         return choice.GetOutcome() == Outcome::Ok;
       },
       "",
       {"Wybierz kamerę", "Nie wybrano kamery"}},
      {"the player picks 160x120", {three}, {}, Picks(3), "32x320x240", {}},
      {"a camera without modes", {{}}, {}, Picks(1), "", {"Invalid video mode !", "Bład inicjalizacji kamery (3)"}},
      {"the test camera and a mode asked for", {three}, {"test", "160x120", false}, NoDialog, "32x160x120", {}},
      {"a camera asked for by part of its name", {{{640, 480, 32}, {320, 240, 32}}}, {"studio", "", false},
       NoDialog, "32x320x240", {}},
      {"an index past the list", {three}, {"7", "", false}, NoDialog, "", {kNoCamera}},
      {"a camera another program holds", {three}, {"studio", "", false}, NoDialog, "", {"\"Studio Cam\""}, true},
  };
  for (const auto& c : cases) {
    StartUp start;
    for (size_t i = 0; i < c.cameras.size(); ++i) start.Add(i ? "Other Cam" : "Studio Cam", c.cameras[i])->SetBusy(c.busy);
    EXPECT_EQ(ChooseCameraAtStartup(start.engine, c.request, c.dialog), *c.mode != 0) << c.what;
    EXPECT_EQ(start.Mode(), c.mode) << c.what;
    EXPECT_TRUE(start.Said(c.messages)) << c.what << ": " << start.desktop.messages.size() << " messages";
  }
}

TEST(CameraChoice, DialogListsDevicesAndModesAndEachModeInstallsANewDetector) {
  StartUp start;
  start.Add("First", Modes{{320, 240, 32}});
  start.Add("Second", Modes{{640, 480, 32}, {160, 120, 32}});
  CImageCapture& capture = start.Capture();
  CCameraChoice choice(start.engine);
  choice.Open();
  const std::string none = CCameraChoice::kPlaceholder;
  EXPECT_EQ(choice.GetDeviceItems(), (Strings{none, "First", "Second"}));
  EXPECT_EQ(choice.GetDeviceSelection(), 0);
  EXPECT_EQ(capture.IsInitialized(), 0);  // the placeholder builds nothing
  choice.SelectDevice(2);
  EXPECT_EQ(choice.GetModeItems(), (Strings{none, "32x640x480", "32x160x120"}));
  EXPECT_EQ(choice.GetModeSelection(), -1);
  EXPECT_EQ(capture.IsDeviceAttached(), 1);
  choice.SelectMode(0);
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  choice.SelectMode(3);
  EXPECT_TRUE(start.Said({"Invalid video mode !"}));
  choice.SelectMode(2);
  CMotionDetector* first = CurrentMotionDetector();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(capture.GetCurrentMode(), capture.GetMode(1));
  choice.SelectMode(1);
  EXPECT_NE(CurrentMotionDetector(), first);
  EXPECT_EQ(capture.GetCurrentMode(), capture.GetMode(0));
  // Choosing the device again replaces its mode records: no mode is current.
  choice.SelectDevice(2);
  EXPECT_EQ(capture.GetCurrentMode(), nullptr);
}

namespace {

// Listings as real cameras' probes give them (formats ranked, each format's
// sizes largest first), cut to the sizes that matter. Raw frames are limited
// by USB 2 bandwidth, so their rate falls with the size; MJPEG keeps 30.
#define RATES_30 "framerate=(fraction){ 30/1, 24/1, 15/1, 5/1 }"
#define YUY2 "video/x-raw, format=(string)YUY2, "
#define MJPG "image/jpeg, "
#define H264 "video/x-h264, stream-format=(string)byte-stream, alignment=(string)au, "

const char kHdWebcam[] =
    YUY2 "width=(int)2304, height=(int)1296, framerate=(fraction)2/1; "
    YUY2 "width=(int)800, height=(int)600, framerate=(fraction){ 24/1, 20/1, 5/1 }; "
    YUY2 "width=(int)640, height=(int)480, " RATES_30 "; "
    YUY2 "width=(int)432, height=(int)240, " RATES_30 "; "
    YUY2 "width=(int)352, height=(int)288, " RATES_30 "; "
    YUY2 "width=(int)320, height=(int)240, " RATES_30 "; "
    MJPG "width=(int)1920, height=(int)1080, " RATES_30 "; "
    MJPG "width=(int)800, height=(int)600, " RATES_30 "; "
    MJPG "width=(int)320, height=(int)240, " RATES_30 "; "
    H264 "width=(int)2560, height=(int)1440, " RATES_30;

// The same camera's large sizes only.
const char kHdWebcamLargeOnly[] =
    YUY2 "width=(int)2304, height=(int)1296, framerate=(fraction)2/1; "
    YUY2 "width=(int)1280, height=(int)720, framerate=(fraction){ 10/1, 5/1 }; "
    MJPG "width=(int)1920, height=(int)1080, " RATES_30 "; "
    MJPG "width=(int)1280, height=(int)720, " RATES_30;

// The infrared camera many laptops list beside it.
const char kInfraredCamera[] = "video/x-raw, format=(string)GRAY8, width=(int)640, height=(int)360, "
                               "framerate=(fraction)15/1";

// A board camera whose driver gives ranges of sizes and rates.
const char kRangeCamera[] =
    YUY2 "width=(int)[ 32, 2592, 2 ], height=(int)[ 32, 1944, 2 ], framerate=(fraction)[ 1/1, 90/1 ]; "
    H264 "width=(int)[ 32, 2592, 2 ], height=(int)[ 32, 1944, 2 ], framerate=(fraction)[ 1/1, 90/1 ]";

// A video grabber at the NTSC rate.
const char kNtscGrabber[] =
    YUY2 "width=(int)720, height=(int)480, framerate=(fraction)30000/1001; "
    YUY2 "width=(int)640, height=(int)480, framerate=(fraction)30000/1001";

#undef RATES_30
#undef YUY2
#undef MJPG
#undef H264

bool SameCaps(const std::string& actual, const char* expected) {
  GstCaps* a = gst_caps_from_string(actual.c_str());
  GstCaps* b = gst_caps_from_string(expected);
  const bool same = a && b && gst_caps_is_equal(a, b);
  if (a) gst_caps_unref(a);
  if (b) gst_caps_unref(b);
  return same;
}

}  // namespace

// Each size once, small to large, at the best rate any of its formats gives
// (raw from 25 frames a second on, MJPEG where raw is slower, never a format
// the game cannot decode); the game starts in 320 x 240 when there is one,
// else in the size nearest to it that keeps 25 frames a second, and asks for
// that rate, whatever mode the player picked.
TEST(CameraChoice, RealCameraListingsGiveSmallFastModes) {
  const struct {
    const char* listing;
    Strings modes;        // the dialog's mode list after its placeholder
    const char* started;  // the mode the game starts in
    const char* asked;    // the caps the source is asked for then
  } cases[] = {
      {kHdWebcam,
       {"32x320x240 (30 fps)", "32x352x288 (30 fps)", "32x432x240 (30 fps)", "32x640x480 (30 fps)",
        "32x800x600 (30 fps)", "32x1920x1080 (30 fps)", "32x2304x1296 (2 fps)"},
       "32x320x240 (30 fps)", "video/x-raw, format=YUY2, width=320, height=240, framerate=30/1"},
      {kHdWebcamLargeOnly, {"32x1280x720 (30 fps)", "32x1920x1080 (30 fps)", "32x2304x1296 (2 fps)"},
       "32x1280x720 (30 fps)", "image/jpeg, width=1280, height=720, framerate=30/1"},
      {kInfraredCamera, {"32x640x360 (15 fps)"}, "32x640x360 (15 fps)",
       "video/x-raw, format=GRAY8, width=640, height=360, framerate=15/1"},
      {kRangeCamera, {"32x160x120 (30 fps)", "32x320x240 (30 fps)", "32x640x480 (30 fps)"},
       "32x320x240 (30 fps)", "video/x-raw, format=YUY2, width=320, height=240, framerate=30/1"},
      {kNtscGrabber, {"32x640x480 (29.97 fps)", "32x720x480 (29.97 fps)"}, "32x640x480 (29.97 fps)",
       "video/x-raw, format=YUY2, width=640, height=480, framerate=30000/1001"},
  };
  for (const auto& c : cases) {
    StartUp start;
    auto camera = std::make_shared<ListedCamera>(c.listing);
    start.Add("Camera", camera);
    Strings modes;
    // The player picks the largest mode; the start-up has the last word.
    EXPECT_TRUE(ChooseCameraAtStartup(start.engine, {}, [&](CCameraChoice& choice) {
      choice.SelectDevice(1);
      modes.assign(choice.GetModeItems().begin() + 1, choice.GetModeItems().end());
      return Picks(static_cast<int32_t>(choice.GetModeItems().size()) - 1)(choice);
    })) << c.started;
    EXPECT_EQ(modes, c.modes) << c.started;
    EXPECT_EQ(start.Mode(), c.started);
    EXPECT_TRUE(SameCaps(camera->asked, c.asked)) << c.started << ": asked for " << camera->asked;
    EXPECT_TRUE(start.Said({})) << c.started;
  }
}

// A camera whose only format the game cannot turn into pictures (here H.264)
// is left out, with the reason in the debugging output; the usable one beside
// it is chosen.
TEST(CameraChoice, CameraWithoutAUsableFormatIsLeftOut) {
  setenv("ZESTBOX_DEBUG", "1", 1);
  StartUp start;
  start.Add("Streaming camera",
            std::make_shared<ListedCamera>("video/x-h264, stream-format=(string)byte-stream, width=(int)1920, "
                                           "height=(int)1080, framerate=(fraction)30/1"));
  auto infrared = std::make_shared<ListedCamera>(kInfraredCamera);
  start.Add("Infrared camera", infrared);
  testing::internal::CaptureStderr();
  Strings devices;
  const bool chosen = ChooseCameraAtStartup(start.engine, {}, [&](CCameraChoice& choice) {
    devices = choice.GetDeviceItems();
    return Picks(1)(choice);
  });
  const std::string debug = testing::internal::GetCapturedStderr();
  unsetenv("ZESTBOX_DEBUG");
  EXPECT_TRUE(chosen);
  EXPECT_EQ(devices, (Strings{CCameraChoice::kPlaceholder, "Infrared camera"}));
  EXPECT_NE(debug.find("\"Streaming camera\""), std::string::npos) << debug;
  EXPECT_NE(debug.find("video/x-h264"), std::string::npos) << debug;
  EXPECT_FALSE(infrared->asked.empty());
  EXPECT_TRUE(start.Said({}));
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
