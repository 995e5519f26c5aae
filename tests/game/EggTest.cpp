#include <gtest/gtest.h>

#include <vector>

#include "GameTest.h"
#include "game/Egg.h"
#include "game/LevelRules.h"

namespace {

// One state change of an egg: the states and the position the step looked at
// (before the frame's movement), with the velocity it chose.
struct Change {
  int32_t from, to;
  int frame;
  float x, y, vx, vy;
};

// Whether `x` lies past `turnX` for an egg rolling at `velocityX`, and did not
// one step before.
bool TurnedOnTime(float velocityX, float x, float turnX) {
  const auto past = [&](float at) { return (velocityX > 0 && at > turnX) || (velocityX < 0 && at < turnX); };
  return past(x) && !past(x - velocityX);
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

TEST_F(EggTest, FullCourseOfEveryChuteAndKind) {
  for (int32_t chute = 0; chute < 4; ++chute) {
    for (int32_t kind : {CEgg::kOrdinary, CEgg::kGolden, CEgg::kSpoiled}) {
      SCOPED_TRACE(testing::Message() << "chute " << chute << " kind " << kind);
      CEgg egg(chute, kind);
      const EggPath p = egg.GetPath();
      const std::vector<Change> c = RunCourse(egg);
      ASSERT_EQ(c.size(), 5u);
      for (size_t i = 0; i < c.size(); ++i) {
        EXPECT_EQ(c[i].from, int32_t(i) + 1);
        EXPECT_EQ(c[i].to, int32_t(i) + 2);
      }
      // Fading in at the start point: 15 steps of 16 alpha (one per 40 ms
      // frame), then full opacity and the ledge velocity.
      EXPECT_EQ(c[0].frame, 15);
      EXPECT_NEAR(c[0].x, p.startX, 1e-3);
      EXPECT_NEAR(c[0].y, p.startY, 1e-3);
      EXPECT_FLOAT_EQ(c[0].vx, p.firstVelocityX);
      // Ledge to chute past the first turn, not a frame late (chute 2 starts
      // beyond its turn, so it turns on its first rolling frame).
      EXPECT_TRUE(chute == 2 ? c[1].frame == c[0].frame + 1 : TurnedOnTime(p.firstVelocityX, c[1].x, p.firstTurnX));
      EXPECT_FLOAT_EQ(c[1].vx, p.secondVelocityX);
      EXPECT_FLOAT_EQ(c[1].vy, p.secondVelocityY);
      // Chute to free fall past the second turn.
      EXPECT_TRUE(TurnedOnTime(p.secondVelocityX, c[2].x, p.secondTurnX));
      EXPECT_FLOAT_EQ(c[2].vx, 0.0f);
      EXPECT_NEAR(c[2].vy, 15 * kScaleY, 1e-4);
      // Landing strictly below the ground line; it stops there.
      EXPECT_GT(c[3].y, p.groundY);
      EXPECT_LE(c[3].y - 15 * kScaleY, p.groundY);
      EXPECT_EQ(c[3].vx, 0.0f);
      EXPECT_EQ(c[3].vy, 0.0f);
      // Thirty fade-out steps of 8 (255 down to 15), then finished on the next
      // update; the breaking cells played once (the cyber egg shows its alien instead).
      EXPECT_EQ(c[4].frame - c[3].frame, 31);
      EXPECT_EQ(egg.GetColor(), 0x00FFFFFFu);
      EXPECT_EQ(egg.GetCurrentFrame(), egg.GetAlien() ? 0u : 4u);
      EXPECT_FALSE(egg.IsAnimating());
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
    EXPECT_FLOAT_EQ(CEgg(chute, CEgg::kOrdinary).GetPath().firstVelocityX, o.firstVelocityX) << "the table is shared";
    const std::vector<Change> slow = RunCourse(ordinary);
    const std::vector<Change> fast = RunCourse(golden);
    ASSERT_EQ(slow.size(), 5u);
    ASSERT_EQ(fast.size(), 5u);
    EXPECT_NEAR(fast[2].frame - fast[0].frame, (slow[2].frame - slow[0].frame) / 3.0, 2.0);
    // The same fall from about the same height.
    EXPECT_NEAR(fast[3].frame - fast[2].frame, slow[3].frame - slow[2].frame, 1);
  }
}

// An egg spins one step per tick of more than 25 ms, and fades in one step
// per tick longer than its fade step, which shortens with the level's speed
// down to 15 ms (golden eggs always 15 ms).
TEST_F(EggTest, SpinAndFadeStepsFollowTheClockAndTheLevel) {
  CEgg spinning(0, CEgg::kOrdinary);
  spinning.Start();
  EXPECT_FLOAT_EQ(spinning.GetAngle(), -0.2f);
  while (spinning.GetState() != CEgg::kOnLedge) {
    Advance(kFrameMs);
    spinning.Update();
  }
  Advance(26);
  spinning.Update();  // the first tick on the ledge
  for (const auto& [ms, steps] : std::vector<std::pair<uint32_t, int>>{{25, 0}, {1, 1}, {26, 1}}) {
    const float angle = spinning.GetAngle();
    Advance(ms);
    spinning.Update();
    EXPECT_FLOAT_EQ(spinning.GetAngle(), angle - 0.2f * float(steps)) << ms << " ms";
  }
  struct Row {
    int level;
    float stepMs;
  };
  for (const Row row : {Row{1, 37.0f}, Row{9, 32.2f}, Row{37, 15.4f}, Row{38, 15.0f}, Row{60, 15.0f}}) {
    SCOPED_TRACE(row.level);
    eggSpeed = RulesForLevel(row.level).eggSpeed;
    CEgg ordinary(1, CEgg::kSpoiled);
    EXPECT_NEAR(ordinary.GetFadeStepMs(), row.stepMs, 1e-4);
    EXPECT_FLOAT_EQ(CEgg(1, CEgg::kGolden).GetFadeStepMs(), 15.0f);
    ordinary.Start();
    Advance(uint32_t(row.stepMs));
    ordinary.Update();
    EXPECT_EQ(ordinary.GetColor(), 0x00FFFFFFu);
    Advance(1);
    ordinary.Update();
    EXPECT_EQ(ordinary.GetColor(), 0x10FFFFFFu);
  }
}

TEST_F(EggTest, CyberEggShowsItsAlienOnlyWhenItBreaks) {
  CEgg cyber(2, CEgg::kOrdinary);
  ASSERT_NE(cyber.GetAlien(), nullptr);
  const CSpriteLayer& alien = *cyber.GetAlien();
  cyber.Start();
  while (cyber.GetState() != CEgg::kBreaking) {
    // Caught at any moment up to here, it would never have shown the alien.
    ASSERT_FALSE(alien.IsVisible()) << "state " << cyber.GetState();
    Advance(kFrameMs);
    cyber.Update();
  }
  EXPECT_FLOAT_EQ(alien.GetPositionX(), cyber.GetPositionX());
  EXPECT_FLOAT_EQ(alien.GetPositionY(), cyber.GetPositionY());
  cyber.Render(&device);
  EXPECT_EQ(device.sprites.size(), 2u);
  // The alien runs through its seven cells and fades with the egg.
  while (cyber.GetState() == CEgg::kBreaking) {
    EXPECT_EQ(alien.GetColor() >> 24, cyber.GetColor() >> 24);
    Advance(kFrameMs);
    cyber.Update();
  }
  EXPECT_EQ(alien.GetSourceRect().left, 6 * 64);
  // Golden and spoiled eggs on the same chute, and ordinary eggs elsewhere, have none.
  EXPECT_EQ(CEgg(2, CEgg::kGolden).GetAlien(), nullptr);
  EXPECT_EQ(CEgg(2, CEgg::kSpoiled).GetAlien(), nullptr);
  EXPECT_EQ(CEgg(0, CEgg::kOrdinary).GetAlien(), nullptr);
}

}  // namespace
