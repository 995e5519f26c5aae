#include <gtest/gtest.h>

#include <set>

#include "EggGameTest.h"
#include "game/Basket.h"
#include "layers/FadeEffect.h"
#include "layers/HUD.h"
#include "layers/Text3D.h"
#include "layers/TextureLayer.h"
#include "menu/OptionsLayer.h"
#include "game/Contour.h"

namespace {

using Game = CEggGameLoop;

template <class T>
bool Is(CAbstractLayer* layer) {
  return dynamic_cast<T*>(layer) != nullptr;
}

TEST_F(EggGameTest, StartBuildsTheScreenAndWaitsWithReadyAndTheContour) {
  game->Start();
  const auto layers = game->Layers();
  ASSERT_EQ(layers.size(), 7u);
  EXPECT_TRUE(Is<CTextureLayer>(layers[0]));  // the hatchery
  EXPECT_EQ(layers[1], game->GetBasket());
  EXPECT_EQ(layers[2], game->GetMessage());
  EXPECT_EQ(layers[3], game->GetContour());
  EXPECT_EQ(layers[4], game->GetHud());
  EXPECT_EQ(layers[5], game->GetOptions());
  EXPECT_TRUE(Is<CFadeEffect>(layers[6]));
  EXPECT_FALSE(game->GetOptions()->IsVisible());
  EXPECT_EQ(game->GetMessage()->LineCount(), 10u);
  EXPECT_EQ(game->GetContour()->GetColor(), 0x77FFFFFFu);
  EXPECT_NEAR(game->GetContour()->GetPositionX(), 256 * kScaleX, 1e-3);
  EXPECT_NEAR(game->GetContour()->GetPositionY(), 85 * kScaleY, 1e-3);
  EXPECT_EQ(game->GetLevel(), 1);
  EXPECT_EQ(game->GetTries(), 6);
  EXPECT_EQ(game->GetScore(), 0);
  EXPECT_EQ(game->GetEggsLeft(), 8);

  // "Ready ?" with the contour for 5000 ms, no egg meanwhile.
  EXPECT_EQ(game->GetPhase(), Game::kPause);
  EXPECT_EQ(game->GetMessageSlot(), Game::kReady);
  EXPECT_EQ(game->GetPhaseDurationMs(), 5000u);
  for (int frame = 0; frame < 125; ++frame) {
    Frame();
  }
  EXPECT_EQ(game->GetPhase(), Game::kPause);
  EXPECT_TRUE(game->GetContour()->IsVisible());
  EXPECT_TRUE(game->Eggs().empty());
  Frame();  // 5040 ms
  EXPECT_EQ(game->GetPhase(), Game::kPlaying);
  EXPECT_FALSE(game->GetContour()->IsVisible());
  EXPECT_FALSE(game->GetMessage()->IsVisible());
  game->Update();  // the first egg comes as soon as play starts
  EXPECT_EQ(game->Eggs().size(), 1u);
  EXPECT_EQ(game->GetActiveEggs(), 1);
}

TEST_F(EggGameTest, SetLevelAcrossTheLevels) {
  game->Start();
  struct Row {
    int level, quota, maxEggs, spoiledOdds, base, spread, delay;
  };
  const Row rows[] = {
      {1, 8, 1, 45, 500, 1400, 900},    {2, 10, 1, 40, 500, 1300, 800},  {3, 12, 2, 35, 1500, 1200, 700},
      {4, 14, 2, 30, 1500, 1100, 600},  {5, 16, 3, 25, 1500, 1000, 500}, {6, 18, 3, 20, 1500, 900, 400},
      {7, 20, 3, 15, 1500, 800, 300},   {8, 22, 4, 10, 1500, 700, 300},  {9, 24, 4, 10, 1500, 600, 300},
      {10, 26, 5, 10, 1500, 500, 300},  {46, 98, 5, 10, 1500, 500, 300}, {47, 99, 5, 10, 1500, 500, 300},
      {48, 99, 5, 10, 1500, 500, 300},  {200, 99, 5, 10, 1500, 500, 300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.level);
    game->SetLevel(row.level);
    EXPECT_EQ(game->GetLevel(), row.level);
    EXPECT_EQ(game->GetEggsLeft(), row.quota);
    EXPECT_EQ(game->GetMaxEggs(), row.maxEggs);
    EXPECT_EQ(game->GetSpoiledOdds(), row.spoiledOdds);
    EXPECT_EQ(game->GetSpawnDelayBase(), row.base);
    EXPECT_EQ(game->GetSpawnDelaySpread(), row.spread);
    EXPECT_EQ(game->GetSpawnDelayMs(), uint32_t(row.delay));
    EXPECT_EQ(game->GetActiveEggs(), 0);
    EXPECT_NEAR(eggSpeed, 1.0 + 0.2 * (row.level - 1), 1e-4);
  }
}

TEST_F(EggGameTest, SpawnerWaitsItsDrawnDelayBetweenEggs) {
  ScriptedRandom& script = Script(0);
  StartPlaying();
  game->SetLevel(3);  // two eggs at once, 1500 + r mod 1200 ms apart
  script.values = {1, 0, 0, 1300};  // chute 1, ordinary, delay 1500 + 100
  game->Update();
  ASSERT_EQ(game->Eggs().size(), 1u);
  EXPECT_EQ(game->Eggs()[0]->GetChute(), 1);
  EXPECT_EQ(game->GetSpawnDelayMs(), 1600u);
  Advance(1600);
  game->Update();
  EXPECT_EQ(game->Eggs().size(), 1u);
  Advance(1);
  game->Update();
  ASSERT_EQ(game->Eggs().size(), 2u);
  EXPECT_EQ(game->Eggs()[1]->GetChute(), 0);
  // Never more than two at once at level 3.
  Advance(10000);
  game->Update();
  EXPECT_EQ(game->Eggs().size(), 2u);
}

TEST_F(EggGameTest, EggCaughtInItsQuarterScoresAndCounts) {
  Script(0);  // ordinary eggs down chute 0
  StartPlaying();
  motion.MoveIn(0);
  ASSERT_TRUE(RunUntil([this] { return game->GetScore() > 0; }));
  EXPECT_EQ(game->GetScore(), 10);
  EXPECT_EQ(game->GetEggsLeft(), 7);
  EXPECT_EQ(game->GetTries(), 6);
  EXPECT_EQ(game->GetPhase(), Game::kPlaying);
  EXPECT_EQ(game->GetActiveEggs(), 0);
  EXPECT_TRUE(game->Eggs().empty());
  EXPECT_EQ(game->Layers().size(), 7u);  // the egg's layer is gone too
}

TEST_F(EggGameTest, EggInAnotherQuarterBreaksAndCostsATry) {
  Script(0);
  StartPlaying();
  motion.MoveIn(1);
  ASSERT_TRUE(RunUntil([this] { return game->GetPhase() != Game::kPlaying; }));
  EXPECT_EQ(game->GetTries(), 5);
  EXPECT_EQ(game->GetScore(), 0);
  EXPECT_EQ(game->GetMessageSlot(), Game::kEggBroken);
  EXPECT_EQ(game->GetPhase(), Game::kPause);
  EXPECT_EQ(game->GetPhaseDurationMs(), 3000u);
  ASSERT_EQ(game->Eggs().size(), 1u);
  EXPECT_EQ(game->Eggs()[0]->GetState(), CEgg::kBreaking);
  // The broken egg fades out during the pause and goes without a second loss;
  // the next egg follows.
  ASSERT_TRUE(RunUntil([this] { return game->GetPhase() == Game::kPlaying; }));
  game->Update();  // the clean-up
  EXPECT_TRUE(game->Eggs().empty());
  game->Update();
  EXPECT_EQ(game->GetTries(), 5);
  ASSERT_EQ(game->Eggs().size(), 1u);
  EXPECT_EQ(game->Eggs()[0]->GetState(), CEgg::kFadingIn);
}

TEST_F(EggGameTest, EggAlreadyBelowTheBasketReachIsNotCaught) {
  Script(0);
  StartPlaying();
  motion.MoveIn(3);
  CBasket& basket = *game->GetBasket();
  const float reach = 300 * kScaleY + 64;  // top of the basket in quarter 0, plus 64
  ASSERT_TRUE(RunUntil([&] { return FirstEggIn(CEgg::kFalling) && FirstEgg()->GetPositionY() > reach + 20; }));
  motion.MoveIn(0);
  ASSERT_TRUE(RunUntil([&] { return basket.GetZone() == 0; }, 3));
  ASSERT_TRUE(RunUntil([this] { return game->GetPhase() != Game::kPlaying; }));
  EXPECT_EQ(game->GetScore(), 0);
  EXPECT_EQ(game->GetTries(), 5);
  EXPECT_EQ(game->GetMessageSlot(), Game::kEggBroken);
}

TEST_F(EggGameTest, GoldenCatchGivesATryAndABonusWithoutAPause) {
  ScriptedRandom& script = Script(0);  // ordinary eggs down chute 0
  script.values = {1, 1, 0};           // after a golden one down chute 1
  StartPlaying();
  game->Update();
  ASSERT_NE(FirstEgg(), nullptr);
  EXPECT_EQ(FirstEgg()->GetKind(), CEgg::kGolden);
  EXPECT_EQ(game->GetMessageSlot(), Game::kGoldenEgg);
  EXPECT_EQ(game->GetGoldenThisLevel(), 1);
  motion.MoveIn(1);
  ASSERT_TRUE(RunUntil([this] { return game->GetScore() > 0; }));
  EXPECT_EQ(game->GetTries(), 7);
  EXPECT_EQ(game->GetScore(), 100);
  EXPECT_EQ(game->GetEggsLeft(), 8);
  EXPECT_EQ(game->GetMessageSlot(), Game::kBonus);
  EXPECT_TRUE(game->GetMessage()->IsVisible());
  EXPECT_EQ(game->GetPhaseDurationMs(), 2000u);
  EXPECT_EQ(game->GetPhase(), Game::kPlaying);
  // The message goes after 2000 ms while play goes on.
  for (int frame = 0; frame < 51; ++frame) {
    Frame();
  }
  EXPECT_FALSE(game->GetMessage()->IsVisible());
  EXPECT_EQ(game->GetPhase(), Game::kPlaying);
}

TEST_F(EggGameTest, NeverASecondGoldenEggInALevel) {
  Script(1);  // every golden draw hits
  StartPlaying();
  motion.MoveIn(2);  // away from chute 1: every egg drops
  // One egg at a time at level 1, and the list is empty between two eggs.
  int golden = 0, spoiled = 0;
  bool wasEmpty = true;
  ASSERT_TRUE(RunUntil(
      [&] {
        if (wasEmpty && !game->Eggs().empty()) {
          golden += FirstEgg()->GetKind() == CEgg::kGolden;
          spoiled += FirstEgg()->GetKind() == CEgg::kSpoiled;
        }
        wasEmpty = game->Eggs().empty();
        return golden + spoiled >= 6;
      },
      5000))
      << golden << " golden, " << spoiled << " spoiled, phase " << game->GetPhase();
  EXPECT_EQ(golden, 1);
  EXPECT_EQ(spoiled, 5);
  // Neither a lost golden egg nor a dropped spoiled one costs a try.
  EXPECT_EQ(game->GetTries(), 6);
}

// What the player sees of one dropped egg, from its appearance until it has
// gone and play goes on: the message of each pause, and the tries it cost.
struct DroppedEgg {
  std::vector<uint32_t> pauses;
  int32_t triesLost = 0;
};

// A broken egg fades out over about 30 drawn frames, which at a low frame
// rate outlasts the pause its loss starts; it is still counted only once.
TEST_F(EggGameTest, EveryDroppedEggIsCountedOnceAtAnyFrameRate) {
  const auto followNextEgg = [this] {
    DroppedEgg egg;
    const int32_t tries = game->GetTries();
    EXPECT_TRUE(RunUntil([this] { return !game->Eggs().empty(); }));
    int32_t phase = game->GetPhase();
    EXPECT_TRUE(RunUntil([&] {
      if (game->GetPhase() == Game::kPause && phase != Game::kPause) {
        egg.pauses.push_back(game->GetMessageSlot());
        EXPECT_EQ(game->GetPhaseDurationMs(), game->GetMessageSlot() == Game::kEggBroken ? 3000u : 2000u);
      }
      phase = game->GetPhase();
      return game->Eggs().empty() && phase == Game::kPlaying;
    }));
    egg.triesLost = tries - game->GetTries();
    return egg;
  };
  using Pauses = std::vector<uint32_t>;
  for (const uint32_t ms : {40u, 70u, 100u, 120u, 200u}) {
    SCOPED_TRACE(std::to_string(ms) + " ms a frame");
    frameMs = ms;
    game = std::make_unique<CEggGameLoop>();
    ScriptedRandom& script = Script(1);  // a golden egg down chute 1, then spoiled ones
    StartPlaying();
    motion.MoveIn(2);  // away from chutes 0 and 1: every egg drops
    const DroppedEgg golden = followNextEgg();
    EXPECT_EQ(golden.pauses, Pauses{Game::kGoldenLost});
    EXPECT_EQ(golden.triesLost, 0);
    const DroppedEgg spoiled = followNextEgg();
    EXPECT_EQ(spoiled.pauses, Pauses{Game::kThatWasClose});
    EXPECT_EQ(spoiled.triesLost, 0);
    script.fallback = 0;  // ordinary eggs down chute 0
    const DroppedEgg ordinary = followNextEgg();
    EXPECT_EQ(ordinary.pauses, Pauses{Game::kEggBroken});
    EXPECT_EQ(ordinary.triesLost, 1);
  }
}

TEST_F(EggGameTest, SpoiledCatchCostsATryAndWithTheLastOneEndsTheGame) {
  constexpr int32_t kSpoiledOnChute2 = 46;  // 46 mod 55 is not 1, 46 mod 45 is 1
  ScriptedRandom& script = Script(kSpoiledOnChute2);
  StartPlaying();
  motion.MoveIn(2);
  ASSERT_TRUE(RunUntil([this] { return game->GetPhase() != Game::kPlaying; }));
  EXPECT_EQ(game->GetTries(), 5);
  EXPECT_EQ(game->GetMessageSlot(), Game::kSpoiledCaught);
  EXPECT_EQ(game->GetPhase(), Game::kPause);
  EXPECT_EQ(game->GetPhaseDurationMs(), 3000u);
  EXPECT_TRUE(game->Eggs().empty());

  // Four ordinary eggs dropped on chute 0 leave one try.
  script.fallback = 0;
  while (game->GetTries() > 1) {
    ASSERT_TRUE(RunUntil([this] { return game->GetPhase() == Game::kPlaying; }));
    ASSERT_TRUE(RunUntil([this] { return game->GetPhase() != Game::kPlaying; }));
    ASSERT_EQ(game->GetMessageSlot(), Game::kEggBroken);
  }
  script.fallback = kSpoiledOnChute2;
  ASSERT_TRUE(RunUntil([this] { return game->GetPhase() == Game::kPlaying; }));
  ASSERT_TRUE(RunUntil([this] { return game->GetPhase() != Game::kPlaying; }));
  EXPECT_EQ(game->GetPhase(), Game::kGameOver);
  EXPECT_EQ(game->GetTries(), 0);
  EXPECT_EQ(game->GetMessageSlot(), Game::kGameOverText);
  EXPECT_TRUE(game->GetMessage()->IsVisible());
  EXPECT_EQ(game->GetPhaseDurationMs(), 3000u);
  EXPECT_FALSE(game->GetHud()->IsVisible());
  EXPECT_FALSE(game->GetBasket()->IsVisible());
  EXPECT_TRUE(game->Eggs().empty());
  // Nothing more is spawned or counted.
  for (int frame = 0; frame < 200; ++frame) {
    Frame();
  }
  EXPECT_TRUE(game->Eggs().empty());
  EXPECT_EQ(game->GetTries(), 0);
}

TEST_F(EggGameTest, QuotaCompletesTheLevelAndTheNextStartsAtOnce) {
  ScriptedRandom& script = Script(3);  // ordinary eggs down chute 3
  script.values = {3, 1, 0};           // but the first one golden
  StartPlaying();
  motion.MoveIn(3);
  ASSERT_TRUE(RunUntil([this] { return game->GetLevel() == 2; }, 3000));
  EXPECT_EQ(game->GetScore(), 100 + 8 * 10);
  EXPECT_EQ(game->GetTries(), 7);
  EXPECT_EQ(game->GetEggsLeft(), 10);
  EXPECT_EQ(game->GetPhase(), Game::kLevelMessage);
  EXPECT_EQ(game->GetMessageSlot(), Game::kLevel);
  EXPECT_EQ(game->GetPhaseDurationMs(), 2000u);
  EXPECT_EQ(game->GetGoldenThisLevel(), 0);
  EXPECT_TRUE(game->Eggs().empty());
  EXPECT_EQ(game->GetActiveEggs(), 0);
  EXPECT_NEAR(eggSpeed, 1.2f, 1e-6);

  // After the level message the first egg comes at once, and it may be golden again.
  script.values = {3, 3, 1, 0};
  for (int frame = 0; frame < 50; ++frame) {
    Frame();
  }
  EXPECT_EQ(game->GetPhase(), Game::kLevelMessage);
  EXPECT_TRUE(game->Eggs().empty());
  Frame();
  ASSERT_EQ(game->GetPhase(), Game::kPlaying);
  game->Update();
  ASSERT_EQ(game->Eggs().size(), 1u);
  EXPECT_EQ(FirstEgg()->GetKind(), CEgg::kGolden);
}

TEST_F(EggGameTest, SpawnIsSkippedWhileEveryChuteIsBusy) {
  StartPlaying();  // the seeded generator
  game->SetLevel(10);  // five eggs at once
  // Without layer updates the eggs stay fading in: their chutes stay busy.
  std::set<int32_t> chutes;
  for (int egg = 0; egg < 4; ++egg) {
    Advance(3000);
    game->Update();
    ASSERT_EQ(game->Eggs().size(), size_t(egg) + 1);
    chutes.insert(game->Eggs().back()->GetChute());
  }
  EXPECT_EQ(chutes.size(), 4u);
  Advance(3000);
  game->Update();  // returns, with no fifth egg
  EXPECT_EQ(game->Eggs().size(), 4u);
  // Once an egg has left its ledge, its chute takes the next one.
  const auto onChute = [this] {
    for (CEgg* egg : game->Eggs()) {
      if (egg->GetState() == CEgg::kOnChute) {
        return true;
      }
    }
    return false;
  };
  for (int frame = 0; frame < 100 && !onChute(); ++frame) {
    Advance(kFrameMs);
    game->UpdateLayers();
  }
  ASSERT_TRUE(onChute());
  std::set<int32_t> free;
  for (CEgg* egg : game->Eggs()) {
    if (egg->GetState() >= CEgg::kOnChute) {
      free.insert(egg->GetChute());
    }
  }
  const size_t before = game->Eggs().size();
  Advance(3000);
  game->Update();
  ASSERT_EQ(game->Eggs().size(), before + 1);
  EXPECT_EQ(free.count(game->Eggs().back()->GetChute()), 1u);
}

TEST_F(EggGameTest, LeaveFadesOutAndFinishesWithZero) {
  StartPlaying();
  game->Update();
  ASSERT_FALSE(game->Eggs().empty());
  game->Leave();
  EXPECT_EQ(game->GetPhase(), Game::kLeaving);
  EXPECT_TRUE(game->IsFadingOut());
  ASSERT_TRUE(RunUntil([this] { return game->IsFinished() != 0; }));
  EXPECT_EQ(game->GetResult(), 0);
  EXPECT_TRUE(game->Layers().empty());
  EXPECT_TRUE(game->Eggs().empty());
  Frame();  // nothing left to touch
}

}  // namespace
