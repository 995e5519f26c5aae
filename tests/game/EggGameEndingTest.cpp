#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "EggGameTest.h"
#include "layers/HUD.h"
#include "menu/OptionsLayer.h"
#include "scores/HiscoreLayer.h"
#include "scores/Hiscores.h"
#include "support/PrintEntry.h"
#include "support/TempFolder.h"

namespace {
using Game = CEggGameLoop;
const ScreenRect kYesArea{60, 300, 360, 560};
const ScreenRect kNoArea{670, 300, 980, 560};

// The ending of a game, with cam.ini in a fresh temporary folder.
class EggGameEndingTest : public EggGameTest {
 protected:
  void SetUp() override {
    Hiscores::SetFileName(scoresFile);
    EggGameTest::SetUp();
  }
  void TearDown() override {
    EggGameTest::TearDown();
    Hiscores::SetFileName("cam.ini");
  }
  // Catches `catches` eggs of chute 0, then lets every other egg drop.
  void PlayToGameOver(int catches) {
    Script(0);
    StartPlaying();
    motion.MoveIn(0);
    ASSERT_TRUE(RunUntil([&] { return game->GetScore() >= 10 * catches; }, 5000));
    while (game->GetPhase() != Game::kGameOver) {
      motion.MoveIn(1);
      ASSERT_TRUE(RunUntil([this] { return game->GetTries() == 0 || game->GetPhase() == Game::kPause; }, 5000));
      ASSERT_TRUE(RunUntil([this] { return game->GetPhase() != Game::kPause; }, 5000));
    }
  }
  void UntilPhase(int32_t phase) {
    ASSERT_TRUE(RunUntil([&] { return game->GetPhase() == phase; }, 5000)) << "phase " << game->GetPhase();
  }
  HiScoreEntry TopRow() const { return Hiscores(scoresFile).GetTable(0)[0]; }

