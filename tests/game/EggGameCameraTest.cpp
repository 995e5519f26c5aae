#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "GameTest.h"
#include "capture/CaptureEngine.h"
#include "capture/SyntheticCamera.h"
#include "game/Basket.h"
#include "game/EggGameLoop.h"
#include "motion/BasketMotionDetector.h"
#include "motion/CurrentMotionDetector.h"

namespace {

using namespace std::chrono_literals;

// A blob jumping back and forth near the top-left corner of the camera
// picture, which the mirrored screen shows at the top right.
CSyntheticScene PictureTopLeftBlob() {
  SceneBlob blob{0xFFFFFF, 0.1f, {{0, 0.15f, 0.15f}, {99, 0.15f, 0.15f}, {100, 0.3f, 0.25f}, {199, 0.3f, 0.25f}}};
  return CSyntheticScene({blob}, 200);
}

// The egg game with the real capture engine on the synthetic camera.
class EggGameCameraTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    captureEngine = std::make_unique<CCaptureEngine>();
    captureEngine->Init(nullptr);
    CImageCapture& capture = *captureEngine->GetImageCapture();
    capture.SetSystemCamerasListed(false);
    capture.AddExtraSource("Test camera", std::make_shared<CSyntheticCamera>(PictureTopLeftBlob()));
    ASSERT_TRUE(capture.EnumerateDevices());
    ASSERT_TRUE(capture.CreateFilters());
    ASSERT_TRUE(capture.SetCaptureDevice(0)) << capture.GetLastErrorText();
    ASSERT_TRUE(capture.EnumDeviceCaps());
    CVideoMode* mode = capture.FindVideoMode(320, 240, 32);
    ASSERT_NE(mode, nullptr);
    ASSERT_TRUE(capture.SetVideoMode(mode)) << capture.GetLastErrorText();
    captureEngine->SetScreenRect(0, 0, 1000, 750);
    ASSERT_TRUE(captureEngine->Start()) << capture.GetLastErrorText();
  }
  void TearDown() override {
    game.reset();
    captureEngine.reset();
    GameTest::TearDown();
  }

  std::unique_ptr<CEggGameLoop> game;
};

TEST_F(EggGameCameraTest, CameraMovementSteersTheBasket) {
  game = std::make_unique<CEggGameLoop>();
  game->Start();
  // The camera picture behind everything, and the game's own detector fed by it.
  EXPECT_EQ(game->Layers().front(), captureEngine->GetVideoLayer());
  auto* detector = dynamic_cast<CBasketMotionDetector*>(CurrentMotionDetector());
  ASSERT_NE(detector, nullptr);
  EXPECT_EQ(captureEngine->GetMotionDetector(), detector);
  EXPECT_EQ(detector->GetThreshold(), 30);

  const auto end = std::chrono::steady_clock::now() + 5s;
  while (game->GetBasket()->GetZone() != CBasketMotionDetector::kTopRight && std::chrono::steady_clock::now() < end) {
    Advance(kFrameMs);
    captureEngine->Update();
    game->UpdateLayers();
    game->Update();
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(game->GetBasket()->GetZone(), CBasketMotionDetector::kTopRight);
  EXPECT_NEAR(game->GetBasket()->GetPositionX(), 720 * kScaleX, 1e-3);
  EXPECT_NEAR(game->GetBasket()->GetPositionY(), 310 * kScaleY, 1e-3);

  // Leaving clears the state's layers but not the engine's camera layer.
  game->Leave();
  for (int frame = 0; frame < 100 && !game->IsFinished(); ++frame) {
    Advance(kFrameMs);
    game->UpdateLayers();
    game->Update();
  }
  EXPECT_TRUE(game->IsFinished());
  EXPECT_NE(captureEngine->GetVideoLayer(), nullptr);
}

}  // namespace
