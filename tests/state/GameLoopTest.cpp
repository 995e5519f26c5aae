#include <gtest/gtest.h>

#include <string>

#include "layers/VideoTextureLayer.h"
#include "scores/Hiscores.h"
#include "support/StateFixture.h"
#include "support/TestState.h"

namespace {

class GameLoopTest : public StateFixture<TestState> {
 protected:
  EventLog log;
};

// Layers are updated and drawn in list order; the state deletes its own
// layers but never the camera layer, which the capture engine owns.
TEST_F(GameLoopTest, TheLayerListKeepsOrderAndOwnsAllButTheCameraLayerAndTheFadeCoversLast) {
  CVideoTextureLayer camera;
  TestState state("s", log);
  auto* a = new LogLayer("a", log);
  auto* b = new LogLayer("b", log);
  state.AddLayer(a);
  state.AddLayer(b);
  state.RemoveLayer(a);
  state.RemoveLayer(nullptr);
  state.AddLayer(a);
  state.AddLayer(&camera);
  EXPECT_EQ((std::vector<CAbstractLayer*>{b, a, &camera}), state.Layers());
  state.DeleteLayer(b);
  state.UpdateLayers();
  state.ClearLayers();
  EXPECT_TRUE(state.Layers().empty());
  EXPECT_EQ((EventLog{"delete b", "update a", "delete a"}), log);
  // Started, the fade comes last; leaving, the state draws nothing once the fade-out covers.
  state.Start();
  EXPECT_EQ(state.Fade(), state.Layers().back());
  EXPECT_EQ(CFadeEffect::kFadingIn, state.Fade()->GetPhase());
  state.Leave();
  log.clear();
  state.RenderLayers();
  EXPECT_EQ(EventLog{"render s"}, log) << "drawn while the fade-out runs";
  while (state.Fade()->GetPhase() != CFadeEffect::kIdle) {
    Advance(31);
    state.Fade()->Update();
  }
  log.clear();
  state.RenderLayers();
  EXPECT_TRUE(log.empty());
}

// The first state of a first start creates cam.ini with the default tables.
TEST_F(GameLoopTest, AMissingSettingsFileGetsTheDefaultTables) {
  const std::string file = Hiscores::GetFileName();
  {
    TestState state("s", log);
    EXPECT_FALSE(desktop.screenSaverAllowed) << "a state keeps the screen saver off";
  }
  EXPECT_TRUE(desktop.screenSaverAllowed);
  for (int32_t kind = 0; kind < 5; ++kind) {
    EXPECT_EQ(HiScoreEntry("Empty", 0), Hiscores(file).GetEntry(kind, 9)) << "kind " << kind;
  }
}

}  // namespace
