#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/StateFactory.h"
#include "game/EggGameLoop.h"
#include "render/Texture.h"
#include "scores/Hiscores.h"
#include "support/OffscreenScene.h"
#include "support/RecordingDesktop.h"
#include "support/StateFixture.h"
#include "support/TempFolder.h"
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
    std::filesystem::create_directory(folder.File("res"));
    std::filesystem::current_path(folder.Path());
    Hiscores::SetFileName("cam.ini");
  }
  void TearDown() override {
    CTexture::ReleaseAll();
    std::filesystem::current_path(previous);
    ManualClockTest::TearDown();
  }
  std::unique_ptr<CGameLoop> Build(const StateRequest& request) {
    std::unique_ptr<CGameLoop> state = CreateGameState(request);
    if (state) state->Start();
    return state;
  }

  RecordingDesktop desktop;
  OffscreenScene scene;
  TempFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
};

TEST_F(EmptyResourcesTest, TitleIntroductionAndHighScoreScreensStartDrawAndLeave) {
  for (const StateRequest& request :
       {StateRequest{StateKind::Title}, StateRequest{StateKind::Splash, kIntroPicture, 2, 1},
        StateRequest{StateKind::Hiscores}}) {
    std::unique_ptr<CGameLoop> state = Build(request);
    ASSERT_NE(nullptr, state);
    EXPECT_TRUE(StatePlay::PlayAndLeave(*state, 100, 200));
  }
  EXPECT_EQ("Empty", Hiscores().GetEntry(0, 9).name) << "the game still kept its tables";
}

// Eggs roll, drop and cost every try of a game that nobody plays.
TEST_F(EmptyResourcesTest, AnEggGameIsPlayedToItsEndWithoutPicturesOrSounds) {
  std::unique_ptr<CGameLoop> state = Build(StateRequest{StateKind::EggGame});
  const auto* game = dynamic_cast<const CEggGameLoop*>(state.get());
  ASSERT_NE(nullptr, game);
  for (int pass = 0; pass < 20000 && game->GetPhase() < CEggGameLoop::kGameOver; ++pass) {
    StatePlay::Pass(*state, pass < 100 || pass % 25 == 0);
  }
  EXPECT_EQ(0, game->GetTries());
  EXPECT_TRUE(StatePlay::PlayAndLeave(*state, 100, 200));
}

}  // namespace
