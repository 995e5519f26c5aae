#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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
#include "support/TestClock.h"

// The camera is unplugged in the middle of an egg game and plugged back in:
// the whole game (application, frame cycle, capture engine, the egg game's
// own detector) on the test camera, drawing into the recording device.
namespace {

constexpr char kCamera[] = "Test camera";

// Movement that changes quarter every second of the camera's time: a blob jumping about near the
// top-left of the camera picture (the top right of the mirrored screen), then
// near its bottom-left (the bottom right on screen).
CSyntheticScene AlternatingQuarters() {
  SceneBlob blob{0xFFFFFF, 0.1f, {}};
  for (uint32_t t = 0; t < 2000; t += 100) {
    const bool jumped = (t / 100) % 2 == 1;
    const float x = jumped ? 0.3f : 0.15f;
    const float y = (t < 1000 ? 0.15f : 0.75f) + (jumped ? 0.1f : 0.0f);
    blob.path.push_back({t, x, y});
    blob.path.push_back({t + 99, x, y});
  }
  return CSyntheticScene({blob}, 2000);
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class CameraLossTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    Hiscores::SetFileName(folder.File("cam.ini"));
    captureEngine = std::make_unique<CCaptureEngine>();
    app.SetStateFactory([](const StateRequest&) -> std::unique_ptr<CGameLoop> {
      auto game = std::make_unique<CEggGameLoop>();
      game->SeedRandom(7);
      return game;
    });
    app.SetCamera(CameraRequest{"", "320x240", false}, ExtraCamera{kCamera, camera});
    // Chosen in the dialog; the camera may go between the choice and the
    // start (see CameraFailingAtStartTest).
    app.SetCameraDialog([this](CCameraChoice& choice) {
      const std::vector<std::string>& devices = choice.GetDeviceItems();
      choice.SelectDevice(static_cast<int32_t>(std::find(devices.begin(), devices.end(), kCamera) - devices.begin()));
      choice.PressOk();
      camera->SetUnplugged(unpluggedBeforeStart);
      return true;
    });
    auto recording = std::make_unique<RecordingDevice>();
    device = recording.get();
    ASSERT_EQ(S_OK, app.CreateOnDevice(std::move(recording)));
    ASSERT_EQ(S_OK, app.InitGame());
    game = dynamic_cast<CEggGameLoop*>(app.CurrentState());
    ASSERT_NE(game, nullptr);
    pace = std::chrono::steady_clock::now();
  }
  void TearDown() override {
    captureEngine.reset();  // before the application, as the entry point does
    Hiscores::SetFileName("cam.ini");
    ManualClockTest::TearDown();
  }

  // Frame cycle passes until `done` holds after one, at most `limit`. Each
  // pass is 40 ms of game time and lasts at least that long in real time, so
  // the game's clock never runs ahead of the camera.
  bool PlayUntil(const std::function<bool()>& done, int limit) {
    for (int pass = 0; pass < limit; ++pass) {
      pace += std::chrono::milliseconds(CMyD3DApplication::kFrameInterval);
      std::this_thread::sleep_until(pace);
      Advance(CMyD3DApplication::kFrameInterval);
      EXPECT_EQ(S_OK, app.FrameStep());
      if (done()) return true;
    }
    return false;
  }
  void Play(int passes) {
    PlayUntil([] { return false; }, passes);
  }
  int32_t Zone() const { return game->GetBasket()->GetZone(); }
  // Pictures uploaded into `picture`; -1 once it is no longer the camera texture.
  static int Uploads(const RecordedTexture* picture) {
    return cameraTexture.get() == picture ? picture->updates : -1;
  }
  // Where every egg is and what it does.
  std::vector<float> EggTrack() const {
    std::vector<float> track;
    for (const CEgg* egg : game->Eggs())
      track.insert(track.end(), {static_cast<float>(egg->GetState()), egg->GetPositionX(), egg->GetPositionY()});
    return track;
  }

  bool FollowsCamera() const {
    return Zone() == CBasketMotionDetector::kTopRight || Zone() == CBasketMotionDetector::kBottomRight;
  }

  bool unpluggedBeforeStart = false;
  RecordingDesktop desktop;
  TempFolder folder;
  std::shared_ptr<CSyntheticCamera> camera = std::make_shared<CSyntheticCamera>(AlternatingQuarters());
  CMyD3DApplication app;
  RecordingDevice* device = nullptr;  // the application's
  CEggGameLoop* game = nullptr;       // the application's current state
  std::chrono::steady_clock::time_point pace;
};

