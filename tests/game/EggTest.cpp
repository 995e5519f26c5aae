#include <gtest/gtest.h>

#include <vector>

#include "GameTest.h"
#include "game/LevelRules.h"

namespace {

// One state change of an egg to the next state: its frame, the position the
// step looked at (before the frame's movement), and the velocity it chose.
struct Change { int frame; float x, y, vx, vy; };

// Whether `x` lies past `turnX` for an egg rolling at `velocityX`, and did not
// one step before.
bool TurnedOnTime(float velocityX, float x, float turnX) {
  const auto past = [&](float at) { return (velocityX > 0 && at > turnX) || (velocityX < 0 && at < turnX); };
  return past(x) && !past(x - velocityX);
}

class EggTest : public GameTest {
 protected:
  // Starts `egg` and runs frames 40 ms apart until it is finished. A cyber
  // egg's alien shows only once the egg breaks (caught at any moment before, it
  // would never have shown), where the egg lies, drawn with it and fading with it.
  std::vector<Change> RunCourse(CEgg& egg) {
    std::vector<Change> changes;
    egg.Start();
    for (int frame = 0; frame < 3000 && egg.GetState() != CEgg::kFinished; ++frame) {
      const int32_t state = egg.GetState();
      const float x = egg.GetPositionX(), y = egg.GetPositionY();
      Advance(kFrameMs);
      egg.Update();
      if (egg.GetState() != state) {
        EXPECT_EQ(egg.GetState(), state + 1) << "frame " << frame;
        changes.push_back({frame, x, y, egg.GetVelocityX(), egg.GetVelocityY()});
      }
      const CSpriteLayer* alien = egg.GetAlien();
      if (alien != nullptr && egg.GetState() == CEgg::kBreaking) {
        EXPECT_EQ(alien->GetColor() >> 24, egg.GetColor() >> 24);
        EXPECT_TRUE(alien->GetPositionX() == egg.GetPositionX() && alien->GetPositionY() == egg.GetPositionY());
        device.ClearRecords();
        egg.Render(&device);
        EXPECT_EQ(device.sprites.size(), 2u);
      } else if (alien != nullptr && egg.GetState() < CEgg::kBreaking) {
        EXPECT_FALSE(alien->IsVisible()) << frame;
      }
    }
    return changes;
  }
};

// Each chute's course for each kind. A golden egg rolls and spins three times
// as fast as an ordinary one (a spoiled one as fast, so the path table they
// share stays as it was); all fall alike.
TEST_F(EggTest, FullCourseOfEveryChuteAndKind) {
  for (int32_t chute = 0; chute < 4; ++chute) {
    std::vector<Change> ordinary;
    for (int32_t kind : {CEgg::kOrdinary, CEgg::kGolden, CEgg::kSpoiled}) {
      SCOPED_TRACE(testing::Message() << "chute " << chute << " kind " << kind);
      CEgg egg(chute, kind);
      const EggPath p = egg.GetPath();
      const std::vector<Change> c = RunCourse(egg);
      ASSERT_EQ(c.size(), 5u);
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
      // Only the ordinary eggs of chute 2 are cyber eggs; the alien ran through its seven cells.
      ASSERT_EQ(egg.GetAlien() != nullptr, chute == 2 && kind == CEgg::kOrdinary);
      if (egg.GetAlien() != nullptr) {
        EXPECT_EQ(egg.GetAlien()->GetSourceRect().left, 6 * 64);
      }
      if (kind == CEgg::kOrdinary) ordinary = c;
      const float factor = kind == CEgg::kGolden ? 3.0f : 1.0f;
      EXPECT_FLOAT_EQ(p.rotationStep, factor * CEgg(chute, CEgg::kOrdinary).GetPath().rotationStep);
      EXPECT_NEAR(c[2].frame - c[0].frame, (ordinary[2].frame - ordinary[0].frame) / factor, 2.0);
    }
  }
}

// An egg spins one step per tick of more than 25 ms, and fades in one step
// per tick longer than its fade step, which shortens with the level's speed
// down to 15 ms (golden eggs always 15 ms).
TEST_F(EggTest, SpinAndFadeStepsFollowTheClockAndTheLevel) {
  CEgg spinning(0, CEgg::kOrdinary);
  spinning.Start();
  for (; spinning.GetState() != CEgg::kOnLedge; Advance(kFrameMs)) spinning.Update();
  spinning.Update();  // the first tick on the ledge
  for (const auto& [ms, steps] : {std::pair{25u, 0}, {1u, 1}, {26u, 1}}) {
    const float angle = spinning.GetAngle();
    Advance(ms);
    spinning.Update();
    EXPECT_FLOAT_EQ(spinning.GetAngle(), angle - 0.2f * float(steps)) << ms << " ms";
  }
  for (const auto& [level, stepMs] : {std::pair{1, 37.0f}, {9, 32.2f}, {37, 15.4f}, {38, 15.0f}, {60, 15.0f}}) {
    SCOPED_TRACE(level);
    eggSpeed = RulesForLevel(level).eggSpeed;
    CEgg ordinary(1, CEgg::kSpoiled);
    EXPECT_NEAR(ordinary.GetFadeStepMs(), stepMs, 1e-4);
    EXPECT_FLOAT_EQ(CEgg(1, CEgg::kGolden).GetFadeStepMs(), 15.0f);
    ordinary.Start();
    for (const auto& [ms, color] : {std::pair{uint32_t(stepMs), 0x00FFFFFFu}, {1u, 0x10FFFFFFu}}) {
      Advance(ms);
      ordinary.Update();
      EXPECT_EQ(ordinary.GetColor(), color);
    }
  }
}

}  // namespace
