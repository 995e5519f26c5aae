#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "demo/VirtualPlayer.h"
#include "demo/PersonMotion.h"

namespace {

// The title as the observer shows it: the caption wheel and its "<" arrow.
ScreenView Title(int32_t frontValue, bool turning = false) {
  ScreenView view;
  view.kind = StateKind::Title;
  view.menu.wheel = ScreenRect{310, 0, 700, 250};
  view.menu.turnArrow = ScreenRect{0, 0, 250, 250};
  view.menu.frontValue = frontValue;
  view.menu.turning = turning;
  return view;
}

ScreenView Game(int32_t nextChute, uintptr_t egg, int32_t score = 0, int32_t tries = 6) {
  ScreenView view;
  view.kind = StateKind::EggGame;
  view.game.level = 1;
  view.game.score = score;
  view.game.tries = tries;
  view.game.playing = true;
  view.game.nextChute = nextChute;
  view.game.nextEgg = egg;
  return view;
}

// Where the player's hands are headed, as a spot of the screen.
struct Spot {
  float x, y;
};

class VirtualPlayerTest : public ::testing::Test {
 protected:
  void Make() {
    player = std::make_unique<CVirtualPlayer>(plan, 5, motion, [this](char key) { typed += key; });
  }
  // Looks at `view` every 10 ms from `from` to `to`.
  void Watch(const ScreenView& view, uint32_t from, uint32_t to) {
    for (uint32_t now = from; now <= to; now += 10) player->Step(view, now);
  }
  Spot Heading(int32_t hand) const {
    const PicturePoint at = motion->Destination(hand);
    return Spot{(1.0f - at.x) * 1024.0f, at.y * 768.0f};
  }
  // The first tick at which a hand was sent away from where it was.
  uint32_t ReactionTick(const ScreenView& view, uint32_t from) {
    const PicturePoint before = motion->Destination(1);
    for (uint32_t now = from; now < from + 2000; now += 10) {
      player->Step(view, now);
      if (motion->Destination(1).x != before.x) return now;
    }
    return 0;
  }

  DemoPlan plan;
  std::shared_ptr<CPersonMotion> motion = std::make_shared<CPersonMotion>();
  std::unique_ptr<CVirtualPlayer> player;
  std::string typed;
};

TEST_F(VirtualPlayerTest, OnTheTitleItTurnsTheWheelWithTheArrowThenWavesOverTheWantedCaptionAfterAReaction) {
  plan.titleChoices = {7};  // quit
  Make();
  const uint32_t reacted = ReactionTick(Title(0), 1000);
  EXPECT_GE(reacted, 1250u) << "a few hundred milliseconds to react";
  EXPECT_LE(reacted, 1450u);
  EXPECT_NEAR(125.0f, Heading(1).x, 1.0f) << "over the arrow";
  EXPECT_NEAR(125.0f, Heading(1).y, 1.0f);
  Watch(Title(5, true), 2000, 3000);
  const PicturePoint still = motion->PoseAt(3000).hands[1];
  EXPECT_FLOAT_EQ(still.x, motion->PoseAt(3500).hands[1].x) << "still while the wheel turns";
  Watch(Title(7), 3010, 4000);
  EXPECT_NEAR(505.0f, Heading(1).x, 1.0f) << "over the wheel's front caption";
  EXPECT_EQ(std::vector<StateKind>{StateKind::Title}, player->Record().screens);
}

TEST_F(VirtualPlayerTest, InTheGameItWavesInTheQuarterOfTheNextEggWithTheHandOnThatSide) {
  plan.missPercent = 0;
  Make();
  const ScreenRect expected[4] = {{0, 0, 450, 350}, {0, 400, 450, 768}, {600, 0, 1024, 350}, {600, 400, 1024, 768}};
  uint32_t now = 1000;
  for (int32_t chute : {2, 1, 3, 0}) {
    Watch(Game(chute, 100 + chute), now, now + 600);
    now += 610;
    const int32_t hand = chute >= 2 ? 0 : 1;
    const Spot spot = Heading(hand);
    EXPECT_TRUE(spot.x > expected[chute].left + 122 && spot.x < expected[chute].right - 122) << chute;
    EXPECT_TRUE(spot.y > expected[chute].top + 61 && spot.y < expected[chute].bottom - 61) << chute;
    EXPECT_EQ(chute, player->LastZoneMove().zone);
    EXPECT_LE(player->LastZoneMove().enterTick, motion->ArrivalTick(hand));
  }
}

// The basket detector tests the top quarters before the bottom ones, so a
// hand going down from the top-left quarter can only take the basket along
// once it is out of that quarter: the latency is timed from then.
TEST_F(VirtualPlayerTest, AHandGoingDownIsTimedFromLeavingTheTopQuarter) {
  plan.missPercent = 0;
  Make();
  Watch(Game(0, 1), 1000, 1600);
  ScreenView next = Game(1, 2);
  next.game.basketZone = 0;
  Watch(next, 1610, 2200);
  const ZoneMove& move = player->LastZoneMove();
  ASSERT_EQ(1, move.zone);
  const float y = motion->PoseAt(move.enterTick).hands[1].y * 768.0f;
  const float radius = CPersonScene::kHandRadius * 768.0f;
  EXPECT_GT(y - radius, 350.0f) << "clear of the top-left quarter";
  EXPECT_LT(motion->PoseAt(move.enterTick - 1).hands[1].y * 768.0f - radius, 350.0f) << "and not a moment later";
  EXPECT_EQ(0, move.basketZone) << "where the basket was when the hand set off";
}

TEST_F(VirtualPlayerTest, AMisjudgingPlayerGoesToAnotherQuarterAndTheHudTellsItsCatchesAndLosses) {
  plan.missPercent = 100;
  Make();
  Watch(Game(3, 7), 1000, 1600);
  EXPECT_NE(3, player->LastZoneMove().zone);
  Watch(Game(-1, 0, 10), 1610, 1700);   // an ordinary egg caught
  Watch(Game(-1, 0, 110), 1710, 1800);  // a golden one
  Watch(Game(-1, 0, 110, 5), 1810, 1900);
  EXPECT_EQ(2, player->Record().eggsCaught);
  EXPECT_EQ(1, player->Record().eggsDropped);
  EXPECT_EQ(110, player->Record().score);
  EXPECT_EQ(1, player->Record().gamesStarted);
}

TEST_F(VirtualPlayerTest, ItTypesItsNameOneKeyAtATimeThenEnterOnce) {
  plan.name = "ab1";
  Make();
  ScreenView entry = Game(-1, 0);
  entry.game.playing = false;
  entry.game.gameOver = true;
  entry.game.nameEntry = true;
  Watch(entry, 1000, 1700);
  EXPECT_EQ("", typed) << "first a moment to read the table";
  Watch(entry, 1710, 4000);
  EXPECT_EQ("ab1\r", typed);
  EXPECT_EQ("ab1", player->Record().nameTyped);
}

}  // namespace
