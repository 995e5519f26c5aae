#include <gtest/gtest.h>

#include <vector>

#include "GameTest.h"
#include "game/Egg.h"

namespace {

// One state change of an egg: the states and the position the step looked at
// (before the frame's movement), with the velocity it chose.
struct Change {
  int32_t from, to;
  int frame;
  float x, y, vx, vy;
};

bool PassedTurn(float velocityX, float x, float turnX) {
  return (velocityX > 0 && x > turnX) || (velocityX < 0 && x < turnX);
}

class EggTest : public GameTest {
 protected:
  // Starts `egg` and runs frames 40 ms apart until it is finished.
  std::vector<Change> RunCourse(CEgg& egg) {
    std::vector<Change> changes;
    egg.Start();
    for (int frame = 0; frame < 3000 && egg.GetState() != CEgg::kFinished; ++frame) {
      const int32_t state = egg.GetState();
      const float x = egg.GetPositionX(), y = egg.GetPositionY();
      Advance(kFrameMs);
      egg.Update();
      if (egg.GetState() != state) {
        changes.push_back({state, egg.GetState(), frame, x, y, egg.GetVelocityX(), egg.GetVelocityY()});
      }
    }
    return changes;
  }
};

TEST_F(EggTest, PathTableIsInViewportPixelsAndBuiltOnce) {
  EXPECT_EQ(CEgg::PathTable(), nullptr);
  CEgg first(3, CEgg::kOrdinary);
  const auto* table = CEgg::PathTable();
  ASSERT_NE(table, nullptr);
  EXPECT_NEAR((*table)[3].startX, 920 * kScaleX, 1e-3);
  EXPECT_NEAR((*table)[3].startY, 375 * kScaleY, 1e-3);
  EXPECT_NEAR((*table)[3].firstVelocityX, -3.5f * kScaleX, 1e-4);
  EXPECT_NEAR((*table)[3].secondVelocityY, 2.5f * kScaleY, 1e-4);
  EXPECT_NEAR((*table)[3].thirdVelocityY, 15 * kScaleY, 1e-4);
  EXPECT_NEAR((*table)[0].groundY, 700 * kScaleY, 1e-3);
  EXPECT_FLOAT_EQ((*table)[0].rotationStep, -0.2f);
  EXPECT_FLOAT_EQ((*table)[2].rotationStep, 0.2f);
  // A later egg at another speed shares the table unchanged.
  eggSpeed = 3.0f;
  CEgg second(3, CEgg::kGolden);
  EXPECT_EQ(CEgg::PathTable(), table);
  EXPECT_NEAR((*table)[3].firstVelocityX, -3.5f * kScaleX, 1e-4);
}

TEST_F(EggTest, FullCourseOfEveryChuteAndKind) {
  for (int32_t chute = 0; chute < 4; ++chute) {
    for (int32_t kind : {CEgg::kOrdinary, CEgg::kGolden, CEgg::kSpoiled}) {
      SCOPED_TRACE(testing::Message() << "chute " << chute << " kind " << kind);
      CEgg egg(chute, kind);
      const EggPath p = egg.GetPath();
      const std::vector<Change> changes = RunCourse(egg);
      ASSERT_EQ(changes.size(), 5u);
      for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_EQ(changes[i].from, int32_t(i) + 1);
        EXPECT_EQ(changes[i].to, int32_t(i) + 2);
      }
      // Fading in at the start point: 15 steps of 16 alpha (one per 40 ms
      // frame), then full opacity and the ledge velocity.
      EXPECT_EQ(changes[0].frame, 15);
      EXPECT_NEAR(changes[0].x, p.startX, 1e-3);
      EXPECT_NEAR(changes[0].y, p.startY, 1e-3);
      EXPECT_FLOAT_EQ(changes[0].vx, p.firstVelocityX);
      // Ledge to chute strictly past the first turn, and not a frame late
      // (chute 2 starts beyond its turn, so it turns on its first rolling frame).
      EXPECT_TRUE(PassedTurn(p.firstVelocityX, changes[1].x, p.firstTurnX));
      if (chute == 2) {
        EXPECT_EQ(changes[1].frame, changes[0].frame + 1);
      } else {
        EXPECT_FALSE(PassedTurn(p.firstVelocityX, changes[1].x - p.firstVelocityX, p.firstTurnX));
      }
      EXPECT_FLOAT_EQ(changes[1].vx, p.secondVelocityX);
      EXPECT_FLOAT_EQ(changes[1].vy, p.secondVelocityY);
      // Chute to free fall past the second turn.
      EXPECT_TRUE(PassedTurn(p.secondVelocityX, changes[2].x, p.secondTurnX));
      EXPECT_FALSE(PassedTurn(p.secondVelocityX, changes[2].x - p.secondVelocityX, p.secondTurnX));
      EXPECT_FLOAT_EQ(changes[2].vx, 0.0f);
      EXPECT_NEAR(changes[2].vy, 15 * kScaleY, 1e-4);
      // Landing strictly below the ground line; it stops there.
      EXPECT_GT(changes[3].y, p.groundY);
      EXPECT_LE(changes[3].y - 15 * kScaleY, p.groundY);
      EXPECT_EQ(changes[3].vx, 0.0f);
      EXPECT_EQ(changes[3].vy, 0.0f);
      // Thirty fade-out steps of 8 (255 down to 15), then finished on the next update.
      EXPECT_EQ(changes[4].frame - changes[3].frame, 31);
      EXPECT_EQ(egg.GetColor(), 0x00FFFFFFu);
    }
  }
}

