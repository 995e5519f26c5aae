#include <gtest/gtest.h>

#include <memory>

#include "GameFolder.h"
#include "StatePlay.h"
#include "app/StateFactory.h"
#include "support/OffscreenScene.h"
#include "render/Texture.h"
#include "scores/Hiscores.h"
#include "support/RecordingDesktop.h"
#include "support/TestClock.h"

// Every picture, sound and music file missing: the game's own states, built
// by the game's factory in a working folder whose res/ is empty, start, play,
// draw on the real OpenGL device (offscreen) and go without a crash.
namespace {

class EmptyResourcesTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    ASSERT_TRUE(scene.Ok());
    Hiscores::SetFileName("cam.ini");
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    ManualClockTest::TearDown();
  }
  std::unique_ptr<CGameLoop> Build(const StateRequest& request) {
    std::unique_ptr<CGameLoop> state = CreateGameState(request);
    if (state) state->Start();
    return state;
  }
  void PlayAndLeave(const StateRequest& request) {
    std::unique_ptr<CGameLoop> state = Build(request);
    ASSERT_NE(nullptr, state);
    EXPECT_TRUE(StatePlay::PlayAndLeave(*state, 100, 200));
  }

  RecordingDesktop desktop;
  OffscreenScene scene;
  GameFolder folder;
};

TEST_F(EmptyResourcesTest, TitleIntroductionAndHighScoreScreensStartDrawAndLeave) {
  PlayAndLeave(StateRequest{StateKind::Title});
  PlayAndLeave(StateRequest{StateKind::Splash, kIntroPicture, 2, 1});
  PlayAndLeave(StateRequest{StateKind::Hiscores});
  // The game still kept its tables.
  EXPECT_EQ("Empty", Hiscores().GetEntry(0, 9).name);
}

TEST_F(EmptyResourcesTest, AnEggGameIsPlayedToItsEndWithoutPicturesOrSounds) {
  std::unique_ptr<CGameLoop> state = Build(StateRequest{StateKind::EggGame});
  ASSERT_NE(nullptr, state);
  StatePlay::Passes(*state, 100);
  EXPECT_TRUE(StatePlay::EggGameToItsEnd(*state, 20000, 25));
}

}  // namespace
