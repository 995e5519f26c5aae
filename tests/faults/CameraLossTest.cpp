#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "app/MyD3DApplication.h"
#include "capture/CameraChoice.h"
#include "capture/CaptureEngine.h"
#include "capture/SyntheticCamera.h"
#include "game/Basket.h"
#include "game/Egg.h"
#include "game/EggGameLoop.h"
#include "motion/BasketMotionDetector.h"
#include "scores/Hiscores.h"
#include "support/TempFolder.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"
#include "support/ScopedEnvironment.h"
#include "support/TestClock.h"

// The camera is unplugged in the middle of an egg game and plugged back in:
// the whole game (application, frame cycle, capture engine, the egg game's
// own detector) on the test camera, drawing into the recording device.
namespace {

// Movement that changes quarter every second of the camera's time: a blob jumping about near the
// top-left of the camera picture (the top right of the mirrored screen), then
// near its bottom-left (the bottom right on screen).
CSyntheticScene AlternatingQuarters() {
  SceneBlob blob{0xFFFFFF, 0.1f, {}};
  for (uint32_t t = 0; t < 2000; t += 100) {
    const bool jumped = (t / 100) % 2 == 1;
    const ScenePoint at{t, jumped ? 0.3f : 0.15f, (t < 1000 ? 0.15f : 0.75f) + (jumped ? 0.1f : 0.0f)};
    blob.path.insert(blob.path.end(), {at, {t + 99, at.x, at.y}});
  }
  return CSyntheticScene({blob}, 2000);
}

class CameraLossTest : public ManualClockTest {
 protected:
  void TearDown() override {
    captureEngine.reset();  // before the application, as the entry point does
    Hiscores::SetFileName("cam.ini");
    ManualClockTest::TearDown();
  }
  // The egg game on the test camera, chosen in the dialog; the camera may go
  // between the choice and the start.
  void Start(bool unpluggedBeforeStart) {
    Hiscores::SetFileName(folder.File("cam.ini"));
    captureEngine = std::make_unique<CCaptureEngine>();
    app.SetStateFactory([](const StateRequest&) -> std::unique_ptr<CGameLoop> {
      auto game = std::make_unique<CEggGameLoop>();
      game->SeedRandom(7);
      return game;
    });
    app.SetCamera(CameraRequest{"", "320x240", false}, ExtraCamera{"Test camera", camera});
    app.SetCameraDialog([this, unpluggedBeforeStart](CCameraChoice& choice) {
      const std::vector<std::string>& items = choice.GetDeviceItems();
      choice.SelectDevice(static_cast<int32_t>(std::find(items.begin(), items.end(), "Test camera") - items.begin()));
      choice.PressOk();
      camera->SetUnplugged(unpluggedBeforeStart);
      return true;
    });
    auto recording = std::make_unique<RecordingDevice>();
    device = recording.get();
    ASSERT_TRUE(app.CreateOnDevice(std::move(recording)) == S_OK && app.InitGame() == S_OK);
    game = dynamic_cast<CEggGameLoop*>(app.CurrentState());
    ASSERT_NE(game, nullptr);
    pace = std::chrono::steady_clock::now();
  }

  // Frame cycle passes until `done` holds after one, at most `limit`. Each
  // pass is 40 ms of game time and lasts at least that long in real time, so
  // the game's clock never runs ahead of the camera.
  bool PlayUntil(const std::function<bool()>& done, int limit) {
    for (int pass = 0; pass < limit; ++pass) {
      std::this_thread::sleep_until(pace += std::chrono::milliseconds(CMyD3DApplication::kFrameInterval));
      Advance(CMyD3DApplication::kFrameInterval);
      EXPECT_EQ(S_OK, app.FrameStep());
      if (done()) return true;
    }
    return false;
  }
  void Play(int passes) { PlayUntil([] { return false; }, passes); }
  int32_t Zone() const { return game->GetBasket()->GetZone(); }
  // Pictures uploaded into the camera texture; -1 while there is none.
  static int Uploads() {
    const auto* picture = static_cast<const RecordedTexture*>(cameraTexture.get());
    return picture != nullptr ? picture->updates : -1;
  }
  // How far down the eggs are, all together.
  float EggsDown() const {
    float down = 0;
    for (const CEgg* egg : game->Eggs()) down += egg->GetPositionY();
    return down;
  }
  bool FollowsCamera() const {
    return Zone() == CBasketMotionDetector::kTopRight || Zone() == CBasketMotionDetector::kBottomRight;
  }

