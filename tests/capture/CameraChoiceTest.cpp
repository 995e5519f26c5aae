#include <gtest/gtest.h>

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
  AddCamera("Only", {{320, 240, 32}});
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

TEST_F(CameraChoiceTest, CameraWithout320By240StartsInItsFirstMode) {
  AddCamera("Only", {{640, 480, 32}, {160, 120, 32}});
  EXPECT_TRUE(ChooseCameraAtStartup(engine, {}, [](CCameraChoice& choice) { return PickFirstDevice(choice, 2); }));
  EXPECT_EQ(Capture().GetCurrentMode(), Capture().GetMode(0));
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