TEST_F(EggTest, GoldenEggRollsAndSpinsThreeTimesAsFastButFallsAlike) {
  for (int32_t chute = 0; chute < 4; ++chute) {
    SCOPED_TRACE(chute);
    CEgg ordinary(chute, CEgg::kOrdinary);
    CEgg golden(chute, CEgg::kGolden);
    const EggPath& o = ordinary.GetPath();
    const EggPath& g = golden.GetPath();
    EXPECT_FLOAT_EQ(g.firstVelocityX, 3 * o.firstVelocityX);
    EXPECT_FLOAT_EQ(g.secondVelocityX, 3 * o.secondVelocityX);
    EXPECT_FLOAT_EQ(g.secondVelocityY, 3 * o.secondVelocityY);
    EXPECT_FLOAT_EQ(g.rotationStep, 3 * o.rotationStep);
    EXPECT_FLOAT_EQ(g.thirdVelocityY, o.thirdVelocityY);
    EXPECT_FLOAT_EQ(golden.GetFadeStepMs(), 15.0f);

    const std::vector<Change> slow = RunCourse(ordinary);
    const std::vector<Change> fast = RunCourse(golden);
    ASSERT_EQ(slow.size(), 5u);
    ASSERT_EQ(fast.size(), 5u);
    const int slowSlope = slow[2].frame - slow[0].frame;
    const int fastSlope = fast[2].frame - fast[0].frame;
    EXPECT_NEAR(fastSlope, slowSlope / 3.0, 2.0);
    // The same fall from about the same height.
    EXPECT_NEAR(fast[3].frame - fast[2].frame, slow[3].frame - slow[2].frame, 1);
  }
}

TEST_F(EggTest, SpinsOneStepPerTickOfMoreThan25Ms) {
  CEgg egg(0, CEgg::kOrdinary);
  egg.Start();
  EXPECT_FLOAT_EQ(egg.GetAngle(), -0.2f);
  while (egg.GetState() != CEgg::kOnLedge) {
    Advance(kFrameMs);
    egg.Update();
  }
  Advance(26);
  egg.Update();  // the first tick on the ledge
  const float angle = egg.GetAngle();
  Advance(25);
  egg.Update();
  EXPECT_FLOAT_EQ(egg.GetAngle(), angle);
  Advance(1);
  egg.Update();
  EXPECT_FLOAT_EQ(egg.GetAngle(), angle - 0.2f);
}

