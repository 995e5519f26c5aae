#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "GameTest.h"
#include "game/LevelRules.h"
#include "game/Contour.h"
#include "layers/Text3D.h"

namespace {

class EggGameTest : public GameTest {};

// "Ready ?" with the contour for five seconds, then the first egg at once and
// the next ones at the level's pace, as many at once as the level allows while
// a chute is free: a spawn waits while every chute is busy; leaving takes
// every egg.
TEST_F(EggGameTest, ReadyThenEggsAtTheLevelsPaceWhileAChuteIsFreeAndLeavingTakesThemAll) {
  ScriptedRandom& script = Script({0});
  game->Start();
  EXPECT_EQ(game->GetMessageSlot(), Game::kReady);
  for (int frame = 0; frame < 125; ++frame) Frame();  // 5000 ms
  EXPECT_TRUE(Find<CContour>()->IsVisible());
  EXPECT_TRUE(game->Eggs().empty());
  Frame();
  EXPECT_EQ(game->GetPhase(), Game::kPlaying);
  EXPECT_FALSE(Find<CContour>()->IsVisible());
  EXPECT_FALSE(game->GetMessage()->IsVisible());
  game->SetLevel(3);  // two eggs at once, 1500 + r mod 1200 ms apart
  script.values = {1, 0, 0, 1300, 0};  // chute 1, ordinary, delay 1500 + 100
  for (const auto& [ms, eggs] : std::vector<std::pair<uint32_t, size_t>>{{0, 1}, {1600, 1}, {1, 2}, {10000, 2}}) {
    Advance(ms);
    game->Update();
    ASSERT_EQ(game->Eggs().size(), eggs) << "after " << ms << " ms more";
  }
  // Five eggs at once from level 10. Without layer updates the eggs stay
  // fading in: their chutes stay busy.
  game->SetRandomSource(std::make_unique<CRandomSource>(20261206));
  game->SetLevel(10);
  for (int egg = 0; egg < 3; ++egg) {
    Advance(3000);
    game->Update();
  }
  std::set<int32_t> chutes, free;
  for (const CEgg* egg : game->Eggs()) chutes.insert(egg->GetChute());
  EXPECT_EQ(chutes.size(), 4u);
  EXPECT_EQ(game->Eggs().size(), 4u);
  // Once an egg has left its ledge, its chute takes the next one.
  for (int frame = 0; frame < 100 && free.empty(); ++frame) {
    Advance(kFrameMs);
    game->UpdateLayers();
    for (CEgg* egg : game->Eggs()) {
      if (egg->GetState() >= CEgg::kOnChute) free.insert(egg->GetChute());
    }
  }
  Advance(3000);
  game->Update();
  ASSERT_EQ(game->Eggs().size(), 5u);
  EXPECT_EQ(free.count(game->Eggs().back()->GetChute()), 1u);

  game->Leave();
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
  EXPECT_TRUE(game->Layers().empty());
  EXPECT_TRUE(game->Eggs().empty());
  Frame();  // nothing left to touch
}


// Eggs down a chute while the player moves in a quarter (or, late, from
// another one), until the first catch or pause: what they score, what they
// cost, and what the player reads.
TEST_F(EggGameTest, EggsCaughtOrMissed) {
  struct Row {
    const char* what;
    std::deque<int32_t> dice;  // the first chute, kind and delay draws
    int32_t zone, score, tries, eggsLeft, phase;
    uint32_t message;
    bool late;  // the basket comes once the egg has fallen past its reach
  };
  const Row rows[] = {
      {"ordinary below the reach", {0}, 0, 0, 5, 8, Game::kPause, Game::kEggBroken, true},
      {"spoiled caught", {46}, 2, 0, 5, 8, Game::kPause, Game::kSpoiledCaught, false},  // 46 mod 55 is not 1, mod 45 is
      {"golden caught", {1, 1, 0}, 1, 100, 7, 8, Game::kPlaying, Game::kBonus, false},
      {"golden, then the quota", {3, 1, 0, 3}, 3, 180, 7, RulesForLevel(2).quota, Game::kLevelMessage, Game::kLevel, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    game = std::make_unique<CEggGameLoop>();
    Script(row.dice);
    StartPlaying();
    if (row.late) {
      motion.MoveIn(3);
      const float reach = 300 * kScaleY + 64;  // top of the basket in quarter 0, plus 64
      ASSERT_TRUE(RunUntil([&] { return FirstEgg() && FirstEgg()->GetState() == CEgg::kFalling && FirstEgg()->GetPositionY() > reach + 20; }));
    }
    motion.MoveIn(row.zone);
    ASSERT_TRUE(RunUntil([&] { return game->GetPhase() != Game::kPlaying || (row.phase == Game::kPlaying && game->GetScore() >= row.score); }, 3000));
    EXPECT_EQ(std::tuple(game->GetScore(), game->GetTries(), game->GetEggsLeft(), game->GetPhase(),
                         game->GetMessageSlot()),
              std::tuple(row.score, row.tries, row.eggsLeft, row.phase, row.message));
    EXPECT_EQ(game->GetMessage()->IsVisible(), row.message != Game::kReady);
    EXPECT_EQ(game->Eggs().size(), row.message == Game::kEggBroken ? 1u : 0u);  // a broken egg lies there a while
  }
  // The next level is faster; after 2000 ms of its message the first egg
  // comes at once, and it may be golden again.
  EXPECT_EQ(eggSpeed, RulesForLevel(2).eggSpeed);
  Script({3, 3, 1, 0, 3});
  for (int frame = 0; frame < 50; ++frame) Frame();
  EXPECT_EQ(game->GetPhase(), Game::kLevelMessage);
  Frame();
  game->Update();
  ASSERT_EQ(game->Eggs().size(), 1u);
  EXPECT_EQ(FirstEgg()->GetKind(), CEgg::kGolden);
}

// A broken egg fades out over about 30 drawn frames, which at a low frame
// rate outlasts the pause its loss starts; it is still counted only once.
TEST_F(EggGameTest, EveryDroppedEggIsCountedOnceAtAnyFrameRate) {
  // The messages of the pauses one egg starts, each with the pause's length.
  using Pauses = std::vector<std::pair<uint32_t, uint32_t>>;
  const auto followNextEgg = [this](int32_t triesLost) {
    Pauses pauses;
    const int32_t tries = game->GetTries();
    EXPECT_TRUE(RunUntil([this] { return !game->Eggs().empty(); }));
    int32_t phase = game->GetPhase();
    EXPECT_TRUE(RunUntil([&] {
      if (game->GetPhase() == Game::kPause && phase != Game::kPause) {
        pauses.push_back({game->GetMessageSlot(), Now()});
      } else if (game->GetPhase() != Game::kPause && phase == Game::kPause) {
        pauses.back().second = Now() - pauses.back().second;
      }
      phase = game->GetPhase();
      return game->Eggs().empty() && phase == Game::kPlaying;
    }));
    EXPECT_EQ(tries - game->GetTries(), triesLost);
    return pauses;
  };
  for (const uint32_t ms : {40u, 70u, 100u, 120u, 200u}) {
    SCOPED_TRACE(std::to_string(ms) + " ms a frame");
    frameMs = ms;
    const auto pause = [ms](uint32_t message, uint32_t pauseMs) { return Pauses{{message, (pauseMs / ms + 1) * ms}}; };
    game = std::make_unique<CEggGameLoop>();
    ScriptedRandom& script = Script({1});  // a golden egg down chute 1, then spoiled ones
    StartPlaying();
    motion.MoveIn(2);  // away from chutes 0 and 1: every egg drops
    EXPECT_EQ(followNextEgg(0), pause(Game::kGoldenLost, 2000));
    EXPECT_EQ(followNextEgg(0), pause(Game::kThatWasClose, 2000));
    script.values = {0};  // ordinary eggs down chute 0
    EXPECT_EQ(followNextEgg(1), pause(Game::kEggBroken, 3000));
  }
}

}  // namespace
