#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "capture/CameraChoice.h"
#include "capture/CaptureEngine.h"
#include "capture/StartupCameraChoice.h"
#include "capture/SyntheticCamera.h"
#include "motion/CurrentMotionDetector.h"
#include "support/RecordingDesktop.h"

namespace {

// A camera known only by its listing: the caps text GStreamer's camera probe
// reports. Remembers the caps the pipeline asks of it.
class ListedCamera : public CCameraSource {
 public:
  explicit ListedCamera(const char* listing) : listing(listing) {}
  GstElement* CreateElement() const override { return gst_element_factory_make("fakesrc", nullptr); }
  GstCaps* OfferedCaps() const override { return gst_caps_from_string(listing); }
  void Configure(GstElement*, const GstCaps* caps) const override {
    gchar* text = gst_caps_to_string(caps);
    asked = text;
    g_free(text);
  }
  bool NeedsProbe() const override { return false; }

  const char* listing;
  mutable std::string asked;
};

class CameraChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine.Init(nullptr);
    Capture().SetSystemCamerasListed(false);
  }

  CImageCapture& Capture() { return *engine.GetImageCapture(); }

  void AddCamera(const std::string& name, std::vector<CVideoMode> modes) {
    Capture().AddExtraSource(name, std::make_shared<CSyntheticCamera>(CSyntheticScene::Default(), std::move(modes)));
  }

  std::shared_ptr<ListedCamera> AddListedCamera(const std::string& name, const char* listing) {
    auto camera = std::make_shared<ListedCamera>(listing);
    Capture().AddExtraSource(name, camera);
    return camera;
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& message : desktop.messages) {
      EXPECT_EQ(message.caption, "");
      EXPECT_EQ(message.icon, MessageIcon::Error);
      texts.push_back(message.text);
    }
    return texts;
  }

  // A dialog in which the player picks the first device, then `modeItem`, then OK.
  static bool PickFirstDevice(CCameraChoice& choice, int32_t modeItem) {
    choice.SelectDevice(1);
    choice.SelectMode(modeItem);
    choice.PressOk();
    return choice.GetOutcome() == CCameraChoice::Outcome::Ok;
  }

  RecordingDesktop desktop;
  CCaptureEngine engine;
};

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(CameraChoiceTest, NoCameraEndsTheStartUp) {
  bool dialogShown = false;
  EXPECT_FALSE(ChooseCameraAtStartup(engine, {}, [&](CCameraChoice&) { return dialogShown = true; }));
  EXPECT_FALSE(dialogShown);
  EXPECT_EQ(Messages(), Strings{"Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz."});
}

TEST_F(CameraChoiceTest, DialogListsThePlaceholderThenEveryDevice) {
  AddCamera("First", {{320, 240, 32}});
  AddCamera("Second", {{640, 480, 32}});
  CCameraChoice choice(engine);
  choice.Open();
  EXPECT_EQ(choice.GetDeviceItems(), (Strings{"---", "First", "Second"}));
  EXPECT_EQ(choice.GetDeviceSelection(), 0);
  EXPECT_EQ(Capture().IsInitialized(), 0);  // the placeholder builds nothing
  choice.SelectDevice(2);
  EXPECT_EQ(choice.GetModeItems(), (Strings{"---", "32x640x480"}));
  EXPECT_EQ(choice.GetModeSelection(), -1);
  EXPECT_EQ(Capture().IsDeviceAttached(), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CameraChoiceTest, OkWaitsForADeviceAndCancelEndsTheStartUp) {
  AddCamera("First", {{320, 240, 32}});
  AddCamera("Second", {{320, 240, 32}});
  const bool chosen = ChooseCameraAtStartup(engine, {}, [](CCameraChoice& choice) {
    choice.PressOk();
    EXPECT_EQ(choice.GetOutcome(), CCameraChoice::Outcome::Open);
    choice.PressCancel();
    return choice.GetOutcome() == CCameraChoice::Outcome::Ok;
  });
  EXPECT_FALSE(chosen);
  EXPECT_EQ(Messages(), (Strings{"Wybierz kamerę", "Nie wybrano kamery"}));
}

TEST_F(CameraChoiceTest, ModeChoicesInstallANewDetectorEachTime) {
  AddCamera("Only", {{640, 480, 32}, {160, 120, 32}});
  CCameraChoice choice(engine);
  choice.Open();
  choice.SelectDevice(1);
  choice.SelectMode(0);
  EXPECT_EQ(CurrentMotionDetector(), nullptr);
  choice.SelectMode(3);
  EXPECT_EQ(Messages(), Strings{"Invalid video mode !"});
  choice.SelectMode(2);
  CMotionDetector* first = CurrentMotionDetector();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Capture().GetCurrentMode(), Capture().GetMode(1));
  choice.SelectMode(1);
  EXPECT_NE(CurrentMotionDetector(), first);
  EXPECT_EQ(Capture().GetCurrentMode(), Capture().GetMode(0));
  // Choosing the device again replaces its mode records: no mode is current.
  choice.SelectDevice(1);
  EXPECT_EQ(Capture().GetCurrentMode(), nullptr);
}

