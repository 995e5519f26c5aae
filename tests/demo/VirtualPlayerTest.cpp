#include <gtest/gtest.h>

#include <memory>

#include "demo/PersonMotion.h"
#include "demo/PersonScene.h"
#include "demo/VirtualPlayer.h"

namespace {

// The title as the observer shows it: the caption wheel and its "<" arrow.
ScreenView Title(int32_t frontValue, bool turning = false) {
  ScreenView view;
  view.kind = StateKind::Title;
  view.menu = MenuView{ScreenRect{310, 0, 700, 250}, frontValue, turning, ScreenRect{0, 0, 250, 250}};
  return view;
}

// A game under way whose next egg lands from `nextChute`, one egg a chute.
ScreenView Game(int32_t nextChute, int32_t basketZone) {
  ScreenView view;
  view.kind = StateKind::EggGame;
  view.game.nextChute = nextChute;
  view.game.nextEgg = uintptr_t(100 + nextChute);
  view.game.basketZone = basketZone;
  return view;
}

class VirtualPlayerTest : public ::testing::Test {
 protected:
  // Looks at `view` every 10 ms from `from` to `to` (the player, made with
  // `plan`, first looks at the first view); returns the first tick at which
  // hand 1 was sent somewhere else, 0 if it never was.
  uint32_t Watch(const ScreenView& view, uint32_t from, uint32_t to) {
    if (!player) player = std::make_unique<CVirtualPlayer>(plan, 5, motion, [](char) {});
    uint32_t sent = 0;
    for (uint32_t now = from; now <= to; now += 10) {
      const float before = motion->Destination(1).x;
      player->Step(view, now);
      if (sent == 0 && motion->Destination(1).x != before) sent = now;
    }
    return sent;
  }
  // Where a hand is headed, on the (mirrored) screen.
  PicturePoint Heading(int32_t hand) const {
    const PicturePoint at = motion->Destination(hand);
    return PicturePoint{(1.0f - at.x) * 1024.0f, at.y * 768.0f};
  }

  DemoPlan plan;
  std::shared_ptr<CPersonMotion> motion = std::make_shared<CPersonMotion>();
  std::unique_ptr<CVirtualPlayer> player;
};

TEST_F(VirtualPlayerTest, OnTheTitleItTurnsTheWheelWithTheArrowThenWavesOverTheWantedCaptionAfterAReaction) {
  plan.titleChoices = {7};  // quit
  const uint32_t reacted = Watch(Title(0), 1000, 1990);
  EXPECT_GE(reacted, 1250u) << "a few hundred milliseconds to react";
  EXPECT_LE(reacted, 1450u);
  EXPECT_NEAR(125.0f, Heading(1).x, 1.0f) << "over the arrow";
  EXPECT_NEAR(125.0f, Heading(1).y, 1.0f);
  Watch(Title(5, true), 2000, 3000);
  EXPECT_FLOAT_EQ(motion->PoseAt(3000).hands[1].x, motion->PoseAt(3500).hands[1].x) << "still while the wheel turns";
  Watch(Title(7), 3010, 4000);
  EXPECT_NEAR(505.0f, Heading(1).x, 1.0f) << "over the wheel's front caption";
}

// The hand on the egg's side waves in the middle of the egg's quarter. The
// basket detector tests the top quarters before the bottom ones, so a hand
// going down from the top-left quarter can only take the basket along once
// it is out of that quarter: the latency is timed from then.
TEST_F(VirtualPlayerTest, InTheGameItWavesInTheQuarterOfTheNextEggWithTheHandOnThatSide) {
  plan.missPercent = 0;
  const ScreenRect quarters[4] = {{0, 0, 450, 350}, {0, 400, 450, 768}, {600, 0, 1024, 350}, {600, 400, 1024, 768}};
  uint32_t now = 1000;
  int32_t basket = 4;
  for (const int32_t chute : {2, 0, 1, 3}) {
    SCOPED_TRACE(chute);
    Watch(Game(chute, basket), now, now + 600);
    now += 610;
    const int32_t hand = chute >= 2 ? 0 : 1;
    const PicturePoint spot = Heading(hand);
    EXPECT_TRUE(spot.x > quarters[chute].left + 122 && spot.x < quarters[chute].right - 122);
    EXPECT_TRUE(spot.y > quarters[chute].top + 61 && spot.y < quarters[chute].bottom - 61);
    const ZoneMove& move = player->LastZoneMove();
    EXPECT_EQ(chute, move.zone);
    EXPECT_EQ(basket, move.basketZone) << "where the basket was when the hand set off";
    EXPECT_LE(move.enterTick, motion->ArrivalTick(hand));
    if (basket == 0 && chute == 1) {
      const float radius = CPersonScene::kHandRadius * 768.0f;
      EXPECT_GT(motion->PoseAt(move.enterTick).hands[1].y * 768.0f - radius, 350.0f) << "clear of the top-left";
      EXPECT_LT(motion->PoseAt(move.enterTick - 1).hands[1].y * 768.0f - radius, 350.0f) << "not a moment later";
    }
    basket = chute;
  }
}

}  // namespace
