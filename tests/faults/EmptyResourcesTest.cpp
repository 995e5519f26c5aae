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
  RecordingDesktop desktop;
  OffscreenScene scene;
  TempFolder folder;
  const std::filesystem::path previous = std::filesystem::current_path();
};

// The egg game's eggs roll, drop and cost every try of a game nobody plays.
TEST_F(EmptyResourcesTest, EveryScreenStartsDrawsAndLeavesAndAnEggGameIsPlayedToItsEnd) {
  for (const StateRequest& request :
       {StateRequest{StateKind::Title}, StateRequest{StateKind::Splash, kIntroPicture, 2, 1},
        StateRequest{StateKind::Hiscores}, StateRequest{StateKind::EggGame}}) {
    const std::unique_ptr<CGameLoop> state = CreateGameState(request);
    state->Start();
    if (const auto* game = dynamic_cast<const CEggGameLoop*>(state.get())) {
      for (int pass = 0; pass < 20000 && game->GetPhase() < CEggGameLoop::kGameOver; ++pass)
        StatePlay::Pass(*state, pass < 100 || pass % 25 == 0);
      EXPECT_EQ(0, game->GetTries());
    }
    EXPECT_TRUE(StatePlay::PlayAndLeave(*state, 100, 200));
  }
  EXPECT_EQ("Empty", Hiscores().GetEntry(0, 9).name) << "the game still kept its tables";
}

}  // namespace
