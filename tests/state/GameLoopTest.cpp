#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "support/TestClock.h"
#include "support/TestState.h"
#include "layers/VideoTextureLayer.h"
#include "scores/HiscoreLayer.h"
#include "scores/Hiscores.h"
#include "scores/IniFile.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingDevice.h"

namespace {

// The live camera layer, shown by every state and owned by the capture engine.
class CameraLayer : public CVideoTextureLayer {
 public:
  explicit CameraLayer(EventLog& eventLog) : log(eventLog) {}
  ~CameraLayer() override { log.push_back("delete camera"); }
  int32_t Render(RenderDevice* device) override {
    log.push_back("render camera");
    return CVideoTextureLayer::Render(device);
  }

 private:
  EventLog& log;
};

class GameLoopTest : public ManualClockTest {
 protected:
  void SetUp() override {
    ManualClockTest::SetUp();
    d3dDevice = &device;
  }
  void TearDown() override {
    d3dDevice = nullptr;
    ManualClockTest::TearDown();
  }
  RecordingDesktop desktop;
  RecordingDevice device;
  EventLog log;
};

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

TEST_F(GameLoopTest, ClearingLeavesTheSharedLayerAliveAndTheListEmpty) {
  CameraLayer camera(log);
  {
    TestState first("first", log);
    first.AddBorrowedLayer(&camera);
    first.Start();
    first.ClearLayers();
    EXPECT_TRUE(first.Layers().empty());
    EXPECT_EQ((EventLog{"start first", "delete first"}), log);
  }
  TestState second("second", log);
  second.AddBorrowedLayer(&camera);
  log.clear();
  second.RenderLayers();
  EXPECT_EQ(EventLog{"render camera"}, log);
}

TEST_F(GameLoopTest, StartPutsTheFadeLastAndFadesIn) {
  TestState state("s", log);
  EXPECT_FALSE(state.IsStarted());
  state.Start();
  EXPECT_TRUE(state.IsStarted());
  ASSERT_NE(nullptr, state.Fade());
  EXPECT_EQ(state.Fade(), state.Layers().back());
  EXPECT_EQ(CFadeEffect::kFadingIn, state.Fade()->GetPhase());
  EXPECT_FALSE(state.IsFadingOut());
  state.Leave();
  EXPECT_TRUE(state.IsFadingOut());
}

TEST_F(GameLoopTest, ALeavingStateDrawsNothingOnceTheFadeOutCovers) {
  TestState state("s", log);
  state.Start();
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

TEST_F(GameLoopTest, KeysAreTakenOnceAndFinishRecordsTheResult) {
  TestState state("s", log);
  EXPECT_EQ(-1, state.TakeKey());
  state.SetLastKey(65);
  EXPECT_EQ(65, state.TakeKey());
  EXPECT_EQ(-1, state.TakeKey());
  EXPECT_EQ(0, state.IsFinished());
  state.StartMusic("./res/no-such-music.mp3");  // fails quietly
  state.Finish(5);
  EXPECT_EQ(1, state.IsFinished());
  EXPECT_EQ(5, state.GetResult());
  EXPECT_EQ(E_FAIL, state.Music().Play()) << "Finish stopped and closed the music";
}

TEST_F(GameLoopTest, AMissingSettingsFileIsCreatedWithTheDefaultTables) {
  const std::string file = ::testing::TempDir() + "zestbox_app_cam.ini";
  std::remove(file.c_str());
  const std::string previous = Hiscores::GetFileName();
  Hiscores::SetFileName(file);
  {
    TestState state("s", log);
    EXPECT_FALSE(desktop.screenSaverAllowed) << "a state keeps the screen saver off";
  }
  Hiscores::SetFileName(previous);
  EXPECT_TRUE(desktop.screenSaverAllowed);
  ASSERT_TRUE(CIniFile::FileExists(file));
  const Hiscores table(file);
  EXPECT_EQ("Empty", table.GetEntry(0, 0).name);
  EXPECT_EQ("Empty", table.GetEntry(4, 9).name);
  EXPECT_EQ("0", CIniFile::ReadValue("score_9", "Pendry", file));
  std::remove(file.c_str());
}

TEST_F(GameLoopTest, AQualifyingScoreIsEnteredAndShownForItsName) {
  const std::string file = ::testing::TempDir() + "zestbox_app_entry.ini";
  std::remove(file.c_str());
  const std::string previous = Hiscores::GetFileName();
  Hiscores::SetFileName(file);
  {
    TestState state("s", log);
    Hiscores(file).SetEntry(2, 0, HiScoreEntry("ada", 900));
    Hiscores(file).SetEntry(2, 1, HiScoreEntry("bob", 300));
    state.Start();
    state.ShowHiscoreEntry("Game over", 500, 2);
    HiscoreLayer* table = state.GetHiscoreLayer();
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(table, state.Layers().back());
    EXPECT_EQ(1, table->GetHighlightRow());
    EXPECT_EQ(HiScoreEntry("", 500), table->GetEntries()[1]);
    EXPECT_EQ(HiScoreEntry("bob", 300), Hiscores(file).GetEntry(2, 2)) << "the table was written";
    EXPECT_EQ(HiScoreEntry("Empty", 0), Hiscores(file).GetEntry(1, 1)) << "other kinds untouched";
  }
  Hiscores::SetFileName(previous);
  std::remove(file.c_str());
}

}  // namespace