  TempFolder folder;
  const std::string scoresFile = folder.File("cam.ini");
};

TEST_F(EggGameEndingTest, ScoreOutsideTheTableGoesStraightToTheQuestion) {
  PlayToGameOver(0);
  const uint32_t overAt = Now();
  UntilPhase(Game::kQuestion);
  EXPECT_GT(Now() - overAt, 3000u);
  EXPECT_TRUE(game->GetOptions()->IsVisible());
  EXPECT_EQ(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(TopRow(), HiScoreEntry("Empty", 0));
}

TEST_F(EggGameEndingTest, QualifyingScoreIsSavedAtOnceAndTakesTheTypedName) {
  PlayToGameOver(1);
  UntilPhase(Game::kNameEntry);
  ASSERT_NE(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(game->GetHiscoreLayer()->GetHighlightRow(), 0);
  EXPECT_EQ(TopRow(), HiScoreEntry("", 10));

  for (int32_t key : {int32_t{'A'}, int32_t{'D'}, int32_t{'A'}, 13}) {
    game->SetLastKey(key);
    Frame();
  }
  EXPECT_EQ(game->GetPhase(), Game::kQuestion);
  EXPECT_EQ(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(TopRow(), HiScoreEntry("ada", 10));
  EXPECT_EQ(Hiscores(scoresFile).GetTable(0)[1], HiScoreEntry("Empty", 0));
}

// No file may grow past one byte while it lives, so no save can succeed,
// even for root.
class NoFileWrites {
 public:
  NoFileWrites() {
    getrlimit(RLIMIT_FSIZE, &saved);
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 1;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~NoFileWrites() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
  }

 private:
  rlimit saved{};
  void (*previousHandler)(int) = SIG_DFL;
};

// With a cam.ini that cannot be written the name is lost on saving, but the
// player still types it into a row of their own, under the table as it was.
TEST_F(EggGameEndingTest, NameEntryWithAnUnwritableFileEditsThePlayersOwnRow) {
  const std::string before = " [Quorra]\n name_0=Ann\n score_0=900\n name_1=Bob\n score_1=5\n";
  WriteFile(scoresFile, before);
  PlayToGameOver(1);
  NoFileWrites unwritable;
  UntilPhase(Game::kNameEntry);
  const HiscoreLayer* entry = game->GetHiscoreLayer();
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(entry->GetHighlightRow(), 1);
  for (int32_t key : {int32_t{'E'}, int32_t{'V'}}) {
    game->SetLastKey(key);
    Frame();
  }
  const std::vector<HiScoreEntry> shown = entry->GetEntries();
  EXPECT_EQ(shown[0], HiScoreEntry("Ann", 900));
  EXPECT_EQ(shown[1], HiScoreEntry("ev", 10));
  EXPECT_EQ(shown[2], HiScoreEntry("Bob", 5));
  game->SetLastKey(13);
  Frame();
  EXPECT_EQ(game->GetPhase(), Game::kQuestion);
  EXPECT_EQ(ReadFile(scoresFile), before);
}

TEST_F(EggGameEndingTest, LeavingDuringNameEntryKeepsTheScoreUnderAnEmptyName) {
  PlayToGameOver(1);
  UntilPhase(Game::kNameEntry);
  game->SetLastKey('Z');
  Frame();
  game->Leave();
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
  EXPECT_EQ(TopRow(), HiScoreEntry("", 10));
}

TEST_F(EggGameEndingTest, YesStartsAFreshGameInTheSameState) {
  PlayToGameOver(1);
  UntilPhase(Game::kNameEntry);
  for (int32_t key : {int32_t{'B'}, 13}) {
    game->SetLastKey(key);
    Frame();
  }
  ASSERT_EQ(game->GetPhase(), Game::kQuestion);
  ASSERT_TRUE(RunUntil([&] {
    motion.Move({kYesArea});
    return game->GetPhase() != Game::kQuestion;
  }));
  EXPECT_EQ(game->GetPhase(), Game::kRestart);
  UntilPhase(Game::kPause);  // "Ready ?" of the new game
  EXPECT_FALSE(game->IsFinished());
  EXPECT_EQ(game->GetLevel(), 1);
  EXPECT_EQ(game->GetTries(), 6);
  EXPECT_EQ(game->GetScore(), 0);
  EXPECT_TRUE(game->Eggs().empty());
  EXPECT_TRUE(game->GetHud()->IsVisible());
  EXPECT_FALSE(game->GetOptions()->IsVisible());
  // The saved name stays.
  EXPECT_EQ(TopRow(), HiScoreEntry("b", 10));
}

// A player who caught an egg in a lower quarter and then stands still to read
// "Game over": the movement of that catch lies under "yes" (lower left) or
// "no" (lower right), but the question must wait for a new movement.
TEST_F(EggGameEndingTest, TheQuestionWaitsForAPlayerStandingStillAfterACatchInALowerQuarter) {
  for (const int32_t zone : {1, 3}) {
    SCOPED_TRACE(zone);
    ScriptedRandom& script = Script(zone + 4);  // ordinary eggs down the chute of that quarter
    if (zone == 1) {
      StartPlaying();
    }
    motion.MoveIn(zone);
    ASSERT_TRUE(RunUntil([this] { return game->GetScore() == 10; }, 5000));
    script.fallback = zone + 3;  // the rest come down the chute above and break
    ASSERT_TRUE(RunUntil(
        [this] {
          motion.Still();
          return game->GetPhase() == Game::kNameEntry;
        },
        20000));
    for (int32_t key : {int32_t{'A'}, 13}) {
      game->SetLastKey(key);
      motion.Still();
      Frame();
    }
    ASSERT_EQ(game->GetPhase(), Game::kQuestion);
    for (int frame = 0; frame < 250; ++frame) {  // 10 s of still pictures
      motion.Still();
      Frame();
      ASSERT_EQ(game->GetPhase(), Game::kQuestion) << "answered itself after " << frame * kFrameMs << " ms";
    }
    ASSERT_TRUE(RunUntil([&] {
      motion.Move({kYesArea});
      return game->GetPhase() != Game::kQuestion;
    }));
    EXPECT_EQ(game->GetPhase(), Game::kRestart);
    UntilPhase(Game::kPlaying);
  }
}

TEST_F(EggGameEndingTest, EnterAnswersYesAndNoLeaves) {
  PlayToGameOver(0);
  UntilPhase(Game::kQuestion);
  game->OnKey(13);
  EXPECT_EQ(game->GetPhase(), Game::kRestart);
  UntilPhase(Game::kPause);

  PlayToGameOver(0);
  UntilPhase(Game::kQuestion);
  ASSERT_TRUE(RunUntil([&] {
    motion.Move({kNoArea});
    return game->GetPhase() != Game::kQuestion;
  }));
  EXPECT_EQ(game->GetPhase(), Game::kLeaving);
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
}
}  // namespace
