#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "GameTest.h"
#include "game/Basket.h"
#include "layers/HUD.h"
#include "menu/OptionsLayer.h"
#include "scores/HiscoreLayer.h"
#include "scores/Hiscores.h"
#include "support/PrintEntry.h"
#include "support/TempFolder.h"

namespace {
const ScreenRect kYesArea{60, 300, 360, 560};
const ScreenRect kNoArea{670, 300, 980, 560};

// The ending of a game, with cam.ini in a fresh temporary folder.
class EggGameEndingTest : public GameTest {
 protected:
  void SetUp() override {
    Hiscores::SetFileName(scoresFile);
    GameTest::SetUp();
  }
  void TearDown() override {
    GameTest::TearDown();
    Hiscores::SetFileName("cam.ini");
  }
  // Catches `catches` eggs of chute 0, then lets every other egg drop until
  // "Game over" shows with no try left, and nothing more comes.
  void PlayToGameOver(int catches) {
    Script({0});
    if (!game->IsStarted()) {
      StartPlaying();
    }
    motion.MoveIn(0);
    ASSERT_TRUE(RunUntil([&] { return game->GetScore() >= 10 * catches; }, 5000));
    motion.MoveIn(1);
    ASSERT_TRUE(UntilPhase(Game::kGameOver, 20000));
    EXPECT_EQ(game->GetTries(), 0);
    EXPECT_EQ(game->GetMessageSlot(), Game::kGameOverText);
    EXPECT_FALSE(Find<CHUD>()->IsVisible());
    EXPECT_FALSE(game->GetBasket()->IsVisible());
    EXPECT_TRUE(game->Eggs().empty());
  }
  void Type(std::initializer_list<int32_t> keys) {
    for (const int32_t key : keys) {
      game->SetLastKey(key);
      Frame();
    }
  }
  void Answer(const ScreenRect& area) {
    ASSERT_TRUE(UntilPhase(Game::kQuestion));
    ASSERT_TRUE(RunUntil([&] {
      motion.Move({area});
      return game->GetPhase() != Game::kQuestion;
    }));
  }
  HiScoreEntry Row(size_t row) const { return Hiscores(scoresFile).GetTable(0)[row]; }