TEST_F(CameraLossTest, TheGameGoesOnWithTheLastPictureAndFollowsMovementAgainOnceTheCameraIsBack) {
  CImageCapture& capture = *captureEngine->GetImageCapture();
  ASSERT_TRUE(PlayUntil([&] { return game->GetPhase() == CEggGameLoop::kPlaying && FollowsCamera(); }, 250))
      << "eggs rolling and the basket following the camera; phase " << game->GetPhase() << ", zone " << Zone();
  ASSERT_FALSE(capture.IsSourceFaulted());
  const auto* picture = static_cast<const RecordedTexture*>(cameraTexture.get());
  ASSERT_NE(nullptr, picture);

  testing::internal::CaptureStderr();
  camera->SetUnplugged(true);
  EXPECT_TRUE(PlayUntil([&] { return capture.IsSourceFaulted(); }, 50));
  Play(5);  // the pictures already on their way
  const uint64_t framesAtLoss = capture.GetDetectorFrameCount();
  const int32_t zoneAtLoss = Zone();
  const int uploadsAtLoss = Uploads(picture);
  const std::vector<float> eggsAtLoss = EggTrack();
  device->ClearRecords();

  // Unplugged past one restart, which fails again.
  constexpr int kUnpluggedPasses = 55;
  Play(kUnpluggedPasses);
  EXPECT_TRUE(capture.IsSourceFaulted());
  EXPECT_EQ(framesAtLoss, capture.GetDetectorFrameCount());
  EXPECT_NE(eggsAtLoss, EggTrack()) << "the eggs stood still without the camera";
  EXPECT_EQ(zoneAtLoss, Zone());
  // Every pass drew a frame, the last picture behind it.
  EXPECT_EQ(size_t{kUnpluggedPasses}, device->CountCalls("BeginScene"));
  EXPECT_EQ(kUnpluggedPasses, std::count_if(device->strips.begin(), device->strips.end(),
                                            [&](const auto& strip) { return strip.texture == picture; }));
  EXPECT_EQ(uploadsAtLoss, Uploads(picture));

  camera->SetUnplugged(false);
  EXPECT_TRUE(PlayUntil([&] { return !capture.IsSourceFaulted(); }, 100)) << "no pictures 4 s after plugging in";
  // The player still changes quarters every second; the basket follows again.
  const int32_t otherZone = zoneAtLoss == CBasketMotionDetector::kTopRight ? CBasketMotionDetector::kBottomRight
                                                                            : CBasketMotionDetector::kTopRight;
  EXPECT_TRUE(PlayUntil([&] { return Zone() == otherZone; }, 100)) << "the basket stays in zone " << Zone();
  EXPECT_GT(capture.GetDetectorFrameCount(), framesAtLoss);
  EXPECT_GT(Uploads(picture), uploadsAtLoss);

  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(1u, Occurrences(said, "Zestbox: the camera \"Test camera\" stopped delivering pictures (")) << said;
  EXPECT_EQ(1u, Occurrences(said, "Zestbox: the camera \"Test camera\" delivers pictures again.")) << said;
  EXPECT_TRUE(desktop.messages.empty());
}

// The camera goes after the player chose it and before the game starts it
// (unplugged, or taken by another program): its source cannot even be opened.
class CameraFailingAtStartTest : public CameraLossTest {
 protected:
  void SetUp() override {
    unpluggedBeforeStart = true;
    testing::internal::CaptureStderr();
    CameraLossTest::SetUp();
  }
};

TEST_F(CameraFailingAtStartTest, IsWatchedFromTheStartAndFollowedOnceItDelivers) {
  CImageCapture& capture = *captureEngine->GetImageCapture();
  EXPECT_TRUE(PlayUntil([&] { return capture.IsSourceFaulted(); }, 5)) << "the failed start went unnoticed";
  Play(55);  // past a retry that fails again
  EXPECT_TRUE(capture.IsSourceFaulted());
  EXPECT_EQ(0u, capture.GetDetectorFrameCount());
  EXPECT_EQ(nullptr, cameraTexture);  // a black background

  camera->SetUnplugged(false);
  EXPECT_TRUE(PlayUntil([&] { return !capture.IsSourceFaulted(); }, 100)) << "no pictures 4 s after plugging in";
  EXPECT_TRUE(PlayUntil([&] { return FollowsCamera(); }, 150)) << "the basket stays in zone " << Zone();
  EXPECT_NE(nullptr, cameraTexture);

  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(1u, Occurrences(said, "Zestbox: the camera \"Test camera\" stopped delivering pictures (The camera is not "
                                  "connected); the game goes on with the last picture.\n"))
      << said;
  EXPECT_EQ(1u, Occurrences(said, "Zestbox: the camera \"Test camera\" delivers pictures again.")) << said;
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