  // The camera, unplugged, is noticed, stays away past one restart that fails
  // again, and is plugged back in: meanwhile every pass draws a frame over the
  // last picture (or none) and the eggs go on; afterwards the basket follows
  // the player, who changes quarters every second, again. Said once each way,
  // with `why`, and no message box.
  void ExpectTheGameToOutliveTheCamera(int noticedWithin, const std::string& why) {
    CImageCapture& capture = *captureEngine->GetImageCapture();
    EXPECT_TRUE(PlayUntil([&] { return capture.IsSourceFaulted(); }, noticedWithin)) << "the loss went unnoticed";
    Play(5);  // the pictures already on their way
    const uint64_t frames = capture.GetDetectorFrameCount();
    const int32_t zone = Zone();
    const int uploads = Uploads();
    const RenderTexture* picture = cameraTexture.get();
    const float eggs = EggsDown();
    device->ClearRecords();
    constexpr int kUnpluggedPasses = 55;
    Play(kUnpluggedPasses);
    EXPECT_TRUE(capture.IsSourceFaulted() && frames == capture.GetDetectorFrameCount() && zone == Zone());
    EXPECT_TRUE(game->Eggs().empty() || eggs != EggsDown()) << "the eggs stood still without the camera";
    EXPECT_EQ(size_t{kUnpluggedPasses}, device->CountCalls("BeginScene"));
    EXPECT_TRUE(picture == cameraTexture.get() && uploads == Uploads());
    const auto behind = [&](const auto& strip) { return strip.texture == picture; };
    EXPECT_TRUE(picture == nullptr || std::count_if(device->strips.begin(), device->strips.end(), behind) == kUnpluggedPasses);

    camera->SetUnplugged(false);
    EXPECT_TRUE(PlayUntil([&] { return !capture.IsSourceFaulted(); }, 100)) << "no pictures 4 s after plugging in";
    EXPECT_TRUE(PlayUntil([&] { return Zone() != zone && FollowsCamera(); }, 150)) << "the basket stays in zone " << Zone();
    EXPECT_TRUE(capture.GetDetectorFrameCount() > frames && Uploads() > uploads);
    const std::string said = testing::internal::GetCapturedStderr();
    const auto once = [&](const std::string& part) {
      return said.find(part) != std::string::npos && said.find(part) == said.rfind(part);
    };
    EXPECT_TRUE(once("Zestbox: the camera \"Test camera\" stopped delivering pictures (" + why)) << said;
    EXPECT_TRUE(once("Zestbox: the camera \"Test camera\" delivers pictures again.")) << said;
    EXPECT_TRUE(desktop.messages.empty());
  }

  RecordingDesktop desktop;
  TempFolder folder;
  std::shared_ptr<CSyntheticCamera> camera = std::make_shared<CSyntheticCamera>(AlternatingQuarters());
  CMyD3DApplication app;
  RecordingDevice* device = nullptr;  // the application's
  CEggGameLoop* game = nullptr;       // the application's current state
  std::chrono::steady_clock::time_point pace;
};

TEST_F(CameraLossTest, TheGameGoesOnWithTheLastPictureAndFollowsMovementAgainOnceTheCameraIsBack) {
  ASSERT_NO_FATAL_FAILURE(Start(false));
  ASSERT_TRUE(PlayUntil([&] { return game->GetPhase() == CEggGameLoop::kPlaying && FollowsCamera(); }, 250))
      << "eggs rolling and the basket following the camera; phase " << game->GetPhase() << ", zone " << Zone();
  ASSERT_NE(nullptr, cameraTexture);
  testing::internal::CaptureStderr();
  camera->SetUnplugged(true);
  ExpectTheGameToOutliveTheCamera(50, "");
}

// The camera goes after the player chose it and before the game starts it
// (unplugged, or taken by another program): its source cannot even be opened.
using CameraFailingAtStartTest = CameraLossTest;

// Watched from the start, with a black background, and followed once it delivers.
TEST_F(CameraFailingAtStartTest, IsWatchedFromTheStartAndFollowedOnceItDelivers) {
  testing::internal::CaptureStderr();
  ASSERT_NO_FATAL_FAILURE(Start(true));
  ExpectTheGameToOutliveTheCamera(5, "The camera is not connected); the game goes on with the last picture.\n");
}

// No audio output: the sink the game plays into cannot be made. The egg
// game's music and sounds refuse, and it plays on silent, eggs breaking, and
// says nothing.
using NoAudioDeviceTest = CameraLossTest;

TEST_F(NoAudioDeviceTest, TheGameRunsSilentAndSaysNothing) {
  const ScopedEnvironment noSink{"ZESTBOX_AUDIO_SINK", "zestboxnosuchsink"};
  ASSERT_NO_FATAL_FAILURE(Start(false));
  EXPECT_TRUE(Failed(app.AudioEngine()->Initialize()));
  for (int pass = 0; pass < 1000 && game->GetTries() > CEggGameLoop::kStartTries - 2; ++pass) {
    Advance(CMyD3DApplication::kFrameInterval);
    ASSERT_EQ(S_OK, app.FrameStep());
  }
  EXPECT_EQ(game->GetTries(), CEggGameLoop::kStartTries - 2);
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