TEST_F(EggTest, FadeStepFollowsTheLevelSpeedDownTo15Ms) {
  struct Case {
    int level;
    float stepMs;
  };
  for (const Case c : {Case{1, 37.0f}, Case{9, 32.2f}, Case{37, 15.4f}, Case{38, 15.0f}, Case{60, 15.0f}}) {
    SCOPED_TRACE(c.level);
    eggSpeed = 1.0f + 0.2f * float(c.level - 1);
    CEgg ordinary(1, CEgg::kOrdinary);
    CEgg golden(1, CEgg::kGolden);
    EXPECT_NEAR(ordinary.GetFadeStepMs(), c.stepMs, 1e-4);
    EXPECT_FLOAT_EQ(golden.GetFadeStepMs(), 15.0f);
  }
  // At level 9 a step needs more than 32.2 ms.
  eggSpeed = 2.6f;
  CEgg egg(1, CEgg::kSpoiled);
  egg.Start();
  Advance(32);
  egg.Update();
  EXPECT_EQ(egg.GetColor(), 0x00FFFFFFu);
  Advance(1);
  egg.Update();
  EXPECT_EQ(egg.GetColor(), 0x10FFFFFFu);
}

TEST_F(EggTest, CyberEggShowsItsAlienOnlyWhenItBreaks) {
  CEgg cyber(2, CEgg::kOrdinary);
  ASSERT_NE(cyber.GetAlien(), nullptr);
  const CSpriteLayer& alien = *cyber.GetAlien();
  cyber.Start();
  while (cyber.GetState() != CEgg::kBreaking) {
    // Caught at any moment up to here, it would never have shown the alien.
    EXPECT_FALSE(alien.IsVisible()) << "state " << cyber.GetState();
    device.ClearRecords();
    cyber.Render(&device);
    EXPECT_EQ(device.sprites.size(), 1u);
    Advance(kFrameMs);
    cyber.Update();
  }
  EXPECT_TRUE(alien.IsVisible());
  EXPECT_FLOAT_EQ(alien.GetPositionX(), cyber.GetPositionX());
  EXPECT_FLOAT_EQ(alien.GetPositionY(), cyber.GetPositionY());
  EXPECT_TRUE(alien.IsAnimating());
  device.ClearRecords();
  cyber.Render(&device);
  EXPECT_EQ(device.sprites.size(), 2u);

  // The alien runs through its seven cells and fades with the egg.
  uint32_t lastCell = 0;
  while (cyber.GetState() == CEgg::kBreaking) {
    Advance(kFrameMs);
    cyber.Update();
    lastCell = alien.GetCurrentFrame();
    if (cyber.GetState() == CEgg::kBreaking) {
      EXPECT_EQ(alien.GetColor() >> 24, cyber.GetColor() >> 24);
    }
  }
  EXPECT_EQ(lastCell, 6u);
  EXPECT_EQ(alien.GetSourceRect().left, 6 * 64);

  // Golden and spoiled eggs on the same chute, and ordinary eggs elsewhere, have none.
  EXPECT_EQ(CEgg(2, CEgg::kGolden).GetAlien(), nullptr);
  EXPECT_EQ(CEgg(2, CEgg::kSpoiled).GetAlien(), nullptr);
  EXPECT_EQ(CEgg(0, CEgg::kOrdinary).GetAlien(), nullptr);
}

TEST_F(EggTest, BreakingCellsPlayOnceOnLanding) {
  CEgg egg(3, CEgg::kSpoiled);
  egg.Start();
  while (egg.GetState() != CEgg::kBreaking) {
    EXPECT_EQ(egg.GetCurrentFrame(), 0u);
    Advance(kFrameMs);
    egg.Update();
  }
  for (int frame = 0; frame < 10; ++frame) {
    Advance(kFrameMs);
    egg.Update();
  }
  EXPECT_EQ(egg.GetCurrentFrame(), 4u);
  EXPECT_FALSE(egg.IsAnimating());
  EXPECT_EQ(egg.GetSourceRect().left, 4 * 64);
}

}  // namespace
