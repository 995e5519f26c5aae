#include <gtest/gtest.h>

#include "scores/Hiscores.h"
#include "support/StateFixture.h"
#include "support/TestState.h"

namespace {

class GameLoopTest : public StateFixture<TestState> {
 protected:
  EventLog log;
};

// Layers are updated and drawn in list order, also while the fade-out runs;
// the fade comes last. The state destroys the layers it owns and only lends
// its list to the others (the camera layer).
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
    state.Start();
    EXPECT_EQ(state.Fade(), state.Layers().back());
    EXPECT_EQ(CFadeEffect::kFadingIn, state.Fade()->GetPhase());
    state.Leave();
    log.clear();
    state.UpdateLayers();
    state.RenderLayers();
    EXPECT_EQ((EventLog{"update a", "update borrowed", "update s", "render a", "render borrowed", "render s"}), log);
    log.clear();
  }
  EXPECT_EQ((EventLog{"destroy s", "delete a", "delete s"}), log) << "the borrowed layer outlives the state";
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
