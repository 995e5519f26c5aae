#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scores/Hiscores.h"
#include "support/StateFixture.h"
#include "support/TestState.h"

namespace {

class GameLoopTest : public StateFixture<TestState> {
 protected:
  EventLog log;
};

// Layers are updated and drawn in list order; the state destroys the layers
// it owns and only lends its list to the others (the camera layer).
TEST_F(GameLoopTest, TheLayerListKeepsOrderAndDestroysOnlyWhatItOwns) {
  LogLayer borrowed("borrowed", log);
  {
    TestState state("s", log);
    LogLayer* a = state.AddLayer(std::make_unique<LogLayer>("a", log));
    LogLayer* b = state.AddLayer(std::make_unique<LogLayer>("b", log));
    state.AddBorrowedLayer(&borrowed);
    state.AddBorrowedLayer(&borrowed);
    state.RemoveLayer(&borrowed);
    state.RemoveLayer(nullptr);
    state.RemoveLayer(b);
    EXPECT_EQ((std::vector<CAbstractLayer*>{a, &borrowed}), state.Layers()) << "only the first entry goes";
    EXPECT_EQ(EventLog{"delete b"}, log);
    log.clear();
    state.UpdateLayers();
    state.RenderLayers();
    EXPECT_EQ((EventLog{"update a", "update borrowed", "render a", "render borrowed"}), log);
    log.clear();
  }
  EXPECT_EQ((EventLog{"destroy s", "delete a"}), log) << "the borrowed layer outlives the state";
}

// Started, the fade comes last; leaving, the state draws nothing once the fade-out covers.
TEST_F(GameLoopTest, TheFadeComesLastAndCoversTheLeavingState) {
  TestState state("s", log);
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