  TempFolder folder;
  const std::string scoresFile = folder.File("cam.ini");
};

TEST_F(EggGameEndingTest, ScoreOutsideTheTableAsksAtOnceEnterSaysYesAndNoLeaves) {
  PlayToGameOver(0);
  const uint32_t overAt = Now();
  ASSERT_TRUE(UntilPhase(Game::kQuestion));
  EXPECT_GT(Now() - overAt, 3000u);
  EXPECT_TRUE(Find<COptionsLayer>()->IsVisible());
  EXPECT_EQ(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(Row(0), HiScoreEntry("Empty", 0));
  game->OnKey(13);
  EXPECT_EQ(game->GetPhase(), Game::kRestart);
  ASSERT_TRUE(UntilPhase(Game::kPlaying));

  PlayToGameOver(0);
  Answer(kNoArea);
  EXPECT_EQ(game->GetPhase(), Game::kLeaving);
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
}

TEST_F(EggGameEndingTest, TheBestScoreIsSavedAtOnceTakesTheTypedNameAndYesPlaysAgain) {
  PlayToGameOver(1);
  ASSERT_TRUE(UntilPhase(Game::kNameEntry));
  ASSERT_NE(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(game->GetHiscoreLayer()->GetHighlightRow(), 0);
  EXPECT_EQ(Row(0), HiScoreEntry("", 10));
  Type({'A', 'D', 'A', 13});
  EXPECT_EQ(game->GetPhase(), Game::kQuestion);
  EXPECT_EQ(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(Row(0), HiScoreEntry("ada", 10));
  EXPECT_EQ(Row(1), HiScoreEntry("Empty", 0));

  Answer(kYesArea);
  EXPECT_EQ(game->GetPhase(), Game::kRestart);
  ASSERT_TRUE(UntilPhase(Game::kPause));  // "Ready ?" of the new game
  EXPECT_FALSE(game->IsFinished());
  EXPECT_EQ(game->GetLevel(), 1);
  EXPECT_EQ(game->GetTries(), 6);
  EXPECT_EQ(game->GetScore(), 0);
  EXPECT_TRUE(game->Eggs().empty());
  EXPECT_TRUE(Find<CHUD>()->IsVisible());
  EXPECT_FALSE(Find<COptionsLayer>()->IsVisible());
  EXPECT_EQ(Row(0), HiScoreEntry("ada", 10));
}

TEST_F(EggGameEndingTest, LeavingDuringNameEntryKeepsTheScoreUnderAnEmptyName) {
  PlayToGameOver(1);
  ASSERT_TRUE(UntilPhase(Game::kNameEntry));
  Type({'Z'});
  game->Leave();
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
  EXPECT_EQ(Row(0), HiScoreEntry("", 10));
}

// No file may grow past one byte while it lives, so no save can succeed,
// even for root.
struct NoFileWrites {
  NoFileWrites() {
    const rlimit limit{1, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~NoFileWrites() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
  }
  rlimit saved = [] {
    rlimit now{};
    getrlimit(RLIMIT_FSIZE, &now);
    return now;
  }();
  void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
};

// With a cam.ini that cannot be written the name is lost on saving, but the
// player still types it into a row of their own, under the table as it was.
TEST_F(EggGameEndingTest, NameEntryWithAnUnwritableFileEditsThePlayersOwnRow) {
  const std::string before = " [Quorra]\n name_0=Ann\n score_0=900\n name_1=Bob\n score_1=5\n";
  WriteFile(scoresFile, before);
  PlayToGameOver(1);
  NoFileWrites unwritable;
  ASSERT_TRUE(UntilPhase(Game::kNameEntry));
  const HiscoreLayer* entry = game->GetHiscoreLayer();
  ASSERT_NE(entry, nullptr);
  ASSERT_EQ(entry->GetHighlightRow(), 1);
  Type({'E', 'V'});
  const std::vector<HiScoreEntry> shown = entry->GetEntries();
  EXPECT_EQ(shown[0], HiScoreEntry("Ann", 900));
  EXPECT_EQ(shown[1], HiScoreEntry("ev", 10));
  EXPECT_EQ(shown[2], HiScoreEntry("Bob", 5));
  Type({13});
  EXPECT_EQ(game->GetPhase(), Game::kQuestion);
  EXPECT_EQ(ReadFile(scoresFile), before);
}

// A player who caught an egg in a lower quarter and then stands still to read
// "Game over": the movement of that catch lies under "yes" (lower left) or
// "no" (lower right), but the question must wait for a new movement.
TEST_F(EggGameEndingTest, TheQuestionWaitsForAPlayerStandingStillAfterACatchInALowerQuarter) {
  for (const int32_t zone : {1, 3}) {
    SCOPED_TRACE(zone);
    ScriptedRandom& script = Script({zone + 4});  // ordinary eggs down the chute of that quarter
    if (zone == 1) {
      StartPlaying();
    }
    motion.MoveIn(zone);
    ASSERT_TRUE(RunUntil([this] { return game->GetScore() == 10; }, 5000));
    script.values = {zone + 3};  // the rest come down the chute above and break
    ASSERT_TRUE(RunUntil(
        [this] {
          motion.Still();
          return game->GetPhase() == Game::kNameEntry;
        },
        20000));
    Type({'A', 13});  // the picture stays still meanwhile
    ASSERT_EQ(game->GetPhase(), Game::kQuestion);
    for (int frame = 0; frame < 250; ++frame) {  // 10 s of still pictures
      motion.Still();
      Frame();
      ASSERT_EQ(game->GetPhase(), Game::kQuestion) << "answered itself after " << frame * kFrameMs << " ms";
    }
    Answer(kYesArea);
    EXPECT_EQ(game->GetPhase(), Game::kRestart);
    ASSERT_TRUE(UntilPhase(Game::kPlaying));
  }
}
}  // namespace
