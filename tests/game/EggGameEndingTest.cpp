#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <tuple>

#include "GameTest.h"
#include "game/Basket.h"
#include "layers/HUD.h"
#include "menu/OptionsLayer.h"
#include "scores/HiscoreLayer.h"
#include "support/PrintEntry.h"

namespace {
const ScreenRect kYesArea{60, 300, 360, 560};
const ScreenRect kNoArea{670, 300, 980, 560};

class EggGameEndingTest : public GameTest {
 protected:
  // Catches `catches` eggs down the chute of the lower quarter `zone`, then
  // stands still there while every other egg comes down the chute above and
  // breaks, until "Game over" shows with no try left and nothing more comes.
  void PlayToGameOver(int catches, int32_t zone = 1) {
    ScriptedRandom& script = Script({zone + 4});  // ordinary eggs down that chute
    if (!game->IsStarted()) StartPlaying();
    motion.MoveIn(zone);
    ASSERT_TRUE(RunUntil([&] { return game->GetScore() >= 10 * catches; }, 5000));
    script.values = {zone + 3};
    ASSERT_TRUE(RunUntil([&] { motion.Still(); return game->GetPhase() == Game::kGameOver; }, 20000));
    EXPECT_EQ(std::tuple(game->GetScore(), game->GetTries(), game->GetMessageSlot()),
              std::tuple(10 * catches, 0, Game::kGameOverText));
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
  // The movement of the last catch lies under "yes" or "no": the question
  // waits 10 s of a player standing still, then takes new movement.
  void Answer(const ScreenRect& area) {
    ASSERT_TRUE(RunUntil([&] { motion.Still(); return game->GetPhase() == Game::kQuestion; }));
    EXPECT_FALSE(RunUntil([&] { motion.Still(); return game->GetPhase() != Game::kQuestion; }, 250));
    ASSERT_TRUE(RunUntil([&] { motion.Move({area}); return game->GetPhase() != Game::kQuestion; }));
  }
  HiScoreEntry Row(size_t row) const { return Hiscores(scoresFile).GetTable(0)[row]; }
};

// Three games: the best score is saved at once, then named as typed, and yes
// plays again; a score outside the table asks at once after "Game over", and
// no leaves; leaving during a name entry keeps the score under an empty name.
TEST_F(EggGameEndingTest, EveryWayAGameEnds) {
  PlayToGameOver(1);
  ASSERT_TRUE(UntilPhase(Game::kNameEntry));
  ASSERT_NE(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(game->GetHiscoreLayer()->GetHighlightRow(), 0);
  EXPECT_EQ(Row(0), HiScoreEntry("", 10));
  Type({'A', 'D', 'A', 13});
  EXPECT_EQ(game->GetPhase(), Game::kQuestion);
  EXPECT_EQ(game->GetHiscoreLayer(), nullptr);
  EXPECT_EQ(Row(0), HiScoreEntry("ada", 10));
  Answer(kYesArea);
  EXPECT_EQ(game->GetPhase(), Game::kRestart);
  ASSERT_TRUE(UntilPhase(Game::kPause));  // "Ready ?" of the new game
  EXPECT_EQ(std::tuple(game->GetLevel(), game->GetTries(), game->GetScore(), game->Eggs().size()),
            std::tuple(1, Game::kStartTries, 0, size_t{0}));
  EXPECT_TRUE(Find<CHUD>()->IsVisible());
  EXPECT_FALSE(Find<COptionsLayer>()->IsVisible());

  PlayToGameOver(0, 3);
  const uint32_t overAt = Now();
  ASSERT_TRUE(UntilPhase(Game::kQuestion));
  EXPECT_GT(Now() - overAt, 3000u);
  EXPECT_TRUE(Find<COptionsLayer>()->IsVisible());
  EXPECT_EQ(game->GetHiscoreLayer(), nullptr);
  Answer(kNoArea);
  EXPECT_EQ(game->GetPhase(), Game::kLeaving);
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);

  game = std::make_unique<CEggGameLoop>();
  PlayToGameOver(1, 3);
  ASSERT_TRUE(UntilPhase(Game::kNameEntry));
  Type({'Z'});
  game->Leave();
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
  EXPECT_EQ(Row(1), HiScoreEntry("", 10)) << "below the equal score";
}

// No file may grow past one byte while it lives, so no save can succeed,
// even for root.
struct NoFileWrites {
  rlimit saved = [] { rlimit now{}; getrlimit(RLIMIT_FSIZE, &now); return now; }();
  void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  NoFileWrites() { const rlimit limit{1, saved.rlim_max}; setrlimit(RLIMIT_FSIZE, &limit); }
  ~NoFileWrites() { setrlimit(RLIMIT_FSIZE, &saved); std::signal(SIGXFSZ, handler); }
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
  EXPECT_EQ(std::vector(shown.begin(), shown.begin() + 3),
            (std::vector<HiScoreEntry>{{"Ann", 900}, {"ev", 10}, {"Bob", 5}}));
  Type({13});
  EXPECT_EQ(game->GetPhase(), Game::kQuestion);
  EXPECT_EQ(ReadFile(scoresFile), before);
  game->OnKey(13);
  EXPECT_EQ(game->GetPhase(), Game::kRestart) << "Enter says yes";
}
}  // namespace