TEST_F(CameraChoiceTest, StartUpPrefers320By240OverThePlayersMode) {
  AddCamera("Only", {{640, 480, 32}, {320, 240, 32}, {160, 120, 32}});
  EXPECT_TRUE(ChooseCameraAtStartup(engine, {}, [](CCameraChoice& choice) { return PickFirstDevice(choice, 3); }));
  ASSERT_NE(Capture().GetCurrentMode(), nullptr);
  EXPECT_EQ(Capture().GetCurrentMode()->Description(), "32x320x240");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(CameraChoiceTest, CameraWithoutModesEndsTheStartUp) {
  AddCamera("Only", {});
  EXPECT_FALSE(ChooseCameraAtStartup(engine, {}, [](CCameraChoice& choice) { return PickFirstDevice(choice, 1); }));
  EXPECT_EQ(Messages(), (Strings{"Invalid video mode !", "Bład inicjalizacji kamery (3)"}));
}

TEST_F(CameraChoiceTest, CommandLineChoosesWithoutTheDialog) {
  AddCamera("Studio Cam", {{640, 480, 32}, {320, 240, 32}});
  const auto noDialog = [](CCameraChoice&) {
    ADD_FAILURE() << "dialog shown";
    return false;
  };
  EXPECT_TRUE(ChooseCameraAtStartup(engine, {"test", "160x120", false}, noDialog));
  EXPECT_EQ(Capture().GetDevice(Capture().GetDeviceCount() - 1)->GetName(), "Test camera");
  EXPECT_EQ(Capture().GetCurrentMode()->Description(), "32x160x120");
  EXPECT_TRUE(ChooseCameraAtStartup(engine, {"studio", "", false}, noDialog));
  EXPECT_EQ(Capture().GetCurrentMode()->Description(), "32x320x240");
  EXPECT_FALSE(ChooseCameraAtStartup(engine, {"7", "", false}, noDialog));
  EXPECT_EQ(Messages(), Strings{"Nie znaleziono kamery. Podłącz kamerę i spróbuj jeszcze raz."});
}

namespace {

// Listings of real USB and built-in cameras as the camera probe gives them:
// formats ranked, each format's sizes largest first. Raw frames are limited
// by USB 2 bandwidth, so their rate falls with the size; MJPEG keeps 30.
#define RATES_30 "framerate=(fraction){ 30/1, 24/1, 20/1, 15/1, 10/1, 15/2, 5/1 }"
#define PAR "pixel-aspect-ratio=(fraction)1/1, "
#define YUY2 "video/x-raw, format=(string)YUY2, "
#define MJPG "image/jpeg, "
#define H264 "video/x-h264, stream-format=(string)byte-stream, alignment=(string)au, "

const char kHdWebcam[] =
    YUY2 "width=(int)2304, height=(int)1536, " PAR "framerate=(fraction)2/1; "
    YUY2 "width=(int)2304, height=(int)1296, " PAR "framerate=(fraction)2/1; "
    YUY2 "width=(int)1920, height=(int)1080, " PAR "framerate=(fraction)5/1; "
    YUY2 "width=(int)1600, height=(int)896, " PAR "framerate=(fraction){ 15/2, 5/1 }; "
    YUY2 "width=(int)1280, height=(int)720, " PAR "framerate=(fraction){ 10/1, 5/1 }; "
    YUY2 "width=(int)960, height=(int)720, " PAR "framerate=(fraction){ 15/1, 10/1, 5/1 }; "
    YUY2 "width=(int)1024, height=(int)576, " PAR "framerate=(fraction){ 15/1, 10/1, 5/1 }; "
    YUY2 "width=(int)800, height=(int)600, " PAR "framerate=(fraction){ 24/1, 20/1, 15/1, 10/1, 5/1 }; "
    YUY2 "width=(int)864, height=(int)480, " PAR "framerate=(fraction){ 24/1, 20/1, 15/1, 10/1, 5/1 }; "
    YUY2 "width=(int)800, height=(int)448, " PAR RATES_30 "; "
    YUY2 "width=(int)640, height=(int)480, " PAR RATES_30 "; "
    YUY2 "width=(int)640, height=(int)360, " PAR RATES_30 "; "
    YUY2 "width=(int)432, height=(int)240, " PAR RATES_30 "; "
    YUY2 "width=(int)352, height=(int)288, " PAR RATES_30 "; "
    YUY2 "width=(int)320, height=(int)240, " PAR RATES_30 "; "
    YUY2 "width=(int)320, height=(int)180, " PAR RATES_30 "; "
    YUY2 "width=(int)176, height=(int)144, " PAR RATES_30 "; "
    YUY2 "width=(int)160, height=(int)120, " PAR RATES_30 "; "
    YUY2 "width=(int)160, height=(int)90, " PAR RATES_30 "; "
    MJPG "width=(int)1920, height=(int)1080, " PAR RATES_30 "; "
    MJPG "width=(int)1600, height=(int)896, " PAR RATES_30 "; "
    MJPG "width=(int)1280, height=(int)720, " PAR RATES_30 "; "
    MJPG "width=(int)960, height=(int)720, " PAR RATES_30 "; "
    MJPG "width=(int)1024, height=(int)576, " PAR RATES_30 "; "
    MJPG "width=(int)800, height=(int)600, " PAR RATES_30 "; "
    MJPG "width=(int)864, height=(int)480, " PAR RATES_30 "; "
    MJPG "width=(int)800, height=(int)448, " PAR RATES_30 "; "
    MJPG "width=(int)640, height=(int)480, " PAR RATES_30 "; "
    MJPG "width=(int)640, height=(int)360, " PAR RATES_30 "; "
    MJPG "width=(int)432, height=(int)240, " PAR RATES_30 "; "
    MJPG "width=(int)352, height=(int)288, " PAR RATES_30 "; "
    MJPG "width=(int)320, height=(int)240, " PAR RATES_30 "; "
    MJPG "width=(int)320, height=(int)180, " PAR RATES_30 "; "
    MJPG "width=(int)176, height=(int)144, " PAR RATES_30 "; "
    MJPG "width=(int)160, height=(int)120, " PAR RATES_30 "; "
    MJPG "width=(int)160, height=(int)90, " PAR RATES_30 "; "
    H264 "width=(int)1920, height=(int)1080, " PAR RATES_30 "; "
    H264 "width=(int)1280, height=(int)720, " PAR RATES_30 "; "
    H264 "width=(int)640, height=(int)480, " PAR RATES_30;

// The same camera's large sizes only.
const char kHdWebcamLargeOnly[] =
    YUY2 "width=(int)2304, height=(int)1536, " PAR "framerate=(fraction)2/1; "
    YUY2 "width=(int)2304, height=(int)1296, " PAR "framerate=(fraction)2/1; "
    YUY2 "width=(int)1920, height=(int)1080, " PAR "framerate=(fraction)5/1; "
    YUY2 "width=(int)1280, height=(int)720, " PAR "framerate=(fraction){ 10/1, 5/1 }; "
    MJPG "width=(int)1920, height=(int)1080, " PAR RATES_30 "; "
    MJPG "width=(int)1280, height=(int)720, " PAR RATES_30;

// A laptop's built-in camera: no 320 x 240.
const char kLaptopCamera[] =
    YUY2 "width=(int)1280, height=(int)720, " PAR "framerate=(fraction)10/1; "
    YUY2 "width=(int)640, height=(int)480, " PAR "framerate=(fraction)30/1; "
    MJPG "width=(int)1920, height=(int)1080, " PAR "framerate=(fraction)30/1; "
    MJPG "width=(int)1280, height=(int)720, " PAR "framerate=(fraction)30/1; "
    MJPG "width=(int)640, height=(int)480, " PAR "framerate=(fraction)30/1";

// The infrared camera many laptops list beside it.
const char kInfraredCamera[] =
    "video/x-raw, format=(string)GRAY8, width=(int)640, height=(int)360, " PAR "framerate=(fraction)15/1";

const char kOldMjpegWebcam[] =
    MJPG "width=(int)640, height=(int)480, " PAR "framerate=(fraction)30/1; "
    MJPG "width=(int)320, height=(int)240, " PAR "framerate=(fraction)30/1";

// A board camera whose driver gives ranges of sizes and rates.
const char kRangeCamera[] =
    YUY2 "width=(int)[ 32, 2592, 2 ], height=(int)[ 32, 1944, 2 ], framerate=(fraction)[ 1/1, 90/1 ]; "
    MJPG "width=(int)[ 32, 2592, 2 ], height=(int)[ 32, 1944, 2 ], framerate=(fraction)[ 1/1, 90/1 ]; "
    H264 "width=(int)[ 32, 2592, 2 ], height=(int)[ 32, 1944, 2 ], framerate=(fraction)[ 1/1, 90/1 ]";

// A video grabber at the NTSC rate.
const char kNtscGrabber[] =
    YUY2 "width=(int)720, height=(int)480, " PAR "framerate=(fraction)30000/1001; "
    YUY2 "width=(int)640, height=(int)480, " PAR "framerate=(fraction)30000/1001";

#undef RATES_30
#undef PAR
#undef YUY2
#undef MJPG
#undef H264

struct ListingCase {
  const char* name;
  const char* listing;
  Strings modes;        // the dialog's mode list after its placeholder
  const char* started;  // the mode the game starts in
  const char* asked;    // the caps the source is asked for then
};

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
// (raw from 25 frames a second on, MJPEG where raw is slower); the game
// starts in 320 x 240 when there is one, else in the size nearest to it that
// keeps 25 frames a second, and asks for that rate.
TEST_F(CameraChoiceTest, RealCameraListingsGiveSmallFastModes) {
  const ListingCase cases[] = {
      {"HD webcam", kHdWebcam,
       {"32x160x90 (30 fps)", "32x160x120 (30 fps)", "32x176x144 (30 fps)", "32x320x180 (30 fps)",
        "32x320x240 (30 fps)", "32x352x288 (30 fps)", "32x432x240 (30 fps)", "32x640x360 (30 fps)",
        "32x640x480 (30 fps)", "32x800x448 (30 fps)", "32x864x480 (30 fps)", "32x800x600 (30 fps)",
        "32x1024x576 (30 fps)", "32x960x720 (30 fps)", "32x1280x720 (30 fps)", "32x1600x896 (30 fps)",
        "32x1920x1080 (30 fps)", "32x2304x1296 (2 fps)", "32x2304x1536 (2 fps)"},
       "32x320x240 (30 fps)", "video/x-raw, format=YUY2, width=320, height=240, framerate=30/1"},
      {"HD webcam, large sizes", kHdWebcamLargeOnly,
       {"32x1280x720 (30 fps)", "32x1920x1080 (30 fps)", "32x2304x1296 (2 fps)", "32x2304x1536 (2 fps)"},
       "32x1280x720 (30 fps)", "image/jpeg, width=1280, height=720, framerate=30/1"},
      {"Laptop camera", kLaptopCamera,
       {"32x640x480 (30 fps)", "32x1280x720 (30 fps)", "32x1920x1080 (30 fps)"},
       "32x640x480 (30 fps)", "video/x-raw, format=YUY2, width=640, height=480, framerate=30/1"},
      {"Infrared camera", kInfraredCamera, {"32x640x360 (15 fps)"},
       "32x640x360 (15 fps)", "video/x-raw, format=GRAY8, width=640, height=360, framerate=15/1"},
      {"Old webcam", kOldMjpegWebcam, {"32x320x240 (30 fps)", "32x640x480 (30 fps)"},
       "32x320x240 (30 fps)", "image/jpeg, width=320, height=240, framerate=30/1"},
      {"Board camera", kRangeCamera, {"32x160x120 (30 fps)", "32x320x240 (30 fps)", "32x640x480 (30 fps)"},
       "32x320x240 (30 fps)", "video/x-raw, format=YUY2, width=320, height=240, framerate=30/1"},
      {"Video grabber", kNtscGrabber, {"32x640x480 (29.97 fps)", "32x720x480 (29.97 fps)"},
       "32x640x480 (29.97 fps)", "video/x-raw, format=YUY2, width=640, height=480, framerate=30000/1001"},
  };
  for (const ListingCase& c : cases) {
    CCaptureEngine caseEngine;
    caseEngine.Init(nullptr);
    caseEngine.GetImageCapture()->SetSystemCamerasListed(false);
    auto camera = std::make_shared<ListedCamera>(c.listing);
    caseEngine.GetImageCapture()->AddExtraSource(c.name, camera);
    Strings modes;
    // The player picks the largest mode; the start-up has the last word.
    const bool chosen = ChooseCameraAtStartup(caseEngine, {}, [&](CCameraChoice& choice) {
      choice.SelectDevice(1);
      modes.assign(choice.GetModeItems().begin() + 1, choice.GetModeItems().end());
      choice.SelectMode(static_cast<int32_t>(choice.GetModeItems().size()) - 1);
      choice.PressOk();
      return choice.GetOutcome() == CCameraChoice::Outcome::Ok;
    });
    ASSERT_TRUE(chosen) << c.name;
    EXPECT_EQ(modes, c.modes) << c.name;
    const CVideoMode* mode = caseEngine.GetImageCapture()->GetCurrentMode();
    ASSERT_NE(mode, nullptr) << c.name;
    EXPECT_EQ(mode->Description(), c.started) << c.name;
    EXPECT_TRUE(SameCaps(camera->asked, c.asked)) << c.name << ": asked for " << camera->asked;
  }
  EXPECT_TRUE(Messages().empty());
}

// A camera whose only format the game cannot turn into pictures (here H.264)
// is left out, with the reason in the debugging output; the usable one beside
// it is chosen.
TEST_F(CameraChoiceTest, CameraWithoutAUsableFormatIsLeftOut) {
  setenv("ZESTBOX_DEBUG", "1", 1);
  AddListedCamera("Streaming camera",
                  "video/x-h264, stream-format=(string)byte-stream, width=(int)1920, height=(int)1080, "
                  "framerate=(fraction)30/1");
  auto infrared = AddListedCamera("Infrared camera", kInfraredCamera);
  testing::internal::CaptureStderr();
  Strings devices;
  const bool chosen = ChooseCameraAtStartup(engine, {}, [&](CCameraChoice& choice) {
    devices = choice.GetDeviceItems();
    return PickFirstDevice(choice, 1);
  });
  const std::string debug = testing::internal::GetCapturedStderr();
  unsetenv("ZESTBOX_DEBUG");
  EXPECT_TRUE(chosen);
  EXPECT_EQ(devices, (Strings{"---", "Infrared camera"}));
  EXPECT_NE(debug.find("\"Streaming camera\""), std::string::npos) << debug;
  EXPECT_NE(debug.find("video/x-h264"), std::string::npos) << debug;
  EXPECT_FALSE(infrared->asked.empty());
  EXPECT_TRUE(Messages().empty());
}
